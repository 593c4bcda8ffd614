// A program that embeds the parser, which must never end it or print: it shows the help itself,
// after the argument object is gone, and after an error on standard error.
#include <argparse/args.hpp>

#include <iostream>
#include <stdexcept>
#include <string>

struct Sub : argparse::Args {
    std::string& name = arg("NAME", "a name");
};

struct Shell : argparse::Args {
    unsigned int& times = kwarg("t", "how often").set_default(1U);
    Sub& sub = subcommand<Sub>("v1.2,v");
};

int main(int argc, char** argv) {
    try {
        Shell shell;
        shell.parse(argc, argv, true);
        std::cout << "parsed " << shell.times << " " << shell.sub.name << "\n";
    } catch (const argparse::HelpRequested& request) {
        std::cout << request.text;
    } catch (const std::runtime_error& error) {
        std::cerr << error.what() << "\n";
        Shell().help(std::cerr);
        return 1;
    }
}
