#include "rendering.hpp"

#include "help_option.hpp"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <typeinfo>

namespace argparse {

std::vector<std::shared_ptr<Entry>> options_of(const Args& args) {
    std::vector<std::shared_ptr<Entry>> options;
    std::copy_if(args.entries.begin(), args.entries.end(), std::back_inserter(options),
                 [](const auto& entry) { return entry->kind != Entry::Kind::POSITIONAL; });
    if (!help_declared(args)) {
        auto help = std::make_shared<Entry>(Entry::Kind::OPTION, help_option_keys, help_option_text,
                                            "true");
        [[maybe_unused]] bool& requested = help->set_default(false);
        options.push_back(help);
    }
    return options;
}

std::vector<std::string> value_names(const Entry& entry) {
    const std::string names = entry.target_converter->get_allowed_entries();
    std::vector<std::string> values;
    for (std::size_t start = 0, comma; (comma = names.find(", ", start)) != std::string::npos;
         start = comma + 2) {
        values.push_back(names.substr(start, comma - start));
    }
    return values;
}

namespace {

bool holds(const Entry& entry, const std::type_info& type) {
    return entry.target_converter->get_type_id() == type.hash_code();
}

} // namespace

bool is_flag(const Entry& entry) {
    return entry.implicit_value && holds(entry, typeid(bool));
}

std::string placeholder(const Entry& entry) {
    if (holds(entry, typeid(unsigned int))) {
        return "NUMBER";
    }
    return holds(entry, typeid(bool)) ? "BOOLEAN" : "TEXT";
}

bool takes_file_name(const Entry& entry) {
    return placeholder(entry) == "TEXT" && value_names(entry).empty();
}

std::string joined(const std::vector<std::string>& words, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        text += (i == 0 ? "" : separator) + words[i];
    }
    return text;
}

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

std::string function_name(const std::string& program) {
    std::string name = "_";
    for (char c : program) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

} // namespace argparse
