#pragma once

// The base of a declarative command line: a class derived from Args declares its arguments as
// reference members, and parse fills them.

#include <argparse/entry.hpp>

#include <exception>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace argparse {

class Args;

struct SubcommandEntry {
    std::shared_ptr<Args> args;
    // The other names that it may be given by, and what it does, for the help text and the
    // renderings.
    std::vector<std::string> aliases;
    std::string description;
};

// What a program opts into; each is off unless set. A subcommand has a setting that it or the
// object it belongs to has.
struct Settings {
    // An unknown option and a positional word beyond the declared ones are errors, the first
    // with a "did you mean" hint for a mistyped option name; "--" ends the options, and "-" is
    // a value.
    bool strict = false;
    // getopt_long's and clap's conventions, in a program that this makes strict too: -h beside
    // -? where no -h is declared; -t5 for -t 5 and -ct5 for -c -t 5; a word that reads as a
    // negative number (-5, -.5, -inf) is the value of an option that takes one; an option that
    // keeps one value may be given once; booleans are true, false, yes, no, on, off, 1 or 0 in
    // any letter case; an error names the option as typed, is the first in the order of the
    // words, suggests the nearest subcommand for an extra word, and is followed by the usage
    // line and a hint at --help.
    bool getopt = false;
    // The help text is wrapped to the terminal's width: COLUMNS, else that of the terminal the
    // help goes to, else 80.
    bool wrap_help = false;
    // The status that a command-line error ends the program with, where parse does not raise it;
    // getopt programs and clap end with 2. A subcommand ends with the program's.
    int error_status = 255;
};

// Arguments of which a command line may give at most one (exclusive), or all or none.
struct Group {
    bool exclusive;
    std::vector<std::shared_ptr<Entry>> entries;
};

// What parse throws with raise_on_error for a request that it would otherwise answer on standard
// output: text, which what() returns too, is what it would have printed.
struct Request : std::exception {
    std::string text;
    explicit Request(std::string text) : text(std::move(text)) {}
    const char* what() const noexcept override { return text.c_str(); }
};

// A help request: text is the help of the object asked (the subcommand's, for tool push --help),
// as help(std::ostream&) writes it; it holds nothing of that object, which may be gone.
struct HelpRequested : Request {
    using Request::Request;
};

// A version request: text is the version text.
struct VersionRequested : Request {
    using Request::Request;
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
    // The program's name and the subcommand names that lead to this object ("gt remote add"),
    // as the usage line shows them; set by parse, and by help for the subcommands' sections.
    std::string command_path;
    bool parsed = false;
    Settings settings;
    // With raise_on_error, the warnings that parse would otherwise write to standard error.
    std::vector<std::string> warnings;
    std::vector<Group> groups;
    // What version() declared: the text, and the option that asks for it.
    std::string version_text;
    std::shared_ptr<Entry> version_entry;

    Args() = default;
    // A copy shares the entries and so the parsed values: argparse/README.md tells what follows.
    Args(const Args&) = default;
    Args& operator=(const Args&) = default;
    virtual ~Args() = default;
    // Writes what the help text shows above the usage line; nothing unless overridden.
    virtual void welcome(std::ostream& /* out */) {}
    // Writes the help text to out, the subcommand titles in bold where out is a terminal
    // (std::cout's or std::cerr's) and NO_COLOR is unset or empty; parse calls it.
    virtual void help(std::ostream& out);
    // Writes the help text to standard output.
    void help();
    virtual int run() { return 0; }

    // Each declaration throws std::invalid_argument, naming the key, for a key list that holds
    // an empty name or, for an option, a name that cannot be typed or is already declared.
    Entry& arg(const std::string& key, const std::string& help);
    Entry& kwarg(const std::string& keys, const std::string& help,
                 const std::optional<std::string>& implicit_value = std::nullopt);
    Entry& flag(const std::string& keys, const std::string& help);
    // Declares an option that takes no value and counts how often it is given, for an unsigned
    // int member: -vvv gives 3, and --verbose=2 sets 2.
    Entry& count(const std::string& keys, const std::string& help);
    // Declares a flag that --no-NAME sets false again, for each of its names longer than a
    // letter: --color and --no-color.
    Entry& negatable(const std::string& keys, const std::string& help);
    bool has_options() const;

    // Declares an option, --version unless keys names others, that prints text and ends the
    // program with status 0 before required arguments are looked for.
    void version(const std::string& text, const std::string& keys = "version");
    // Declare that at most one of the arguments named (each by its first name) is given, or
    // that all or none are, on the command line or from the environment. Each throws
    // std::invalid_argument for a name not declared before.
    void exclusive(const std::vector<std::string>& names);
    void together(const std::vector<std::string>& names);

    // Declares a subcommand whose words a new Sub object parses; returns that object. names is a
    // key list: the subcommand's name, then its aliases ("remove,rm"); description says what it
    // does. Throws std::invalid_argument for a name that an option could not have, or one
    // already declared.
    template <typename Sub>
    Sub& subcommand(const std::string& names, const std::string& description = "") {
        const std::vector<std::string> keys = subcommand_keys(names);
        auto sub = std::make_shared<Sub>();
        sub->program_name = keys.front();
        subcommands[keys.front()] = std::make_shared<SubcommandEntry>(
            SubcommandEntry{sub, {keys.begin() + 1, keys.end()}, description});
        return *sub;
    }

    // Throws std::logic_error when this object has been parsed before, as has a copy made after.
    void parse(int argc, const char* const* argv, const bool& raise_on_error);

private:
    Entry& add_option(const std::string& keys, const std::string& help,
                      const std::optional<std::string>& implicit_value);
    std::vector<std::string> subcommand_keys(const std::string& names) const;
    void parse_command(int argc, const char* const* argv, bool raise_on_error);
    void parse_subcommand(int argc, const char* const* argv, bool raise_on_error);
    void add_group(bool exclusive, const std::vector<std::string>& names);
};

} // namespace argparse
