// Giving an entry its values, from words, the environment or its default, and the messages of
// those that do not convert or that a validator refuses.
#include "receive.hpp"

#include <argparse/text.hpp>

#include <stdexcept>
#include <typeinfo>

namespace argparse {
namespace {

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
void convert_text(Entry& entry, const std::string& text, bool validate, bool getopt) {
    entry.value_text = text;
    try {
        const bool strict_bool = getopt && entry.target_converter->element_type() == typeid(bool);
        entry.target_converter->convert(!strict_bool                  ? text
                                        : strict_bool_from_text(text) ? "true"
                                                                      : "false");
        for (std::size_t i = 0; validate && i < entry.validators.size(); ++i) {
            (*entry.validators[i])(text, *entry.target_converter);
        }
    } catch (...) {
        entry.error_message = conversion_error(entry, text);
    }
}

} // namespace

void receive(Entry& entry, const std::vector<std::string>& words, bool getopt) {
    entry.given = true;
    if (entry.target_converter->is_list()) {
        entry.value_text.emplace();
        for (const auto& word : words) {
            convert_text(entry, word, true, getopt);
        }
    } else {
        convert_text(entry, joined(words, ","), true, getopt);
    }
}

void Entry::_convert(const std::string& text) {
    convert_text(*this, text, false, false);
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

} // namespace argparse
