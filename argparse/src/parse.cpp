#include "help_option.hpp"

#include <argparse/args.hpp>
#include <argparse/exit.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace argparse {
namespace {

// A word that starts with "-" is an option unless a digit follows, as in -5 or -0.5.
bool is_option_word(const std::string& word) {
    return !word.empty() && word[0] == '-' && (word.size() == 1 || word[1] < '0' || word[1] > '9');
}

// Returns the entry's message for the converter failure being handled; rethrows any other.
std::string conversion_error(const Entry& entry, const std::string& text) {
    const std::string subject = "\"" + text + "\" for " + entry._get_keys();
    const std::string help = " (" + entry.help_text + ")";
    try {
        throw;
    } catch (const std::invalid_argument&) {
        return "Invalid argument, could not convert " + subject + help;
    } catch (const std::out_of_range&) {
        return "Invalid argument " + subject + help + ". Error: out of range";
    } catch (const std::exception& failure) {
        return "Invalid argument " + subject + help + ". Error: " + failure.what();
    }
}

std::string join_words(const std::vector<std::string>& words, std::size_t first, std::size_t last) {
    std::string joined = words[first];
    for (std::size_t i = first + 1; i <= last; ++i) {
        joined += "," + words[i];
    }
    return joined;
}

// One pass over the word list: feeds option words to their entries and keeps the others.
class WordScan {
public:
    explicit WordScan(Args& args) : args(args), words(args.words) {}

    // Returns the positional words in command-line order.
    std::vector<std::string> run() {
        for (index = 0; index < words.size(); ++index) {
            const std::string& word = words[index];
            if (!is_option_word(word)) {
                positional_words.push_back(word);
            } else if (word.size() > 1 && word[1] == '-') {
                split_option_word(index, 2);
            } else {
                split_short_form(index);
            }
        }
        return positional_words;
    }

private:
    Args& args;
    const std::vector<std::string>& words;
    std::size_t index = 0;
    std::vector<std::string> positional_words;

    // In -abc the letters before the last are grouped; only the last may take a value.
    void split_short_form(std::size_t position) {
        const std::string& word = words[position];
        const std::size_t last_letter = std::min(word.find('='), word.size()) - 1;
        for (std::size_t letter = 1; letter < last_letter; ++letter) {
            apply_option(position, word.substr(letter, 1), true, std::nullopt);
        }
        split_option_word(position, last_letter);
    }

    void split_option_word(std::size_t position, std::size_t start) {
        const std::string& word = words[position];
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) {
            apply_option(position, word.substr(start), false, std::nullopt);
        } else {
            apply_option(position, word.substr(start, equals - start), false,
                         word.substr(equals + 1));
        }
    }

    void apply_option(std::size_t position, const std::string& name, bool grouped,
                      const std::optional<std::string>& attached_value) {
        const auto found = args.option_map.find(name);
        if (found == args.option_map.end()) {
            std::cerr << "unrecognised commandline argument: " << name << std::endl;
            return;
        }
        Entry& entry = *found->second;
        if (attached_value) {
            entry._convert(*attached_value);
        } else if (entry.implicit_value) {
            entry._convert(*entry.implicit_value);
        } else if (!grouped && position + 1 < words.size() &&
                   !is_option_word(words[position + 1])) {
            entry._convert(take_value_words(position + 1, entry.multi_valued));
        } else if (!grouped && entry.multi_valued) {
            entry._convert("");
        } else {
            entry.error_message = "No value provided for: " + name;
        }
    }

    // Consumes the value word at first, and for a multi-valued entry every value word after it.
    std::string take_value_words(std::size_t first, bool multi_valued) {
        index = first;
        while (multi_valued && index + 1 < words.size() && !is_option_word(words[index + 1])) {
            ++index;
        }
        return join_words(words, first, index);
    }
};

// Entries before the multi-valued one take words from the front, those after it from the back.
void assign_positional(const std::vector<std::shared_ptr<Entry>>& entries,
                       const std::vector<std::string>& words) {
    const std::size_t count = entries.size();
    std::size_t multi = 0;
    for (; multi < count && !entries[multi]->multi_valued; ++multi) {
        if (multi < words.size()) {
            entries[multi]->_convert(words[multi]);
        }
    }
    for (std::size_t k = 1; multi < count && k <= count - multi; ++k) {
        if (words.size() < k || words.size() - k < multi) {
            continue;
        }
        const std::size_t word = words.size() - k;
        Entry& entry = *entries[count - k];
        entry._convert(count - k == multi ? join_words(words, multi, word) : words[word]);
    }
}

} // namespace

void Entry::_convert(const std::string& text) {
    value_text = text;
    try {
        target_converter->convert(text);
    } catch (...) {
        error_message = conversion_error(*this, text);
    }
}

void Entry::_apply_default() {
    if (default_converter) {
        value_text = default_text;
        try {
            target_converter->set_default(default_converter, *default_text);
        } catch (...) {
            error_message = conversion_error(*this, *default_text);
        }
    } else if (default_text) {
        _convert(*default_text);
    } else {
        error_message = "Argument missing: " + _get_keys() + " (" + help_text + ")";
    }
}

void Args::parse(int argc, const char* const* argv, const bool& raise_on_error) {
    // The entries still hold the first parse's values and errors, which a second would mix in.
    if (help_declared(*this)) {
        throw std::logic_error("argparse: parse is called once per argument object");
    }
    int own_end = argc;
    for (int k = 1; k < argc; ++k) {
        const auto found = subcommands.find(argv[k]);
        if (found != subcommands.end()) {
            found->second->args->parse(argc - k, argv + k, raise_on_error);
            own_end = k;
            break;
        }
    }
    program_name = argc > 0 ? std::filesystem::path(argv[0]).stem().string() : std::string();
    words.assign(argv + std::min(argc, 1), argv + own_end);
    bool& help_requested =
        add_option(help_option_keys, help_option_text, "true").set_default(false);

    assign_positional(positional_entries, WordScan(*this).run());
    for (const auto& entry : entries) {
        if (!entry->value_text) {
            entry->_apply_default();
        }
    }
    if (help_requested) {
        help();
        exit_after_output(0);
    }
    for (const auto& entry : entries) {
        if (!entry->error_message.empty()) {
            if (raise_on_error) {
                throw std::runtime_error(entry->error_message);
            }
            std::cerr << entry->error_message << std::endl;
            std::exit(-1);
        }
    }
    parsed = true;
}

} // namespace argparse
