// Writes the completion scripts for bash, zsh, fish and elvish and the manual page of mavrel,
// mavrel-georef and mavrel-batch, each made from the program's own declarations, into the
// directory named by the only argument. Run by the build; not installed.
#include "completion_and_manual/manual.hpp"
#include "mavrel-batch/command_line.hpp"
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

// Writes program's completion scripts into directory.
void write_completions(const std::string& directory, const std::string& program,
                       const argparse::Args& args, const argparse::Descriptions& descriptions) {
    const std::string path = directory + "/";
    write(path + program + ".bash", argparse::bash_completion(args, program));
    write(path + "_" + program, argparse::zsh_completion(args, program, descriptions));
    write(path + program + ".fish", argparse::fish_completion(args, program, descriptions));
    write(path + program + ".elv", argparse::elvish_completion(args, program, descriptions));
}

// Writes program's completion scripts and manual page into directory.
void write_program(const std::string& directory, const std::string& program,
                   const argparse::Args& args, const argparse::ManPage& page,
                   const argparse::Descriptions& descriptions = {}) {
    write_completions(directory, program, args, descriptions);
    write(directory + "/" + program + ".1", argparse::man_page(args, program, page));
}

// The completion of the batch commands under their names of earlier releases, of what each is
// now; their manual page is mavrel-batch's.
void write_old_names(const std::string& directory, const batch::BatchArgs& batch) {
    const std::pair<const char*, const argparse::Args*> old_names[] = {
        {"mavrel-tile-names", &batch.names},
        {"mavrel-strict", &batch.run_tile},
        {"mavrel-batch-status", &batch.status},
        {"mavrel-verify", &batch.verify}};
    for (const auto& [name, args] : old_names) {
        write_completions(directory, name, *args, {});
    }
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
    const batch::BatchArgs batch("mavrel-batch " MAVREL_VERSION);
    // --version prints the version only as the sole argument (cli::init); elsewhere it is an
    // option that nothing reads, which its help text cannot say.
    const argparse::Descriptions sole_version = {
        {"version", "print the version and exit; only as the sole argument"}};
    try {
        write_program(directory, "mavrel", mavrel,
                      cli::man_page_of(cli::mavrel_manual, MAVREL_VERSION), sole_version);
        write_program(directory, "mavrel-georef", georef,
                      cli::man_page_of(cli::georef_manual, MAVREL_VERSION), sole_version);
        write_program(directory, "mavrel-batch", batch,
                      cli::man_page_of(cli::batch_manual, MAVREL_VERSION));
        write_old_names(directory, batch);
    } catch (const std::exception& failure) {
        std::cerr << "completion_and_manual: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
