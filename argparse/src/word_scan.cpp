// The scan of a command's words: option names, grouped letters and values, and unknown options,
// in mavrel's conventions or in getopt_long's.
#include "word_scan.hpp"

#include "receive.hpp"
#include "suggestion.hpp"

#include <argparse/text.hpp>

#include <algorithm>
#include <charconv>
#include <iostream>

namespace argparse {
namespace {

// A word that starts with "-" is an option unless a digit follows, as in -5 or -0.5; a strict
// command line also takes a lone "-" as a value (standard input, by custom).
bool is_option_word(const std::string& word, bool strict) {
    if (word.empty() || word[0] != '-') {
        return false;
    }
    return word.size() == 1 ? !strict : word[1] < '0' || word[1] > '9';
}

// True for a word that reads as a negative number, as -.5, -1e3 and -inf do.
bool is_negative_number(const std::string& word) {
    double number = 0;
    const char* end = word.data() + word.size();
    const auto read = std::from_chars(word.data(), end, number);
    return word.size() > 1 && word[0] == '-' && read.ptr == end &&
           (read.ec == std::errc() || read.ec == std::errc::result_out_of_range);
}

// An option whose value a getopt program takes again is a list, a count or a negatable flag.
bool is_repeatable(const Entry& entry) {
    return entry.target_converter->is_list() || entry.counted || !entry.negations.empty();
}

} // namespace

WordScan::WordScan(Args& args, bool raise_on_error)
    : args(args), words(args.words), strict(args.settings.strict), getopt(args.settings.getopt),
      raise_on_error(raise_on_error) {}

void WordScan::run() {
    bool options_ended = false;
    for (index = 0; index < words.size(); ++index) {
        const std::string& word = words[index];
        if (strict && !options_ended && word == "--") {
            options_ended = true;
        } else if (options_ended || !is_option_word(word, strict)) {
            positional_words.push_back(word);
            positional_positions.push_back(index);
        } else if (word[1] == '-') {
            split_option_word(index, 2);
        } else if (getopt) {
            split_attached_values(index);
        } else {
            split_short_form(index);
        }
    }
}

// In -abc the letters before the last are grouped; only the last may take a value.
void WordScan::split_short_form(std::size_t position) {
    const std::string& word = words[position];
    const std::size_t last_letter = std::min(word.find('='), word.size()) - 1;
    for (std::size_t letter = 1; letter < last_letter; ++letter) {
        apply_option(position, word.substr(letter, 1), true, std::nullopt);
    }
    split_option_word(position, last_letter);
}

// As getopt reads -abc: each letter an option until one that takes a value, whose value is the
// rest of the word (-t5), or the word after it when none is left.
void WordScan::split_attached_values(std::size_t position) {
    const std::string& word = words[position];
    for (std::size_t letter = 1; letter < word.size(); ++letter) {
        const std::string name = word.substr(letter, 1);
        const std::string rest = word.substr(letter + 1);
        const auto found = args.option_map.find(name);
        const bool takes_value = found != args.option_map.end() && !found->second->implicit_value &&
                                 !found->second->counted;
        if (!rest.empty() && (rest[0] == '=' || takes_value)) {
            apply_option(position, name, false, rest[0] == '=' ? rest.substr(1) : rest);
            return;
        }
        apply_option(position, name, !rest.empty(), std::nullopt);
    }
}

void WordScan::split_option_word(std::size_t position, std::size_t start) {
    const std::string& word = words[position];
    const std::size_t equals = word.find('=');
    if (equals == std::string::npos) {
        apply_option(position, word.substr(start), false, std::nullopt);
    } else {
        apply_option(position, word.substr(start, equals - start), false, word.substr(equals + 1));
    }
}

void WordScan::apply_option(std::size_t position, const std::string& name, bool grouped,
                            const std::optional<std::string>& attached_value) {
    const auto found = args.option_map.find(name);
    if (found == args.option_map.end()) {
        unknown(position, name);
        return;
    }
    Entry& entry = *found->second;
    if (getopt && !given.insert(&entry).second && !is_repeatable(entry)) {
        errors.push_back({position, entry._get_keys() + " cannot be given twice"});
    }
    const auto& negations = entry.negations;
    if (std::find(negations.begin(), negations.end(), name) != negations.end()) {
        attached_value ? refuse(position, entry, typed(position, name) + " takes no value")
                       : give(position, entry, {"false"});
    } else if (attached_value) {
        give(position, entry, {*attached_value});
    } else if (entry.counted) {
        const auto count = entry.target_converter->number().value_or(0);
        give(position, entry, {number_text(static_cast<unsigned long long>(count) + 1)});
    } else if (entry.implicit_value) {
        give(position, entry, {*entry.implicit_value});
    } else if (!grouped && position + 1 < words.size() && is_value(position + 1)) {
        give(position, entry, take_value_words(position + 1, entry.multi_valued));
    } else if (!grouped && entry.multi_valued) {
        give(position, entry, {});
    } else {
        refuse(position, entry,
               "No value provided for: " + printable(getopt ? typed(position, name) : name));
    }
}

// Gives the entry its values; a getopt program counts a failure among the words' errors.
void WordScan::give(std::size_t position, Entry& entry, const std::vector<std::string>& values) {
    const std::string earlier_error = entry.error_message;
    receive(entry, values, getopt);
    if (getopt && entry.error_message != earlier_error) {
        errors.push_back({position, entry.error_message});
    }
}

// An error of an option word: among the words' errors for a getopt program, otherwise the
// entry's, reported in the order of the declarations.
void WordScan::refuse(std::size_t position, Entry& entry, const std::string& message) {
    if (getopt) {
        errors.push_back({position, message});
    } else {
        entry.error_message = message;
    }
}

// An option's name as the word at position has it: with one dash or two.
std::string WordScan::typed(std::size_t position, const std::string& name) const {
    return (words[position][1] == '-' ? "--" : "-") + name;
}

// A getopt program also takes a word that reads as a negative number as a value.
bool WordScan::is_value(std::size_t position) const {
    const std::string& word = words[position];
    return !is_option_word(word, strict) || (getopt && is_negative_number(word));
}

// Consumes the value word at first, and for a multi-valued entry every value word after it.
std::vector<std::string> WordScan::take_value_words(std::size_t first, bool multi_valued) {
    index = first;
    while (multi_valued && index + 1 < words.size() && is_value(index + 1)) {
        ++index;
    }
    return {words.begin() + static_cast<std::ptrdiff_t>(first),
            words.begin() + static_cast<std::ptrdiff_t>(index) + 1};
}

void WordScan::unknown(std::size_t position, const std::string& name) {
    const std::string message =
        "unrecognised commandline argument: " + printable(getopt ? typed(position, name) : name);
    if (strict) {
        std::vector<std::string> names;
        for (const auto& [option, entry] : args.option_map) {
            names.push_back(option);
        }
        const auto nearest_name = nearest(name, names);
        errors.push_back(
            {position,
             message + (nearest_name ? " (did you mean " + dashed(*nearest_name) + "?)" : "")});
    } else if (raise_on_error) {
        args.warnings.push_back(message);
    } else {
        std::cerr << message << std::endl;
    }
}

} // namespace argparse
