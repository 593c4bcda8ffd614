#include <argparse/args.hpp>

#include <iostream>
#include <string>

enum class Tone { PLAIN, LOUD };

// Each member is bound to one declared argument; parse() fills them all.
struct GreetArgs : argparse::Args {
    std::string& name = arg("NAME", "who to greet");
    unsigned int& times = kwarg("t,times", "how often").set_default(1U);
    Tone& tone = kwarg("tone", "plain or loud").set_default(Tone::PLAIN);
    bool& comma = flag("c,comma", "put a comma after the greeting");
};

int main(int argc, char** argv) {
    GreetArgs args;
    // false: a command-line error is printed on standard error and ends the program (status 255)
    args.parse(argc, argv, false);
    const std::string greeting = args.tone == Tone::LOUD ? "HELLO" : "hello";
    for (unsigned int i = 0; i < args.times; ++i) {
        std::cout << greeting << (args.comma ? ", " : " ") << args.name << "\n";
    }
}
