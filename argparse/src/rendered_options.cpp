// What the renderings show of an option, and the help option that they show with the others.
#include "rendered_options.hpp"

#include "help_option.hpp"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <typeinfo>

namespace argparse {
namespace {

bool holds(const Entry& entry, const std::type_info& type) {
    return entry.target_converter->element_type() == type;
}

bool holds_number(const Entry& entry) {
    for (const std::type_info* type :
         {&typeid(int), &typeid(long), &typeid(long long), &typeid(unsigned int),
          &typeid(unsigned long), &typeid(unsigned long long), &typeid(float), &typeid(double)}) {
        if (holds(entry, *type)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<std::shared_ptr<Entry>> options_of(const Command& command) {
    const Args& args = *command.args;
    std::vector<std::shared_ptr<Entry>> options;
    std::copy_if(args.entries.begin(), args.entries.end(), std::back_inserter(options),
                 [](const auto& entry) { return entry->kind != Entry::Kind::POSITIONAL; });
    if (!help_declared(args)) {
        auto help = std::make_shared<Entry>(Entry::Kind::OPTION, help_keys(args, command.getopt),
                                            help_option_text, "true");
        [[maybe_unused]] bool& requested = help->set_default(false);
        options.push_back(help);
    }
    return options;
}

std::string text_key(const Command& command, const Entry& entry) {
    return (command.path.empty() ? "" : command.path.substr(1) + " ") + entry.keys.front();
}

std::string description(const Command& command, const Entry& entry,
                        const Descriptions& descriptions) {
    const auto found = descriptions.find(text_key(command, entry));
    return found == descriptions.end() ? entry.help_text : found->second;
}

std::vector<std::string> value_names(const Entry& entry) {
    return entry.target_converter->allowed_values();
}

bool is_flag(const Entry& entry) {
    return entry.counted || (entry.implicit_value && holds(entry, typeid(bool)));
}

std::string placeholder(const Entry& entry) {
    if (holds_number(entry)) {
        return "NUMBER";
    }
    if (holds(entry, typeid(std::filesystem::path))) {
        return "FILE";
    }
    return holds(entry, typeid(bool)) ? "BOOLEAN" : "TEXT";
}

bool takes_file_name(const Entry& entry) {
    const std::string shown = placeholder(entry);
    return (shown == "TEXT" || shown == "FILE") && value_names(entry).empty();
}

std::vector<std::string> dashed_names(const Entry& entry) {
    std::vector<std::string> names;
    std::transform(entry.keys.begin(), entry.keys.end(), std::back_inserter(names), dashed);
    return names;
}

} // namespace argparse
