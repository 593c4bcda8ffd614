#include <argparse/args.hpp>

#include <iostream>

struct Greeting : argparse::Args {
    std::string& name = arg("NAME", "who to greet");
    unsigned int& times = kwarg("t,times", "how often").set_default(1U);
};

int main(int argc, char** argv) {
    Greeting args;
    args.parse(argc, argv, false);
    for (unsigned int i = 0; i < args.times; ++i) {
        std::cout << "hello " << args.name << "\n";
    }
}
