// Writes mavrel's completion scripts for bash, zsh, fish and elvish and its manual page, all
// made from its own declarations, into the directory named by the only argument. Run by the
// build; not installed.
#include "cli.hpp"
#include "manual.hpp"

#include <argparse/completion.hpp>
#include <argparse/man_page.hpp>

#include <exception>
#include <fstream>
#include <iostream>
#include <string>

namespace {

void write(const std::string& name, const std::string& text) {
    std::ofstream file(name);
    file << text;
    file.close();
    if (!file) {
        throw std::runtime_error("cannot write " + name);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: completion_and_manual DIRECTORY\n";
        return 2;
    }
    const std::string directory = argv[1];
    const cli::CliArgs args;
    // --version prints the version only as the sole argument (cli::init); elsewhere it is an
    // option that nothing reads, which its help text cannot say.
    const argparse::Descriptions descriptions = {
        {"version", "print the version and exit; only as the sole argument"}};
    try {
        write(directory + "/mavrel.bash", argparse::bash_completion(args, "mavrel"));
        write(directory + "/_mavrel", argparse::zsh_completion(args, "mavrel", descriptions));
        write(directory + "/mavrel.fish", argparse::fish_completion(args, "mavrel", descriptions));
        write(directory + "/mavrel.elv",
              argparse::elvish_completion(args, "mavrel", descriptions));
        write(directory + "/mavrel.1",
              argparse::man_page(args, "mavrel", cli::manual(MAVREL_VERSION)));
    } catch (const std::exception& failure) {
        std::cerr << "completion_and_manual: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
