#include <argparse/completion.hpp>
#include <argparse/man_page.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

enum class Colour { RED, GREEN, BLUE };

// A help text that each renderer must quote: quotes, $, a backslash, brackets, a colon, and a
// newline before a dot that roff would read as a request.
const char* const awkward = "a \"shade\" of $HOME's \\ colour\n.br [dark]: yes";

struct Paint : argparse::Args {
    std::string& file = arg("FILE", "the file to paint");
    Colour& colour = kwarg("c,colour,it's", "the colour").set_default("red");
    Colour& shade = kwarg("shade", awkward, "blue");
    unsigned int& coats = kwarg("coats", "how many coats");
    bool& dry = flag("n", "dry run");
};

std::string generated(const std::string& name) {
    std::ifstream file(std::string(MAVREL_GENERATED) + "/" + name);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Returns what command prints, on either stream, run by sh in a new directory that holds only
// the file N45E007; the given files lie in its parent, "..".
std::string shell(const std::string& command,
                  const std::vector<std::pair<std::string, std::string>>& files = {}) {
    std::string dir = std::filesystem::temp_directory_path() / "completion-XXXXXX";
    ::mkdtemp(dir.data());
    std::filesystem::create_directory(dir + "/work");
    std::ofstream(dir + "/work/N45E007").close();
    for (const auto& [name, text] : files) {
        std::ofstream(dir + "/" + name) << text;
    }
    FILE* shell = ::popen(("cd " + dir + "/work && (" + command + ") 2>&1").c_str(), "r");
    std::string output;
    for (char chunk[4096]; std::size_t size = std::fread(chunk, 1, sizeof chunk, shell);) {
        output.append(chunk, size);
    }
    ::pclose(shell);
    std::filesystem::remove_all(dir);
    return output;
}

std::string bash(const std::string& script) {
    return shell("bash --norc ../script", {{"script", script}});
}

// Returns what script's function for words[0] offers for the last of words, as bash calls it:
// with the cursor at the end of that word, or where it holds a '|'.
std::string complete(const std::string& script, std::vector<std::string> words) {
    std::string& last = words.back();
    const std::string before_cursor = last == "=" ? "" : last.substr(0, last.find('|'));
    last.erase(std::remove(last.begin(), last.end(), '|'), last.end());
    std::string call = script + "COMP_WORDS=(";
    for (const auto& word : words) {
        call += "$'" + word + "' "; // in $'...' a quote is written \'
    }
    return bash(call + ")\nCOMP_CWORD=" + std::to_string(words.size() - 1) + "\n$(complete -p " +
                words[0] + " | cut -d' ' -f3) " + words[0] + " $'" + before_cursor +
                "'\necho \"${COMPREPLY[*]}\"\n");
}

TEST(completion, scripts_offer_option_names_enumeration_values_and_files) {
    const Paint paint;
    const std::string mavrel = generated("mavrel.bash");
    const std::string other = argparse::bash_completion(paint, "paint-it");
    const std::tuple<const std::string&, std::vector<std::string>, std::string> cases[] = {
        {mavrel, {"mavrel", "T", "3", "-d", ""}, "int16 int32 int64 float32 float64\n"},
        {mavrel, {"mavrel", "--fla|x"}, "--flag-type\n"},
        {mavrel, {"mavrel", "-d", "=", "i|x"}, "int16 int32 int64\n"},
        {mavrel, {"mavrel", "T", "3", "--data-type", "=", "fl"}, "float32 float64\n"},
        {mavrel, {"mavrel", "-f", "="}, "int8 int16 int32 int64\n"},
        {mavrel, {"mavrel", "-"}, "-d --data-type -f --flag-type --version -? --help\n"},
        {mavrel, {"mavrel", "--version", "N4"}, "N45E007\n"},
        {other, {"paint-it", "--"}, "--colour --it's --shade --coats --help\n"},
        {other, {"paint-it", "--it\\'s", "=", "b"}, "blue\n"},
        {other, {"paint-it", "-c", "g"}, "green\n"},
        {other, {"paint-it", "--shade", ""}, "N45E007\n"},
        {other, {"paint-it", "--shade", "=", "b"}, "blue\n"},
        {other, {"paint-it", "-n", ""}, "N45E007\n"},
    };
    for (const auto& [script, words, reply] : cases) {
        EXPECT_EQ(complete(script, words), reply) << testing::PrintToString(words);
    }
    // Sourcing a script adds its function and nothing else to the shell.
    EXPECT_EQ(bash("true; variables=$(compgen -v; echo variables)\n" + other +
                   "compgen -A function; comm -13 <(echo \"$variables\") <(compgen -v)\n"),
              "_paint_it\n");
}

// Typed into an interactive bash, a directory completes with its slash and a blank is escaped.
TEST(completion, file_names_complete_as_readline_quotes_them) {
    EXPECT_EQ(
        bash("t=\"tmux -S $PWD/.tmux\" && mkdir dir && touch 'a b'\n"
             "$t new-session -d 'bash --norc' && $t send-keys 'source " MAVREL_GENERATED
             "/mavrel.bash' Enter\nsleep 0.5 && $t send-keys 'mavrel --version d' Tab ' a' Tab "
             "&& sleep 0.5\n$t capture-pane -p | grep -o 'mavrel --version.*'; $t kill-server\n"),
        "mavrel --version dir/ a\\ b\n");
}

// Types each line and Ctrl-T into an interactive zsh, whose widget for Ctrl-T completes and
// shows, between "42<" and ">", the words that compadd was given and that match.
const char* const zsh_driver = R"(zmodload zsh/zpty
zpty z 'zsh -f -i'
zpty -w z 'fpath=($PWD:h $fpath); autoload -U compinit; compinit -u -D
compadd() { if (( ! ${@[(I)-[OAD]]} )); then local -a m; builtin compadd -O m "$@"; print -rl -- $m >>../words; fi; builtin compadd "$@" }
capture() { : >../words; zle complete-word; print -n "$((6*7))<$(grep . ../words | sort -u | paste -sd" ")>"; zle kill-whole-line }
zle -N capture; bindkey "^T" capture'
while IFS= read -r line; do
    zpty -wn z "$line"$'\C-t' && zpty -r z out '*42<*>' && print -r -- "$line|${${out##*42<}%>}"
done
)";

