#pragma once

#include <argparse/entry.hpp>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace argparse {

class Args;

struct SubcommandEntry {
    std::shared_ptr<Args> args;
};

// Base of a declarative command line: derived classes bind reference members to entries.
class Args {
public:
    std::vector<std::string> words;
    std::vector<std::shared_ptr<Entry>> entries;
    std::map<std::string, std::shared_ptr<Entry>> option_map;
    std::vector<std::shared_ptr<Entry>> positional_entries;
    std::map<std::string, std::shared_ptr<SubcommandEntry>> subcommands;
    std::string program_name;
    bool parsed = false;

    Args() = default;
    // A copy shares the entries and so the parsed values: argparse/README.md tells what follows.
    Args(const Args&) = default;
    Args& operator=(const Args&) = default;
    virtual ~Args() = default;
    virtual void welcome() {}
    virtual void help();
    virtual int run() { return 0; }

    // Each declaration throws std::invalid_argument, naming the key, for a key list that holds
    // an empty name or, for an option, a name that cannot be typed or is already declared.
    Entry& arg(const std::string& key, const std::string& help);
    Entry& kwarg(const std::string& keys, const std::string& help,
                 const std::optional<std::string>& implicit_value = std::nullopt);
    Entry& flag(const std::string& keys, const std::string& help);
    bool has_options();

    // Declares a subcommand whose words a new Sub object parses; returns that object. Throws
    // std::invalid_argument for an empty name or one already declared.
    template <typename Sub> Sub& subcommand(const std::string& name) {
        check_subcommand_name(name);
        auto sub = std::make_shared<Sub>();
        subcommands[name] = std::make_shared<SubcommandEntry>(SubcommandEntry{sub});
        return *sub;
    }

    // Throws std::logic_error when this object has been parsed before, as has a copy made after.
    void parse(int argc, const char* const* argv, const bool& raise_on_error);

private:
    Entry& add_option(const std::string& keys, const std::string& help,
                      const std::optional<std::string>& implicit_value);
    void check_subcommand_name(const std::string& name) const;
};

} // namespace argparse
