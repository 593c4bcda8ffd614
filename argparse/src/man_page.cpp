#include "rendering.hpp"

#include <argparse/man_page.hpp>

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

// A synopsis block, which indents the lines after the first under the arguments.
std::string synopsis(const Args& args, const std::string& program) {
    std::vector<std::string> words;
    for (const auto& entry : args.positional_entries) {
        words.push_back(italic(entry->keys.front()) + (entry->multi_valued ? "..." : ""));
    }
    for (const auto& entry : options_of(args)) {
        // A value stays on the line of its option's name.
        words.push_back("[" + bold(dashed(entry->keys.front())) +
                        value_after_option(*entry, "\\ ") + "]");
    }
    return ".SY " + argument(program) + "\n" + joined(words, " ") + "\n.YS\n";
}

std::string tag(const Entry& entry) {
    if (entry.kind == Entry::Kind::POSITIONAL) {
        return italic(entry.keys.front()) + (entry.multi_valued ? "..." : "");
    }
    std::vector<std::string> names;
    for (const auto& key : entry.keys) {
        names.push_back(bold(dashed(key)));
    }
    return joined(names, ", ") + value_after_option(entry, " ");
}

// What the help text leaves out: the default, or that the option is required, and the value
// that an option's name alone gives.
std::string notes(const Entry& entry) {
    if (is_flag(entry)) {
        return "";
    }
    std::string text;
    if (entry.default_text) {
        text += "Default: " + bold(*entry.default_text) + ".\n";
    } else if (entry.kind != Entry::Kind::POSITIONAL) {
        text += "Required.\n";
    }
    if (entry.implicit_value) {
        text += "Without a value: " + bold(*entry.implicit_value) + ".\n";
    }
    return text.empty() ? "" : ".br\n" + text;
}

std::string described(const Entry& entry, const ManPage& page) {
    const auto text = page.texts.find(entry.keys.front());
    const std::string help = text != page.texts.end() ? text->second : escaped(entry.help_text);
    return ".TP\n" + tag(entry) + "\n" + help + (help.empty() ? "" : "\n") + notes(entry);
}

std::string options(const Args& args, const ManPage& page) {
    std::string text = ".SH OPTIONS\n";
    for (const auto& entry : args.positional_entries) {
        text += described(*entry, page);
    }
    for (const auto& entry : options_of(args)) {
        text += described(*entry, page);
    }
    return text;
}

std::string section(const std::string& title, const std::string& text) {
    return ".SH " + argument(title) + "\n" + text +
           (text.empty() || text.back() == '\n' ? "" : "\n");
}

} // namespace

std::string man_page(const Args& args, const std::string& program, const ManPage& page) {
    const bool has_description =
        std::any_of(page.sections.begin(), page.sections.end(),
                    [](const auto& section) { return section.first == "DESCRIPTION"; });
    std::string text = ".TH " + argument(program) + " " + argument(page.section) + " " +
                       argument(page_date(page.date)) + " " +
                       argument(page.version.empty() ? program : program + " " + page.version) +
                       "\n.SH NAME\n" + escaped(program, true) + " \\- " + escaped(page.summary) +
                       "\n.SH SYNOPSIS\n" + synopsis(args, program);
    if (!has_description) {
        text += options(args, page);
    }
    for (const auto& [title, body] : page.sections) {
        text += section(title, body);
        if (title == "DESCRIPTION") {
            text += options(args, page);
        }
    }
    return text;
}

} // namespace argparse
