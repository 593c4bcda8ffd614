// Feeds arbitrary command lines to the tool's own argument declarations, and to a strict
// program with list, optional, real and path members and a validator. The input is split into
// words at NUL bytes. Every outcome must be a normal return, a help request or one of the
// parser's error messages; anything else (another exception, a crash, a sanitizer report) is a
// fault.
#include "mavrel/command_line.hpp"

#include <argparse/validators.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Strict : argparse::Args {
    std::vector<int>& numbers =
        kwarg("n,numbers", "").set_multi_valued().set_default(std::vector<int>{});
    std::optional<double>& real = kwarg("r", "").set_default(std::optional<double>{});
    long long& bounded = kwarg("b", "").validate(argparse::range(-5, 5)).set_default(0LL);
    std::filesystem::path& path = arg("PATH", "").set_default(std::filesystem::path());

    Strict() { settings.strict = true; }
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
    for (const char* start :
         {"Argument missing: ", "No value provided for: ", "Invalid argument, could not convert \"",
          "Invalid argument \"", "unrecognised commandline argument: ", "unexpected argument: "}) {
        if (message.rfind(start, 0) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> words = split_words(data, size);
    std::vector<const char*> argv;
    for (const auto& word : words) {
        argv.push_back(word.c_str());
    }
    cli::CliArgs tool;
    Strict strict;
    for (argparse::Args* args : std::initializer_list<argparse::Args*>{&tool, &strict}) {
        try {
            args->parse(static_cast<int>(argv.size()), argv.data(), true);
        } catch (const argparse::HelpRequested&) {
        } catch (const std::runtime_error& error) {
            if (!is_parser_message(error.what())) {
                std::abort();
            }
        }
    }
    return 0;
}
