// Writes the completion scripts for bash, zsh, fish and elvish and the manual page of mavrel
// and of mavrel-georef, each made from the program's own declarations, into the directory
// named by the only argument. Run by the build; not installed.
#include "completion_and_manual/manual.hpp"
#include "mavrel-georef/command_line.hpp"
#include "mavrel/command_line.hpp"

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

// Writes program's completion scripts and manual page into directory.
void write_program(const std::string& directory, const std::string& program,
                   const argparse::Args& args, const argparse::ManPage& page) {
    // --version prints the version only as the sole argument (cli::init); elsewhere it is an
    // option that nothing reads, which its help text cannot say.
    const argparse::Descriptions descriptions = {
        {"version", "print the version and exit; only as the sole argument"}};
    const std::string path = directory + "/";
    write(path + program + ".bash", argparse::bash_completion(args, program));
    write(path + "_" + program, argparse::zsh_completion(args, program, descriptions));
    write(path + program + ".fish", argparse::fish_completion(args, program, descriptions));
    write(path + program + ".elv", argparse::elvish_completion(args, program, descriptions));
    write(path + program + ".1", argparse::man_page(args, program, page));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: completion_and_manual DIRECTORY\n";
        return 2;
    }
    const std::string directory = argv[1];
    const cli::CliArgs mavrel;
    const cli::GeorefArgs georef;
    try {
        write_program(directory, "mavrel", mavrel,
                      cli::man_page_of(cli::mavrel_manual, MAVREL_VERSION));
        write_program(directory, "mavrel-georef", georef,
                      cli::man_page_of(cli::georef_manual, MAVREL_VERSION));
    } catch (const std::exception& failure) {
        std::cerr << "completion_and_manual: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
