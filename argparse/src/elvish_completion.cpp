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

std::string command_data(const Command& command, const Descriptions& descriptions) {
    std::string options;
    for (const auto& entry : options_of(*command.args)) {
        options += "      [&names=" + elvish_list(dashed_names(*entry)) +
                   " &description=" + elvish_quoted(description(command, *entry, descriptions)) +
                   " &takes=" + takes(*entry) + " &values=" + elvish_list(value_names(*entry)) +
                   " &files=$" + (takes_file_name(*entry) ? "true" : "false") + "]\n";
    }
    return "  &" + elvish_quoted(command.path) +
           "=[&subs=" + elvish_list(subcommand_names(*command.args)) + " &options=[\n" + options +
           "    ]]\n";
}

// Given the words of the command line, the last being completed, puts the value names or file
// names of the option before that word or of the --name= it begins with, the option names
// with their descriptions, or the subcommand names and file names; elvish keeps those that
// begin with the word, and quotes what it inserts.
const char* const engine = R"(fn complete {|@words|
  var path = ''
  var prev = ''
  for word $words[1..-1] {
    if (has-value $commands[$path][subs] $word) {
      set path = $path' '$word
    }
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
    all $commands[$path][subs]
    edit:complete-filename $cur
  }
}
)";

} // namespace

std::string elvish_completion(const Args& args, const std::string& program,
                              const Descriptions& descriptions) {
    std::string data;
    for (const auto& command : commands_of(args)) {
        data += command_data(command, descriptions);
    }
    return "# Completion of " + program + " for elvish, made from its declarations: \"use " +
           program +
           "\" sets it.\nuse str\n\n"
           "# The options and subcommands of the program and of each subcommand, by the words of\n"
           "# the subcommands after the program's name.\nvar commands = [\n" +
           data + "]\n\n" + engine + "\nset edit:completion:arg-completer[" +
           elvish_quoted(program) + "] = $complete~\n";
}

} // namespace argparse
