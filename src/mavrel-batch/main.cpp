// mavrel-batch: the batch commands of mavrel, also under their names of earlier releases.
#include "mavrel-batch/command_line.hpp"
#include "mavrel-batch/old_names.hpp"

#include <argparse/text.hpp>

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    const std::string path = argc > 0 ? argv[0] : "mavrel-batch";
    const std::string program = path.substr(path.rfind('/') + 1);
    std::vector<std::string> words =
        batch::subcommand_words(program, {argv + (argc > 0 ? 1 : 0), argv + argc});
    words.insert(words.begin(), "mavrel-batch");
    std::vector<const char*> arguments;
    for (const std::string& word : words) {
        arguments.push_back(word.c_str());
    }
    try {
        batch::BatchArgs args(program + " " + MAVREL_VERSION);
        args.parse(static_cast<int>(arguments.size()), arguments.data(), false);
        return args.run();
    } catch (const std::exception& failure) {
        std::cerr << program << ": " << argparse::printable(failure.what()) << std::endl;
        return 2;
    }
}
