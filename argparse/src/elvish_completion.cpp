// The elvish completion module, rendered from the declarations.
#include "command_tree.hpp"
#include "rendered_options.hpp"

#include <argparse/completion.hpp>
#include <argparse/text.hpp>

namespace argparse {
namespace {

// Quotes text for elvish, in whose single quotes only the quote is special, written twice; a
// newline becomes a blank, as a description is one line.
std::string elvish_quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) {
        result += c == '\'' ? "''" : c == '\n' ? " " : std::string(1, c);
    }
    return result + "'";
}

std::string elvish_list(const std::vector<std::string>& words) {
    std::vector<std::string> quoted_list;
    for (const auto& word : words) {
        quoted_list.push_back(elvish_quoted(word));
    }
    return "[" + joined(quoted_list, " ") + "]";
}

std::string takes(const Entry& entry) {
    return is_flag(entry) ? "''" : entry.implicit_value ? "equals" : "next";
}

// The subcommands of a command: by each word that names one, the subcommand's name and what the
// menu shows, with its description where it has one. A program without subcommands keeps the
// list of names that its module always had.
std::string subcommands(const Args& args, bool described) {
    std::string map;
    for (const auto& [name, subcommand] : args.subcommands) {
        const std::string& description = subcommand->description;
        for (const auto& word : names_of(name, *subcommand)) {
            map += (map.empty() ? "&" : " &") + elvish_quoted(word) +
                   "=[&name=" + elvish_quoted(name) + " &shown=" +
                   elvish_quoted(word + (description.empty() ? "" : " -- " + description)) + "]";
        }
    }
    return !described ? elvish_list(subcommand_names(args)) : "[" + (map.empty() ? "&" : map) + "]";
}

std::string command_data(const Command& command, const Descriptions& descriptions, bool described) {
    std::string options;
    for (const auto& entry : options_of(command)) {
        options += "      [&names=" + elvish_list(dashed_names(*entry)) +
                   " &description=" + elvish_quoted(description(command, *entry, descriptions)) +
                   " &takes=" + takes(*entry) + " &values=" + elvish_list(value_names(*entry)) +
                   " &files=$" + (takes_file_name(*entry) ? "true" : "false") + "]\n";
    }
    return "  &" + elvish_quoted(command.path) +
           "=[&subs=" + subcommands(*command.args, described) + " &options=[\n" + options +
           "    ]]\n";
}

// Given the words of the command line, the last being completed, puts the value names or file
// names of the option before that word or of the --name= it begins with, the option names
// with their descriptions, or the subcommand names and file names; elvish keeps those that
// begin with the word, and quotes what it inserts.
// A word moves to the subcommand it names, by name or alias, and a subcommand is offered with
// its description; a program without subcommands keeps the steps by name that its module
// always had.
std::string engine(bool described) {
    const char* const step = described ? R"(    if (has-key $commands[$path][subs] $word) {
      set path = $path' '$commands[$path][subs][$word][name]
    })"
                                       : R"(    if (has-value $commands[$path][subs] $word) {
      set path = $path' '$word
    })";
    const char* const offer = described ? R"(    keys $commands[$path][subs] | each {|word|
      edit:complex-candidate $word &display=$commands[$path][subs][$word][shown]
    })"
                                        : "    all $commands[$path][subs]";
    return std::string(R"(fn complete {|@words|
  var path = ''
  var prev = ''
  for word $words[1..-1] {
)") + step +
           R"(
    set prev = $word
  }
  var cur = $words[-1]
  var name = $prev
  var prefix = ''
  if (and (str:has-prefix $cur -) (str:contains $cur =)) {
    set name = $cur[..(str:index $cur =)]
    set prefix = $name'='
  }
  var option = [&takes='' &values=[] &files=$false]
  for o $commands[$path][options] {
    if (has-value $o[names] $name) {
      set option = $o
    }
  }
  if (or (and (!=s $prefix '') (!=s $option[takes] '')) (and (==s $prefix '') (==s $option[takes] next))) {
    for value $option[values] {
      put $prefix$value
    }
    if $option[files] {
      edit:complete-filename $cur[(count $prefix)..] | each {|file|
        edit:complex-candidate $prefix$file[stem] &code-suffix=$file[code-suffix]
      }
    }
  } elif (str:has-prefix $cur -) {
    for o $commands[$path][options] {
      for n $o[names] {
        edit:complex-candidate $n &display=$n' -- '$o[description]
      }
    }
  } else {
)" + offer +
           R"(
    edit:complete-filename $cur
  }
}
)";
}

} // namespace

std::string elvish_completion(const Args& args, const std::string& program,
                              const Descriptions& descriptions) {
    const bool described = !args.subcommands.empty();
    std::string data;
    for (const auto& command : commands_of(args)) {
        data += command_data(command, descriptions, described);
    }
    return "# Completion of " + program + " for elvish, made from its declarations: \"use " +
           program +
           "\" sets it.\nuse str\n\n"
           "# The options and subcommands of the program and of each subcommand, by the words of\n"
           "# the subcommands after the program's name.\nvar commands = [\n" +
           data + "]\n\n" + engine(described) + "\nset edit:completion:arg-completer[" +
           elvish_quoted(program) + "] = $complete~\n";
}

} // namespace argparse
