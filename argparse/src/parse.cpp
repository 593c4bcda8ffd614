// The parsing pass: words to entries, defaults, help and version requests, and errors.
#include "command_tree.hpp"
#include "help_option.hpp"
#include "positional.hpp"
#include "receive.hpp"
#include "suggestion.hpp"
#include "usage.hpp"
#include "word_scan.hpp"

#include <argparse/args.hpp>
#include <argparse/exit.hpp>
#include <argparse/text.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace argparse {
namespace {

bool is_set(const std::shared_ptr<Entry>& flag) {
    return flag && static_cast<const ConvertType<bool>&>(*flag->target_converter).data;
}

// The words of an environment variable's value: for a std::vector, the pieces between commas,
// and none of an empty value; for any other member, the whole value.
std::vector<std::string> environment_words(const Entry& entry, const std::string& value) {
    if (!entry.target_converter->is_list()) {
        return {value};
    }
    std::vector<std::string> words;
    for (std::size_t begin = 0; !value.empty();) {
        const std::size_t comma = value.find(',', begin);
        words.push_back(value.substr(begin, comma - begin));
        if (comma == std::string::npos) {
            return words;
        }
        begin = comma + 1;
    }
    return words;
}

// Gives each entry without a value the value of its environment variable, where that is set.
void apply_environment(const std::vector<std::shared_ptr<Entry>>& entries, bool getopt) {
    for (const auto& entry : entries) {
        const char* value = entry->env_name ? std::getenv(entry->env_name->c_str()) : nullptr;
        if (value == nullptr || entry->value_text) {
            continue;
        }
        const bool had_error = !entry->error_message.empty();
        receive(*entry, environment_words(*entry, value), getopt);
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

// Returns the first error: of the words (in their order, for a getopt program), then of the
// entries in declaration order, then of the groups.
std::string first_error(const Args& args,
                        const std::vector<std::pair<std::size_t, std::string>>& errors) {
    if (!errors.empty()) {
        const auto first =
            !args.settings.getopt
                ? errors.begin()
                : std::min_element(errors.begin(), errors.end(),
                                   [](const auto& a, const auto& b) { return a.first < b.first; });
        return first->second;
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

// Returns the error of an extra positional word: for a getopt program, at its own position and
// with the nearest subcommand's name; otherwise after every other error of the words.
std::pair<std::size_t, std::string> extra_word_error(const Args& args, const WordScan& scan,
                                                     std::size_t extra) {
    const std::string& word = scan.positional_words[extra];
    const std::string error = "unexpected argument: " + printable(word);
    if (!args.settings.getopt) {
        return {args.words.size(), error};
    }
    const auto subcommand = nearest(word, subcommand_words(args));
    return {scan.positional_positions[extra],
            error + (subcommand ? " (did you mean " + *subcommand + "?)" : "")};
}

// A getopt program's error ends with the usage line and where to read more.
std::string report(const Args& args, const std::string& error) {
    if (!args.settings.getopt) {
        return error;
    }
    return error + "\n" + usage_line(args) + "\nTry '" + command_name(args) +
           " --help' for more information.";
}

// Returns the position of the first word that names a subcommand, or argc.
int subcommand_position(const Args& args, int argc, const char* const* argv) {
    for (int k = 1; k < argc; ++k) {
        if (args.settings.strict && std::string(argv[k]) == "--") {
            break;
        }
        if (find_subcommand(args, argv[k]) != nullptr) {
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
            std::ostringstream text;
            args.help(text);
            throw HelpRequested(text.str());
        }
        args.help(std::cout);
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

} // namespace

void Args::parse(int argc, const char* const* argv, const bool& raise_on_error) {
    program_name = argc > 0 ? std::filesystem::path(argv[0]).stem().string() : std::string();
    command_path = program_name;
    parse_command(argc, argv, raise_on_error);
}

// Parses the words from a subcommand's name on with its object, which has the settings of this
// one too, and keeps its warnings with these.
void Args::parse_subcommand(int argc, const char* const* argv, bool raise_on_error) {
    const auto& [name, subcommand] = *find_subcommand(*this, argv[0]);
    Args& sub = *subcommand->args;
    sub.settings.strict |= settings.strict;
    sub.settings.getopt |= settings.getopt;
    sub.settings.wrap_help |= settings.wrap_help;
    sub.settings.error_status = settings.error_status;
    sub.command_path = command_path + " " + name;
    sub.parse_command(argc, argv, raise_on_error);
    warnings.insert(warnings.end(), sub.warnings.begin(), sub.warnings.end());
}

void Args::parse_command(int argc, const char* const* argv, bool raise_on_error) {
    // The entries still hold the first parse's values and errors, which a second would mix in.
    if (help_declared(*this)) {
        throw std::logic_error("argparse: parse is called once per argument object");
    }
    settings.strict |= settings.getopt;
    const int own_end = subcommand_position(*this, argc, argv);
    words.assign(argv + std::min(argc, 1), argv + own_end);
    bool& help_requested =
        add_option(help_keys(*this, settings.getopt), help_option_text, "true").set_default(false);

    WordScan scan(*this, raise_on_error);
    scan.run();
    // A help or version request before a subcommand's word is this program's.
    answer_request(*this, help_requested, raise_on_error);
    if (own_end < argc) {
        parse_subcommand(argc - own_end, argv + own_end, raise_on_error);
    }
    const auto extra =
        assign_positional(positional_entries, scan.positional_words, settings.getopt);
    if (extra && settings.strict) {
        scan.errors.push_back(extra_word_error(*this, scan, *extra));
    }
    apply_environment(entries, settings.getopt);
    for (const auto& entry : entries) {
        if (!entry->value_text) {
            entry->_apply_default();
        }
    }
    if (const std::string error = first_error(*this, scan.errors); !error.empty()) {
        if (raise_on_error) {
            throw std::runtime_error(report(*this, error));
        }
        std::cerr << report(*this, error) << std::endl;
        std::exit(settings.error_status);
    }
    parsed = true;
}

} // namespace argparse