TEST(completion, zsh_and_fish_offer_option_names_enumeration_values_and_files) {
    const Paint paint;
    const std::vector<std::pair<std::string, std::string>> files = {
        {"_mavrel", generated("_mavrel")},
        {"mavrel.fish", generated("mavrel.fish")},
        {"_paint_it", argparse::zsh_completion(paint, "paint-it")},
        {"paint-it.fish", argparse::fish_completion(paint, "paint-it")},
        {"driver", zsh_driver}};
    EXPECT_EQ(shell("printf '%s\\n' 'mavrel --data-type ' 'mavrel --flag-type=' 'mavrel --' "
                    "'mavrel -' 'mavrel N4' 'paint-it --' 'paint-it --shade=' 'paint-it --shade N' "
                    "'paint-it -c ' | timeout 20 zsh -f ../driver",
                    files),
              "mavrel --data-type |float32 float64 int16 int32 int64\n"
              "mavrel --flag-type=|int16 int32 int64 int8\n"
              "mavrel --|--data-type --flag-type --help --version\n"
              "mavrel -|--data-type --flag-type --help --version -? -d -f\n"
              "mavrel N4|N45E007\n"
              "paint-it --|--coats --colour --help --it's --shade\n"
              "paint-it --shade=|blue green red\n"
              "paint-it --shade N|N45E007\n"
              "paint-it -c |blue green red\n");
    EXPECT_EQ(shell("fish --no-config -c 'source ../mavrel.fish; source ../paint-it.fish\n"
                    "for line in $argv; complete -C$line | string replace -r \"\\t.*\" \"\" | "
                    "string join \" \"; end; complete -C\"paint-it --sh\"' 'mavrel --data-type ' "
                    "'mavrel -f ' 'mavrel --d' 'mavrel --version N4' 'paint-it --shade=' "
                    "'paint-it --shade N' 'paint-it --coats ' \"paint-it --it\\\\'s \"",
                    files),
              "float32 float64 int16 int32 int64\nint8 int16 int32 int64\n--data-type\nN45E007\n"
              "--shade=blue --shade=green --shade=red\nN45E007\nblue green red\n"
              "--shade\ta \"shade\" of $HOME's \\ colour .br [dark]: yes\n"
              "--shade=\ta \"shade\" of $HOME's \\ colour .br [dark]: yes\n");
}

