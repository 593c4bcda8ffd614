// Writes mavrel's bash completion script, made from its own declarations, to the file named
// by the only argument. Run by the build; not installed.
#include "cli.hpp"

#include <argparse/completion.hpp>

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: completion_script OUTPUT\n";
        return 2;
    }
    std::ofstream script(argv[1]);
    script << argparse::bash_completion(cli::CliArgs(), "mavrel");
    script.close();
    if (!script) {
        std::cerr << "completion_script: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
