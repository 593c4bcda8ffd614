#pragma once

// The scan of a command's words: option words fed to their entries, the others kept.

#include <argparse/args.hpp>

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace argparse {

// One pass over the word list: feeds option words to their entries and keeps the others.
class WordScan {
public:
    WordScan(Args& args, bool raise_on_error);

    std::vector<std::string> positional_words;
    // The position of each positional word among the words.
    std::vector<std::size_t> positional_positions;
    // The errors of the words, each with the position of its word: a strict program's unknown
    // options, and a getopt program's every error of a word.
    std::vector<std::pair<std::size_t, std::string>> errors;

    void run();

private:
    Args& args;
    const std::vector<std::string>& words;
    const bool strict;
    const bool getopt;
    const bool raise_on_error;
    std::size_t index = 0;
    // The options given so far, of which a getopt program's that keep one value are given once.
    std::set<const Entry*> given;

    void split_short_form(std::size_t position);
    void split_attached_values(std::size_t position);
    void split_option_word(std::size_t position, std::size_t start);
    void apply_option(std::size_t position, const std::string& name, bool grouped,
                      const std::optional<std::string>& attached_value);
    void give(std::size_t position, Entry& entry, const std::vector<std::string>& values);
    void refuse(std::size_t position, Entry& entry, const std::string& message);
    std::string typed(std::size_t position, const std::string& name) const;
    bool is_value(std::size_t position) const;
    std::vector<std::string> take_value_words(std::size_t first, bool multi_valued);
    void unknown(std::size_t position, const std::string& name);
};

} // namespace argparse