// Each shell and man read each rendering of a declaration with awkward texts without a word.
TEST(completion, renderings_of_any_declaration_load_without_error) {
    const Paint paint;
    argparse::ManPage page;
    page.summary = "paint a file";
    page.version = "2";
    page.sections = {{"DESCRIPTION", ".B paint-it\npaints."}, {"SEE ALSO", ".BR mavrel (1)"}};
    ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    const std::vector<std::pair<std::string, std::string>> files = {
        {"paint.bash", argparse::bash_completion(paint, "paint-it")},
        {"_paint_it", argparse::zsh_completion(paint, "paint-it")},
        {"paint.fish", argparse::fish_completion(paint, "paint-it")},
        {"paint.1", argparse::man_page(paint, "paint-it", page)}};
    ::unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(shell("bash -n ../paint.bash; zsh -n ../_paint_it; fish -n ../paint.fish; "
                    "LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "
                    "-Z ../paint.1 >/dev/null; LC_ALL=C MANWIDTH=80 man -l ../paint.1 | tail -n +3",
                    files),
              R"(NAME
       paint-it - paint a file

SYNOPSIS
       paint-it FILE [-c red|green|blue] [--shade[=red|green|blue]]
                [--coats NUMBER] [-n] [-?]

DESCRIPTION
       paint-it paints.

OPTIONS
       FILE   the file to paint

       -c, --colour, --it's red|green|blue
              the colour
              Default: red.

       --shade[=red|green|blue]
              a "shade" of $HOME's \ colour .br [dark]: yes
              Required.  Without a value: blue.

       --coats NUMBER
              how many coats
              Required.

       -n     dry run

       -?, --help
              print help

SEE ALSO
       mavrel(1)

paint-it 2                        2023-11-14                       paint-it(1)
)");
}

// The page says what --help says, without the parser's own words, as lintian and man-db read it;
// what is typed has minus signs (\-), which every renderer shows as such, not hyphens.
TEST(completion, man_page_describes_every_option_and_type_of_the_help_text) {
    EXPECT_EQ(
        shell("zcat " MAVREL_GENERATED "/mavrel.1.gz >../mavrel.1 && LC_ALL=C.UTF-8 "
              "MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z ../mavrel.1 "
              ">/dev/null; lexgrog ../mavrel.1; grep -c 'implicit:\\|fB[^\\]*-' ../mavrel.1\n"
              "options=$(LC_ALL=C MANWIDTH=200 man -l ../mavrel.1 | sed -n "
              "'/^OPTIONS/,/^[A-Z]/p')\n" MAVREL " --help | grep -oE -- '-[-?a-z]+|[a-z]+[0-9]+' "
              "| sort -u | while read -r word; do case $options in *\"$word\"*) echo \"$word\";; "
              "esac; done | paste -sd' '"),
        "../mavrel.1: \"mavrel - generate DEM tiles in TASMER generic format\"\n0\n--data-type "
        "--flag-type --help --version -? -d -f float32 float64 int16 int32 int64 int8\n");
}

} // namespace
