// The manual page in roff, rendered from the declarations and the prose a program adds.
#include "command_tree.hpp"
#include "rendered_options.hpp"

#include <argparse/man_page.hpp>
#include <argparse/text.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <stdexcept>

namespace argparse {
namespace {

// Returns plain text as roff input: backslashes (and, in a literal, minus signs) escaped, no
// line read as a request, and no empty line, which roff would print.
std::string escaped(const std::string& text, bool literal = false) {
    std::string result;
    bool line_start = true;
    for (char c : text) {
        if (c == '\n') {
            result += line_start ? "" : "\n";
            line_start = true;
            continue;
        }
        result += line_start && (c == '.' || c == '\'') ? "\\&" : "";
        result += c == '\\' ? "\\e" : c == '-' && literal ? "\\-" : std::string(1, c);
        line_start = false;
    }
    return result;
}

// What is typed as it stands, in bold; an empty word as "".
std::string bold(const std::string& text) {
    return text.empty() ? "\\(dq\\(dq" : "\\fB" + escaped(text, true) + "\\fR";
}

std::string italic(const std::string& text) {
    return "\\fI" + escaped(text, true) + "\\fR";
}

// Returns text as one argument of a request, in double quotes.
std::string argument(const std::string& text) {
    std::string result = "\"";
    for (char c : escaped(text)) {
        result += c == '"' ? "\\(dq" : c == '\n' ? " " : std::string(1, c);
    }
    return result + "\"";
}

std::string page_date(const std::string& date) {
    if (!date.empty()) {
        return date;
    }
    std::time_t seconds = std::time(nullptr);
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch != nullptr && *epoch != '\0') {
        char* end = nullptr;
        errno = 0;
        const long long value = std::strtoll(epoch, &end, 10);
        if (!std::isdigit(static_cast<unsigned char>(*epoch)) || *end != '\0' || errno != 0) {
            throw std::invalid_argument("SOURCE_DATE_EPOCH is not a number of seconds: \"" +
                                        std::string(epoch) + "\"");
        }
        seconds = static_cast<std::time_t>(value);
    }
    std::tm day{};
    char text[32] = "";
    if (gmtime_r(&seconds, &day) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%d", &day) == 0) {
        throw std::invalid_argument("no date for " + std::to_string(seconds) + " seconds");
    }
    return text;
}

// The value an entry takes: the names of an enumeration, otherwise a placeholder.
std::string value(const Entry& entry) {
    std::vector<std::string> names = value_names(entry);
    std::transform(names.begin(), names.end(), names.begin(), bold);
    return (names.empty() ? italic(placeholder(entry)) : joined(names, "|")) +
           (entry.multi_valued ? "..." : "");
}

// The value after an option's name, where a value may follow: a flag has none, and an
// option with an implicit value takes one only after "=".
std::string value_after_option(const Entry& entry, const std::string& blank) {
    if (is_flag(entry)) {
        return "";
    }
    return entry.implicit_value ? "[=" + value(entry) + "]" : blank + value(entry);
}

// A default or an implicit value as the page shows it: in bold, and in quotes where it is empty
// or ends with a full stop, which would run into the sentence's own.
std::string shown_value(const std::string& text) {
    return !text.empty() && text.back() == '.' ? "\\(dq" + bold(text) + "\\(dq" : bold(text);
}

// An option without a default, which the command line must give, stands without brackets.
std::string synopsis_word(const Entry& entry) {
    const std::string word = bold(dashed(entry.keys.front())) + value_after_option(entry, "\\ ");
    const bool required = !entry.default_text && !entry.implicit_value;
    return required ? word : "[" + word + "]";
}

// A synopsis block for the program or a subcommand, run as program, which indents the lines
// after the first under the arguments.
std::string synopsis(const Command& command, const std::string& program) {
    std::vector<std::string> words;
    for (const auto& entry : command.args->positional_entries) {
        const std::string word = italic(entry->keys.front()) + (entry->multi_valued ? "..." : "");
        words.push_back(entry->default_text ? "[" + word + "]" : word);
    }
    for (const auto& entry : options_of(command)) {
        // A value stays on the line of its option's name.
        words.push_back(synopsis_word(*entry));
    }
    return ".SY " + argument(program) + "\n" + joined(words, " ") + "\n.YS\n";
}

// An argument's names: a positional one's in italics, an option's as typed, in bold.
std::string names(const Entry& entry) {
    if (entry.kind == Entry::Kind::POSITIONAL) {
        return italic(entry.keys.front());
    }
    std::vector<std::string> names;
    for (const auto& key : entry.keys) {
        names.push_back(bold(dashed(key)));
    }
    return joined(names, ", ");
}

std::string tag(const Entry& entry) {
    if (entry.kind == Entry::Kind::POSITIONAL) {
        return names(entry) + (entry.multi_valued ? "..." : "");
    }
    return names(entry) + value_after_option(entry, " ");
}

// What the help text leaves out: the default, or that the option is required, and the value
// that an option's name alone gives.
std::string notes(const Entry& entry) {
    if (is_flag(entry)) {
        return "";
    }
    std::string text;
    if (entry.default_text) {
        text += "Default: " + shown_value(*entry.default_text) + ".\n";
    } else if (entry.kind != Entry::Kind::POSITIONAL) {
        text += "Required.\n";
    }
    if (entry.implicit_value) {
        text += "Without a value: " + shown_value(*entry.implicit_value) + ".\n";
    }
    return text.empty() ? "" : ".br\n" + text;
}

std::string described(const Command& command, const Entry& entry, const ManPage& page) {
    const auto text = page.texts.find(text_key(command, entry));
    const std::string help = text != page.texts.end() ? text->second : escaped(entry.help_text);
    return ".TP\n" + tag(entry) + "\n" + help + (help.empty() ? "" : "\n") + notes(entry);
}

std::string options(const Command& command, const ManPage& page) {
    std::string text;
    for (const auto& entry : command.args->positional_entries) {
        text += described(command, *entry, page);
    }
    for (const auto& entry : options_of(command)) {
        text += described(command, *entry, page);
    }
    return text;
}

// The variables that stand for arguments the command line does not give, of every command.
std::string environment(const std::vector<Command>& commands) {
    std::string text;
    for (const auto& command : commands) {
        const std::string of = command.path.empty() ? "" : " of " + bold(command.path.substr(1));
        for (const auto& entry : command.args->entries) {
            if (entry->env_name) {
                text += ".TP\n" + bold(*entry->env_name) + "\nthe value of " + names(*entry) + of +
                        " where the command line gives none.\n";
            }
        }
    }
    return text;
}

// What a subcommand's section says before its arguments: what it does, and its aliases.
std::string about(const SubcommandEntry& subcommand) {
    std::vector<std::string> lines;
    if (!subcommand.description.empty()) {
        lines.push_back(escaped(subcommand.description));
    }
    if (!subcommand.aliases.empty()) {
        std::vector<std::string> aliases = subcommand.aliases;
        std::transform(aliases.begin(), aliases.end(), aliases.begin(), bold);
        lines.push_back("Aliases: " + joined(aliases, ", ") + ".");
    }
    return lines.empty() ? "" : joined(lines, "\n.br\n") + "\n";
}

std::string section(const std::string& title, const std::string& text) {
    return ".SH " + argument(title) + "\n" + text +
           (text.empty() || text.back() == '\n' ? "" : "\n");
}

} // namespace

