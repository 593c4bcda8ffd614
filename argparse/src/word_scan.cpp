// The scan of a command's words: option names, grouped letters and values, and unknown options.
#include "word_scan.hpp"

#include "receive.hpp"
#include "suggestion.hpp"

#include <argparse/text.hpp>

#include <algorithm>
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

} // namespace

WordScan::WordScan(Args& args, bool raise_on_error)
    : args(args), words(args.words), strict(args.settings.strict), raise_on_error(raise_on_error) {}

void WordScan::run() {
    bool options_ended = false;
    for (index = 0; index < words.size(); ++index) {
        const std::string& word = words[index];
        if (strict && !options_ended && word == "--") {
            options_ended = true;
        } else if (options_ended || !is_option_word(word, strict)) {
            positional_words.push_back(word);
        } else if (word[1] == '-') {
            split_option_word(index, 2);
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
        unknown(name);
        return;
    }
    Entry& entry = *found->second;
    const auto& negations = entry.negations;
    if (std::find(negations.begin(), negations.end(), name) != negations.end()) {
        attached_value ? void(entry.error_message = dashed(name) + " takes no value")
                       : receive(entry, {"false"});
    } else if (attached_value) {
        receive(entry, {*attached_value});
    } else if (entry.counted) {
        const auto count = entry.target_converter->number().value_or(0);
        receive(entry, {number_text(static_cast<unsigned long long>(count) + 1)});
    } else if (entry.implicit_value) {
        receive(entry, {*entry.implicit_value});
    } else if (!grouped && position + 1 < words.size() && is_value(position + 1)) {
        receive(entry, take_value_words(position + 1, entry.multi_valued));
    } else if (!grouped && entry.multi_valued) {
        receive(entry, {});
    } else {
        entry.error_message = "No value provided for: " + printable(name);
    }
}

bool WordScan::is_value(std::size_t position) const {
    return !is_option_word(words[position], strict);
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

void WordScan::unknown(const std::string& name) {
    const std::string message = "unrecognised commandline argument: " + printable(name);
    if (strict) {
        errors.push_back(message + suggestion(name, args.option_map));
    } else if (raise_on_error) {
        args.warnings.push_back(message);
    } else {
        std::cerr << message << std::endl;
    }
}

} // namespace argparse
