// The parsing pass: words to entries, defaults, help and version requests, and errors.
#include "help_option.hpp"
#include "suggestion.hpp"

#include <argparse/args.hpp>
#include <argparse/exit.hpp>
#include <argparse/text.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>

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

// Returns the entry's message for the converter failure being handled; rethrows any other.
std::string conversion_error(const Entry& entry, const std::string& text) {
    const std::string subject = "\"" + printable(text) + "\" for " + entry._get_keys();
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

// Stores and converts a text, and where validate is set tests the value; a failure becomes the
// entry's error message.
void convert_text(Entry& entry, const std::string& text, bool validate) {
    entry.value_text = text;
    try {
        entry.target_converter->convert(text);
        for (std::size_t i = 0; validate && i < entry.validators.size(); ++i) {
            (*entry.validators[i])(text);
        }
    } catch (...) {
        entry.error_message = conversion_error(entry, text);
    }
}

// Gives an entry the words the command line or the environment holds for it: each an element of a
// std::vector, otherwise joined by commas, and none as the empty text.
void receive(Entry& entry, const std::vector<std::string>& words) {
    entry.given = true;
    if (entry.target_converter->is_list()) {
        entry.value_text.emplace();
        for (const auto& word : words) {
            convert_text(entry, word, true);
        }
    } else {
        convert_text(entry, joined(words, ","), true);
    }
}

bool is_set(const std::shared_ptr<Entry>& flag) {
    return flag && static_cast<const ConvertType<bool>&>(*flag->target_converter).data;
}

// One pass over the word list: feeds option words to their entries and keeps the others.
class WordScan {
public:
    WordScan(Args& args, bool raise_on_error)
        : args(args), words(args.words), strict(args.settings.strict),
          raise_on_error(raise_on_error) {}

    std::vector<std::string> positional_words;
    // On a strict command line, the unknown options, in order.
    std::vector<std::string> errors;

    void run() {
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

private:
    Args& args;
    const std::vector<std::string>& words;
    const bool strict;
    const bool raise_on_error;
    std::size_t index = 0;

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
            unknown(name);
            return;
        }
        Entry& entry = *found->second;
        if (attached_value) {
            receive(entry, {*attached_value});
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

    bool is_value(std::size_t position) const { return !is_option_word(words[position], strict); }

    // Consumes the value word at first, and for a multi-valued entry every value word after it.
    std::vector<std::string> take_value_words(std::size_t first, bool multi_valued) {
        index = first;
        while (multi_valued && index + 1 < words.size() && is_value(index + 1)) {
            ++index;
        }
        return {words.begin() + static_cast<std::ptrdiff_t>(first),
                words.begin() + static_cast<std::ptrdiff_t>(index) + 1};
    }

    void unknown(const std::string& name) {
        const std::string message = "unrecognised commandline argument: " + printable(name);
        if (strict) {
            errors.push_back(message + suggestion(name, args.option_map));
        } else if (raise_on_error) {
            args.warnings.push_back(message);
        } else {
            std::cerr << message << std::endl;
        }
    }
};

// Entries before the multi-valued one take words from the front, those after it from the back.
// Returns the first word that no entry takes, if any.
std::optional<std::string> assign_positional(const std::vector<std::shared_ptr<Entry>>& entries,
                                             const std::vector<std::string>& words) {
    const std::size_t count = entries.size();
    std::size_t multi = 0;
    for (; multi < count && !entries[multi]->multi_valued; ++multi) {
        if (multi < words.size()) {
            receive(*entries[multi], {words[multi]});
        }
    }
    if (multi == count) {
        return count < words.size() ? std::optional(words[count]) : std::nullopt;
    }
    for (std::size_t k = 1; k <= count - multi; ++k) {
        if (words.size() < k || words.size() - k < multi) {
            continue;
        }
        const std::size_t word = words.size() - k;
        Entry& entry = *entries[count - k];
        if (count - k == multi) {
            receive(entry, {words.begin() + static_cast<std::ptrdiff_t>(multi),
                            words.begin() + static_cast<std::ptrdiff_t>(word) + 1});
        } else {
            receive(entry, {words[word]});
        }
    }
    return std::nullopt;
}

// Gives each entry without a value the value of its environment variable, where that is set.
void apply_environment(const std::vector<std::shared_ptr<Entry>>& entries) {
    for (const auto& entry : entries) {
        const char* value = entry->env_name ? std::getenv(entry->env_name->c_str()) : nullptr;
        if (value == nullptr || entry->value_text) {
            continue;
        }
        const bool had_error = !entry->error_message.empty();
        receive(*entry, {value});
        if (!had_error && !entry->error_message.empty()) {
            entry->error_message += ", from the environment variable " + *entry->env_name;
        }
    }
}

// Returns the message for a group whose rule the command line breaks, or "".
std::string group_error(const Group& group) {
    std::vector<const Entry*> given;
    const Entry* missing = nullptr;
    for (const auto& entry : group.entries) {
        if (entry->given) {
            given.push_back(entry.get());
        } else {
            missing = entry.get();
        }
    }
    if (group.exclusive && given.size() > 1) {
        return given[0]->_get_keys() + " cannot be given with " + given[1]->_get_keys();
    }
    if (!group.exclusive && !given.empty() && missing != nullptr) {
        return given[0]->_get_keys() + " needs " + missing->_get_keys() + " too";
    }
    return "";
}

// Returns the first error: of the words, then of the entries in declaration order, then of
// the groups.
std::string first_error(const Args& args, const std::vector<std::string>& word_errors) {
    if (!word_errors.empty()) {
        return word_errors.front();
    }
    for (const auto& entry : args.entries) {
        if (!entry->error_message.empty()) {
            return entry->error_message;
        }
    }
    for (const auto& group : args.groups) {
        if (const std::string error = group_error(group); !error.empty()) {
            return error;
        }
    }
    return "";
}

// Returns the position of the first word that names a subcommand, or argc.
int subcommand_position(const Args& args, int argc, const char* const* argv) {
    for (int k = 1; k < argc; ++k) {
        if (args.settings.strict && std::string(argv[k]) == "--") {
            break;
        }
        if (args.subcommands.count(argv[k]) != 0) {
            return k;
        }
    }
    return argc;
}

// Answers a help or version request: with raise_on_error by an exception, otherwise on standard
// output, and ends the program with status 0.
void answer_request(Args& args, bool help_requested, bool raise_on_error) {
    if (help_requested) {
        if (raise_on_error) {
            throw HelpRequested(args);
        }
        args.help();
        exit_after_output(0);
    }
    if (is_set(args.version_entry)) {
        if (raise_on_error) {
            throw VersionRequested(args.version_text);
        }
        std::cout << args.version_text << std::endl;
        exit_after_output(0);
    }
}

// Parses the words from a subcommand's name on with its object, which has the settings of args
// too, and keeps its warnings with those of args.
void parse_subcommand(Args& args, int argc, const char* const* argv, bool raise_on_error) {
    Args& sub = *args.subcommands.at(argv[0])->args;
    sub.settings.strict |= args.settings.strict;
    sub.settings.wrap_help |= args.settings.wrap_help;
    sub.parse(argc, argv, raise_on_error);
    args.warnings.insert(args.warnings.end(), sub.warnings.begin(), sub.warnings.end());
}

} // namespace

void Entry::_convert(const std::string& text) {
    convert_text(*this, text, false);
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
    const int own_end = subcommand_position(*this, argc, argv);
    program_name = argc > 0 ? std::filesystem::path(argv[0]).stem().string() : std::string();
    words.assign(argv + std::min(argc, 1), argv + own_end);
    bool& help_requested =
        add_option(help_option_keys, help_option_text, "true").set_default(false);

    WordScan scan(*this, raise_on_error);
    scan.run();
    // A help or version request before a subcommand's word is this program's.
    answer_request(*this, help_requested, raise_on_error);
    if (own_end < argc) {
        parse_subcommand(*this, argc - own_end, argv + own_end, raise_on_error);
    }
    const auto extra_word = assign_positional(positional_entries, scan.positional_words);
    if (extra_word && settings.strict) {
        scan.errors.push_back("unexpected argument: " + printable(*extra_word));
    }
    apply_environment(entries);
    for (const auto& entry : entries) {
        if (!entry->value_text) {
            entry->_apply_default();
        }
    }
    if (const std::string error = first_error(*this, scan.errors); !error.empty()) {
        if (raise_on_error) {
            throw std::runtime_error(error);
        }
        std::cerr << error << std::endl;
        std::exit(-1);
    }
    parsed = true;
}

} // namespace argparse