std::string man_page(const Args& args, const std::string& program, const ManPage& page) {
    if (page.summary.empty()) {
        throw std::invalid_argument("man page of " + program + ": the summary, for NAME, is empty");
    }
    const std::vector<Command> commands = commands_of(args);
    std::string synopses;
    std::string subcommands;
    for (const auto& command : commands) {
        synopses += synopsis(command, program + command.path);
        if (!command.path.empty()) {
            subcommands += section("SUBCOMMAND" + command.path,
                                   about(*command.subcommand) + options(command, page));
        }
    }
    const bool has_description =
        std::any_of(page.sections.begin(), page.sections.end(),
                    [](const auto& section) { return section.first == "DESCRIPTION"; });
    const std::string variables = environment(commands);
    const std::string own_options = section("OPTIONS", options(commands.front(), page)) +
                                    subcommands +
                                    (variables.empty() ? "" : section("ENVIRONMENT", variables));
    std::string text = ".TH " + argument(program) + " " + argument(page.section) + " " +
                       argument(page_date(page.date)) + " " +
                       argument(page.version.empty() ? program : program + " " + page.version) +
                       "\n.SH NAME\n" + escaped(program, true) + " \\- " + escaped(page.summary) +
                       "\n.SH SYNOPSIS\n" + synopses;
    if (!has_description) {
        text += own_options;
    }
    for (const auto& [title, body] : page.sections) {
        text += section(title, body);
        if (title == "DESCRIPTION") {
            text += own_options;
        }
    }
    return text;
}

} // namespace argparse
