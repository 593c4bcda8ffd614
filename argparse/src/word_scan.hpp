#pragma once

// The scan of a command's words: option words fed to their entries, the others kept.

#include <argparse/args.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace argparse {

// One pass over the word list: feeds option words to their entries and keeps the others.
class WordScan {
public:
    WordScan(Args& args, bool raise_on_error);

    std::vector<std::string> positional_words;
    // On a strict command line, the unknown options, in order.
    std::vector<std::string> errors;

    void run();

private:
    Args& args;
    const std::vector<std::string>& words;
    const bool strict;
    const bool raise_on_error;
    std::size_t index = 0;

    void split_short_form(std::size_t position);
    void split_option_word(std::size_t position, std::size_t start);
    void apply_option(std::size_t position, const std::string& name, bool grouped,
                      const std::optional<std::string>& attached_value);
    bool is_value(std::size_t position) const;
    std::vector<std::string> take_value_words(std::size_t first, bool multi_valued);
    void unknown(const std::string& name);
};

} // namespace argparse
