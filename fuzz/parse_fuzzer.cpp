// Feeds arbitrary command lines to the tool's own argument declarations. The input is split
// into words at NUL bytes. Every outcome must be a normal return or one of the parser's
// error messages; anything else (another exception, a crash, a sanitizer report) is a fault.
#include "cli.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A help request would end the process; here it ends only the one input.
struct HelpRequested {};

struct FuzzArgs : cli::CliArgs {
    void help() override { throw HelpRequested{}; }
};

std::vector<std::string> split_words(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words(1, "mavrel");
    std::string word;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    words.push_back(word);
    return words;
}

bool is_parser_message(const std::string& message) {
    for (const char* start : {"Argument missing: ", "No value provided for: ",
                              "Invalid argument, could not convert \"", "Invalid argument \""}) {
        if (message.rfind(start, 0) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Warnings about unknown options would drown the fuzzer's own output.
    std::cerr.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> words = split_words(data, size);
    std::vector<const char*> argv;
    for (const auto& word : words) {
        argv.push_back(word.c_str());
    }
    FuzzArgs args;
    try {
        args.parse(static_cast<int>(argv.size()), argv.data(), true);
    } catch (const HelpRequested&) {
    } catch (const std::runtime_error& error) {
        if (!is_parser_message(error.what())) {
            std::abort();
        }
    }
    return 0;
}
