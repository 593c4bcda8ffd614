#include "shell_quoting.hpp"

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

// Returns what script's function for the line's first word offers, as readline calls it: with
// the cursor at the end of the line, or where it holds a '|', and the word after the last
// blank, ":" or "=" before it as the word to complete. Outside readline compopt has nothing
// to set, so it does nothing.
std::string complete(const std::string& script, std::string line) {
    const std::size_t cursor = std::min(line.find('|'), line.size());
    line.erase(std::remove(line.begin(), line.end(), '|'), line.end());
    const std::string word =
        line.substr(0, cursor).substr(line.find_last_of(" :=", cursor - 1) + 1);
    return bash(script + "compopt() { :; }\nCOMP_LINE=" + argparse::quoted(line) + " COMP_POINT=" +
                std::to_string(cursor) + "\n$(complete -p " + line.substr(0, line.find(' ')) +
                " | cut -d' ' -f3) x " + argparse::quoted(word) + "\necho \"${COMPREPLY[*]}\"\n");
}

// The quoting of the bash and zsh scripts, which the tests use for their own commands too.
TEST(completion, quoted_escapes_only_the_single_quote) {
    EXPECT_EQ(argparse::quoted("$(a) \\ it's"), "'$(a) \\ it'\\''s'");
}

TEST(completion, scripts_offer_option_names_enumeration_values_and_files) {
    const Paint paint;
    const std::string mavrel = generated("mavrel.bash");
    const std::string other = argparse::bash_completion(paint, "paint-it");
    struct Logged : argparse::Args {
        std::filesystem::path& log = kwarg("log", "where to log");
    };
    const std::string logged = argparse::bash_completion(Logged(), "logged");
    const std::tuple<const std::string&, std::string, std::string> cases[] = {
        {mavrel, "mavrel T 3 -d ", "int16 int32 int64 float32 float64\n"},
        {mavrel, "mavrel --fla|x", "--flag-type\n"},
        {mavrel, "mavrel -d=i|x", "int16 int32 int64\n"},
        {mavrel, "mavrel T 3 --data-type=fl", "float32 float64\n"},
        {mavrel, "mavrel -f=", "int8 int16 int32 int64\n"},
        {mavrel, "mavrel -", "-d --data-type -f --flag-type --version -\\? --help\n"},
        {mavrel, "mavrel --version N4", "N45E007\n"},
        {mavrel, "mavrel \"a\\\"b\" -d ", "int16 int32 int64 float32 float64\n"},
        {mavrel, "mavrel T 3 -d \"fl", "float32 float64\n"},
        {logged, "logged --log ", "N45E007\n"},
        {other, "paint-it --", "--colour --it\\'s --shade --coats --help\n"},
        {other, "paint-it --it\\'s=b", "blue\n"},
        {other, "paint-it -c g", "green\n"},
        {other, "paint-it --shade ", "N45E007\n"},
        {other, "paint-it --shade=b", "blue\n"},
        {other, "paint-it -n ", "N45E007\n"},
    };
    for (const auto& [script, line, reply] : cases) {
        EXPECT_EQ(complete(script, line), reply) << line;
    }
    // mavrel-batch completes its subcommands, and each of its old names what it is now.
    for (const auto& [script, line, reply] :
         {std::tuple{"mavrel-batch", "mavrel-batch ",
                     "check names pending run status submit "
                     "task verify N45E007\n"},
          {"mavrel-batch", "mavrel-batch verify --re", "--remove-dead\n"},
          {"mavrel-batch", "mavrel-batch run T 3 -f ", "int8 int16 int32 int64\n"},
          {"mavrel-verify", "mavrel-verify --hea", "--headers\n"}}) {
        EXPECT_EQ(complete(generated(std::string(script) + ".bash"), line), reply) << line;
    }
    EXPECT_EQ(
        shell("fish --no-config -c 'source ../b.fish; source ../s.fish; complete -C\"mavrel-batch "
              "st\"; complete -C\"mavrel-strict --g\"'",
              {{"b.fish", generated("mavrel-batch.fish")},
               {"s.fish", generated("mavrel-strict.fish")}}),
        "status\ttell where a batch stands\n"
        "--georef\twrite the tile's headers for GIS tools too, as mavrel-georef\n");
    // Sourcing a script adds its function and nothing else to the shell.
    EXPECT_EQ(bash("true; variables=$(compgen -v; echo variables)\n" + other +
                   "compgen -A function; comm -13 <(echo \"$variables\") <(compgen -v)\n"),
              "_paint_it\n");
}

// Typed into an interactive bash, a directory completes with its slash and a blank is escaped.
TEST(completion, file_names_complete_as_readline_quotes_them) {
    EXPECT_EQ(bash("t=\"tmux -S $PWD/.tmux\" && mkdir dir && touch 'a b'\n"
                   "await() { for _ in $(seq 1000); do eval \"$1\" && return; sleep 0.01; done; }\n"
                   "$t new-session -d 'bash --norc' && $t send-keys 'source " MAVREL_GENERATED
                   "/mavrel.bash; : >loaded' Enter\nawait '[ -e loaded ]'\n"
                   "$t send-keys 'mavrel --version d' Tab ' a' Tab\n"
                   "await '$t capture-pane -p | grep -q \"b$\"'\n"
                   "$t capture-pane -p | grep -o 'mavrel --version.*'; $t kill-server\n"),
              "mavrel --version dir/ a\\ b\n");
}

// Types each line and Ctrl-T into an interactive zsh, whose widget for Ctrl-T completes and
// shows, between "42<" and ">", the words that compadd was given and that match.
const char* const zsh_driver = R"(zmodload zsh/zpty
zpty z 'zsh -f -i'
zpty -w z 'fpath=($PWD:h $fpath); autoload -U compinit; compinit -u -D
compadd() { if (( ! ${@[(I)-[OAD]]} )); then local -a m; builtin compadd -O m "$@"; print -rl -- $m >>../words; fi; builtin compadd "$@" }
capture() { : >../words; zle complete-word; print -rn -- "$((6*7))<$(grep . ../words | sort -u | paste -sd" ")>"; zle kill-whole-line }
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
    EXPECT_EQ(
        shell("fish --no-config -c 'source ../mavrel.fish; source ../paint-it.fish\n"
              "for line in $argv; complete -C$line | string replace -r \"\\t.*\" \"\" | "
              "string join \" \"; end; complete -C\"paint-it --sh\"; complete -C\"mavrel --ver\"' "
              "'mavrel --data-type ' "
              "'mavrel -f ' 'mavrel --d' 'mavrel --version N4' 'paint-it --shade=' "
              "'paint-it --shade N' 'paint-it --coats ' \"paint-it --it\\\\'s \"",
              files),
        "float32 float64 int16 int32 int64\nint8 int16 int32 int64\n--data-type\nN45E007\n"
        "--shade=blue --shade=green --shade=red\nN45E007\nblue green red\n"
        "--shade\ta \"shade\" of $HOME's \\ colour .br [dark]: yes\n"
        "--shade=\ta \"shade\" of $HOME's \\ colour .br [dark]: yes\n"
        "--version\tprint the version and exit; only as the sole argument\n");
    // elvish's menu shows a description on one line too, its quote written twice.
    EXPECT_NE(argparse::elvish_completion(paint, "paint-it")
                  .find(R"('a "shade" of $HOME''s \ colour .br [dark]: yes')"),
              std::string::npos);
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
                --coats NUMBER [-n] [-?]

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

// The page's date comes from SOURCE_DATE_EPOCH, when set, which must be a whole number of
// seconds: anything else is refused rather than read in part.
TEST(completion, man_page_date_is_source_date_epoch_or_refused) {
    const Paint paint;
    argparse::ManPage page;
    page.summary = "paint a file";
    const auto date_line = [&](const char* epoch) {
        ::setenv("SOURCE_DATE_EPOCH", epoch, 1);
        std::string text;
        try {
            text = argparse::man_page(paint, "paint-it", page);
            text = text.substr(0, text.find('\n'));
        } catch (const std::invalid_argument& refusal) {
            text = refusal.what();
        }
        ::unsetenv("SOURCE_DATE_EPOCH");
        return text;
    };
    EXPECT_EQ(date_line("86400"), R"(.TH "paint-it" "1" "1970-01-02" "paint-it")");
    for (const char* epoch : {"abc", "-5", "5x", " 5", "99999999999999999999"}) {
        EXPECT_EQ(date_line(epoch),
                  "SOURCE_DATE_EPOCH is not a number of seconds: \"" + std::string(epoch) + "\"");
    }
    // A number of seconds so great that its year has no date.
    EXPECT_EQ(date_line("99999999999999999"), "no date for 99999999999999999 seconds");
}

// OPTIONS follows the section DESCRIPTION, or SYNOPSIS where a page has none.
TEST(completion, man_page_options_follow_description_or_synopsis) {
    const Paint paint;
    argparse::ManPage page;
    page.summary = "paint a file";
    page.date = "2026-01-01";
    const auto titles = [&] {
        const std::string text = argparse::man_page(paint, "paint-it", page);
        std::string found;
        for (std::size_t at = text.find(".SH "); at != std::string::npos;
             at = text.find(".SH ", at + 1)) {
            found += text.substr(at + 4, text.find('\n', at) - at - 4) + " ";
        }
        return found;
    };
    page.sections = {{"EXAMPLES", "none"}};
    EXPECT_EQ(titles(), "NAME SYNOPSIS \"OPTIONS\" \"EXAMPLES\" ");
    page.sections = {{"EXAMPLES", "none"}, {"DESCRIPTION", "paints"}};
    EXPECT_EQ(titles(), "NAME SYNOPSIS \"EXAMPLES\" \"DESCRIPTION\" \"OPTIONS\" ");
}

// The page lists the variables, shows a positional argument with a default as optional, takes a
// subcommand's texts by its words, and quotes a default that ends with a full stop.
TEST(completion, man_page_has_the_environment_and_texts_by_command) {
    struct Sub : argparse::Args {
        bool& verbose = flag("v", "talk").set_env("SUB_TALK");
    };
    struct Tool : argparse::Args {
        std::string& dir = arg("DIR", "where").set_env("TOOL_DIR").set_default(".");
        bool& verbose = flag("v", "talk");
        Sub& sub = subcommand<Sub>("sub");
    };
    argparse::ManPage page;
    page.summary = "tool";
    page.date = "2026-01-01";
    page.texts = {{"v", "the tool's"}, {"sub v", "the subcommand's"}};
    EXPECT_EQ(
        shell("LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "
              "../tool.1 >/dev/null; LC_ALL=C MANWIDTH=80 man -l ../tool.1 | grep -e '\\[-?\\]$' "
              "-e Default -e \"'s\" -e 'the value' -e '^ *[A-Z]*_'",
              {{"tool.1", argparse::man_page(Tool(), "tool", page)}}),
        R"(       tool [DIR] [-v] [-?]
       tool sub [-v] [-?]
              Default: ".".
       -v     the tool's
       -v     the subcommand's
       TOOL_DIR
              the value of DIR where the command line gives none.
       SUB_TALK
              the value of -v of sub where the command line gives none.
)");
}

// Each program's page says more of --version and --help than their help texts can.
TEST(completion, man_pages_give_their_own_texts_for_version_and_help) {
    EXPECT_EQ(shell("for page in mavrel mavrel-georef; do zcat " MAVREL_GENERATED "/$page.1.gz | "
                    "grep -c -e '^as the only argument, prints' -e '^prints the description, the "
                    "usage line'; done"),
              "2\n2\n");
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

// Names that each shell must quote, with help texts that would run if read as code, and a
// subcommand tree two levels deep.
struct Remote : argparse::Args {
    std::string& name = arg("NAME", "remote name");
    bool& verbose = flag("v,verbose", "talk more");
};

struct Push : argparse::Args {
    bool& force = flag("f,force", "$(touch pwned)");
    Colour& colour = kwarg("colour", "a colour").set_default(Colour::RED);
    Remote& remote = subcommand<Remote>("remote");
};

struct Hostile : argparse::Args {
    std::string& ab = kwarg("a:b", "{touch pwned}").set_default("");
    bool& xy = flag("x[y]", "[x]:y");
    bool& paren = flag("a)b", "a)b");
    std::string& dollar = kwarg("$(touch${IFS}pwned)", "`touch pwned`").set_default("");
    bool& plus = flag("c++", "plus");
    Colour& quote = kwarg("it's", "it's").set_default(Colour::RED);
    bool& backslash = flag("back\\slash", "back\\slash");
    Push& push = subcommand<Push>("push");
    Push& other = subcommand<Push>("p$(touch${IFS}pwned)");
};

// Subcommands with aliases and descriptions that would run if read as code, beside a count and a
// negatable flag, which take no value, in a getopt program, whose help option has -h too.
struct Described : argparse::Args {
    unsigned int& quiet = count("q,quiet", "say less");
    bool& color = negatable("color", "colour");
    Described() { settings.getopt = true; }
    Remote& remote = subcommand<Remote>("remote,rm", "manage $(touch pwned) remotes");
    Push& push = subcommand<Push>("push,p's", "send `touch pwned` commits");
};

std::vector<std::pair<std::string, std::string>> hostile_files() {
    const Hostile hostile;
    return {{"hostile.bash", argparse::bash_completion(hostile, "hostile")},
            {"_hostile", argparse::zsh_completion(hostile, "hostile")},
            {"hostile.fish", argparse::fish_completion(hostile, "hostile")},
            {"hostile.elv", argparse::elvish_completion(hostile, "hostile")},
            {"hostile", "#!/bin/sh\nprintf '[%s]' \"$@\"; echo; echo >>../ran\n"},
            {"driver", zsh_driver},
            {"check.elv", "for l [[-] [''] [push ''] [push remote -] [push --colour '']] {\n"
                          "  echo '[' ($edit:completion:arg-completer[hostile] hostile $@l | each "
                          "{|c| if (==s (kind-of $c) string) { put $c } else { put $c[stem] } } | "
                          "order)\n}\n"},
            {"described.elv", argparse::elvish_completion(Described(), "described")},
            {"described.check", "for l [[''] [rm -] ['p''s' '']] {\n  echo '[' "
                                "($edit:completion:arg-completer[described] described $@l | each "
                                "{|c| put (to-string $c[display]) } | order)\n}\n"}};
}

// Types each line into an interactive shell under tmux, after the first line, which loads the
// completion: Tab for each '|', and Enter twice at the end (elvish's first may only close its
// list). Each Tab is awaited until the pane shows what it did, each line until it has run,
// which the program hostile notes in ../ran, as a line without Tab does itself; at most ten
// seconds each. Returns the lines that hostile printed, then the files left in the directory.
std::string typed(const std::string& start, const std::vector<std::string>& lines) {
    std::string keys =
        "changed() { for _ in $(seq 1000); do [ \"$($t capture-pane -p)\" != \"$1\" ] && return; "
        "sleep 0.01; done; }\nran() { for _ in $(seq 1000); do [ \"$(cat ../ran 2>/dev/null | wc "
        "-l)\" "
        "= $1 ] && return; sleep 0.01; done; }\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const bool tabs = line.find('|') != std::string::npos;
        for (std::size_t begin = 0, end = 0; end != std::string::npos; begin = end + 1) {
            end = line.find('|', begin);
            keys += "$t send-keys -l -- " +
                    argparse::quoted(line.substr(begin, end - begin) +
                                     (tabs ? "" : "; echo >>../ran")) +
                    (end == std::string::npos
                         ? " && $t send-keys Enter Enter\n"
                         : " && shown=$($t capture-pane -p) && $t send-keys Tab && changed "
                           "\"$shown\"\n");
        }
        keys += "ran " + std::to_string(i + 1) + "\n";
    }
    return shell("chmod +x ../hostile && t=\"tmux -S $PWD/.tmux\" && $t new-session -d -x 200 -y "
                 "100 \"PATH=$PWD/..:$PATH " +
                     start + "\"\n" + keys +
                     "$t capture-pane -p -S - | grep '^\\['; $t kill-server; ls -A",
                 hostile_files());
}

const std::vector<std::string> hostile_lines = {"hostile --a:|",
                                                "hostile --x|",
                                                "hostile --c|",
                                                "hostile --it|",
                                                "hostile --back|",
                                                "hostile push re|",
                                                "hostile push --colour g|",
                                                "hostile push remote --v|"};
const char* const hostile_output = "[--a:b]\n[--x[y]]\n[--c++]\n[--it's]\n[--back\\slash]\n"
                                   "[push][remote]\n[push][--colour][green]\n"
                                   "[push][remote][--verbose]\n";

TEST(completion, hostile_names_complete_to_themselves_in_every_shell_and_run_nothing) {
    std::vector<std::string> lines = hostile_lines;
    lines.insert(lines.end(), {"hostile --a\\)|", "hostile --\\$|", "hostile p\\$|"});
    const std::string output = std::string(hostile_output) + "[--a)b]\n[--$(touch${IFS}pwned)]\n" +
                               "[p$(touch${IFS}pwned)]\n.tmux\nN45E007\n";
    lines.insert(lines.begin(), "source ../hostile.bash");
    EXPECT_EQ(typed("bash --norc -i", lines), output);
    lines.front() = "fpath=(.. $fpath); autoload -U compinit; compinit -u -D";
    EXPECT_EQ(typed("zsh -f -i", lines), output);
    lines = hostile_lines;
    lines.insert(lines.begin(), "eval (slurp < ../hostile.elv)");
    EXPECT_EQ(typed("elvish -norc", lines), std::string(hostile_output) + ".tmux\nN45E007\n");
}

// The page has a synopsis and a section for each subcommand; man reads it without a warning,
// lexgrog its NAME, and a page without a summary for NAME is refused.
TEST(completion, man_page_has_a_section_for_each_subcommand) {
    const Hostile hostile;
    argparse::ManPage page;
    EXPECT_THROW(argparse::man_page(hostile, "hostile", page), std::invalid_argument);
    page.summary = "complete \\ nothing";
    page.date = "2026-01-01";
    EXPECT_EQ(shell("LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "
                    "../hostile.1 >/dev/null; lexgrog ../hostile.1; LC_ALL=C MANWIDTH=80 man -l "
                    "../hostile.1 | grep -A1 '^ *hostile p\\|^SUBCOMMAND'",
                    {{"hostile.1", argparse::man_page(hostile, "hostile", page)}}),
              "../hostile.1: \"hostile - complete \\ nothing\"\n"
              "       hostile p$(touch${IFS}pwned) [-f] [--colour red|green|blue] [-?]\n\n"
              "       hostile p$(touch${IFS}pwned) remote NAME [-v] [-?]\n\n"
              "       hostile push [-f] [--colour red|green|blue] [-?]\n\n"
              "       hostile push remote NAME [-v] [-?]\n\n--\n"
              "SUBCOMMAND p$(touch${IFS}pwned)\n       -f, --force\n--\n"
              "SUBCOMMAND p$(touch${IFS}pwned) remote\n       NAME   remote name\n--\n"
              "SUBCOMMAND push\n       -f, --force\n--\n"
              "SUBCOMMAND push remote\n       NAME   remote name\n");
}

TEST(completion, subcommands_and_their_options_complete_in_zsh_fish_and_elvish) {
    const char* const names = "--$(touch${IFS}pwned) --a)b --a:b --back\\slash --c++ --help "
                              "--it's --x[y]";
    EXPECT_EQ(shell("printf '%s\\n' 'hostile --' 'hostile ' 'hostile push ' "
                    "'hostile p\\$\\(touch\\$\\{IFS\\}pwned\\) remote -' 'hostile push --colour ' "
                    "| timeout 20 zsh -f ../driver; ls",
                    hostile_files()),
              "hostile --|" + std::string(names) +
                  "\nhostile |N45E007 p$(touch${IFS}pwned) push\nhostile push |N45E007 remote\n"
                  "hostile p\\$\\(touch\\$\\{IFS\\}pwned\\) remote -|--help --verbose -? -v\n"
                  "hostile push --colour |blue green red\nN45E007\n");
    EXPECT_EQ(shell("fish --no-config -c 'source ../hostile.fish; for line in $argv; complete "
                    "-C$line | string replace -r \"\\t.*\" \"\" | sort | string join \" \"; end' "
                    "'hostile --' 'hostile ' 'hostile push ' 'hostile push remote -' "
                    "'hostile push --colour '; ls",
                    hostile_files()),
              std::string(names) +
                  "\nN45E007 p$(touch${IFS}pwned) push\nN45E007 remote\n--help --verbose -? -v\n"
                  "blue green red\nN45E007\n");
    EXPECT_EQ(
        typed("elvish -norc", {"eval (slurp < ../hostile.elv)", "eval (slurp < ../check.elv)"}),
        "[ --$(touch${IFS}pwned) --a)b --a:b --back\\slash --c++ --help --it's --x[y] -?\n"
        "[ N45E007 p$(touch${IFS}pwned) push\n[ N45E007 remote\n[ --help --verbose -? -v\n"
        "[ blue green red\n.tmux\nN45E007\n");
}

// Every shell offers a subcommand's aliases beside its name and moves on by either; zsh (its
// compadd replaced by one that prints what it shows), fish and elvish show the descriptions, and
// the page has them in each subcommand's section.
TEST(completion, subcommand_aliases_and_descriptions_complete_in_every_shell) {
    const Described described;
    const std::string script = argparse::bash_completion(described, "described");
    EXPECT_EQ(complete(script, "described -q ") + complete(script, "described rm -") +
                  complete(script, "described p\\'s r") + complete(script, "described --no"),
              "push p\\'s remote rm N45E007\n-v --verbose -\\? -h --help\nremote\n--no-color\n");
    argparse::ManPage page;
    page.summary = "describe";
    const std::vector<std::pair<std::string, std::string>> files = {
        {"described.1", argparse::man_page(described, "described", page)},
        {"_described", argparse::zsh_completion(described, "described")},
        {"described.fish", argparse::fish_completion(described, "described")},
        {"stub.zsh", "compadd() { local d=${@[(i)-d]}; (( d < $# )) && print -rl -- "
                     "${(P)${@[d+1]}} || print -rl -- ${@[${@[(i)--]}+1,-1]} }\n"
                     "_files() {}; compset() {}; compdef() {}; source ../_described\n"
                     "while IFS= read -r line; do words=(described ${(z)line}); "
                     "CURRENT=$#words PREFIX=$words[-1]; _described; done\n"}};
    const std::string shown = "push  -- send `touch pwned` commits\np's  -- send `touch pwned` "
                              "commits\nremote  -- manage $(touch pwned) remotes\nrm  -- manage "
                              "$(touch pwned) remotes\n";
    EXPECT_EQ(shell("printf '%s\\n' \"''\" 'rm -' \"p\\\\'s ''\" | zsh -f ../stub.zsh; ls", files),
              shown + "-v  -- talk more\n--verbose  -- talk more\n-?  -- print help\n-h  -- print "
                      "help\n--help  -- print help\nremote\nN45E007\n");
    EXPECT_EQ(shell("fish --no-config -c 'source ../described.fish; for line in $argv; complete "
                    "-C$line | string match -v N45E007; end' 'described ' 'described rm --' "
                    "\"described p\\\\'s \"; ls",
                    files),
              "p's\tsend `touch pwned` commits\npush\tsend `touch pwned` commits\nremote\tmanage "
              "$(touch pwned) remotes\nrm\tmanage $(touch pwned) remotes\n--help\tprint help\n"
              "--verbose\ttalk more\nremote\nN45E007\n");
    EXPECT_NE(files.front().second.find("Aliases: \\fBp's\\fR."), std::string::npos);
    EXPECT_EQ(shell("LC_ALL=C MANWIDTH=80 man -l ../described.1 | grep -A2 -x 'SUBCOMMAND [a-z]*'",
                    files),
              "SUBCOMMAND push\n       send `touch pwned` commits\n       Aliases: p's.\n--\n"
              "SUBCOMMAND remote\n       manage $(touch pwned) remotes\n       Aliases: rm.\n");
    EXPECT_EQ(typed("elvish -norc",
                    {"eval (slurp < ../described.elv)", "eval (slurp < ../described.check)"}),
              "[ N45E007 p's -- send `touch pwned` commits push -- send `touch pwned` commits "
              "remote -- manage $(touch pwned) remotes rm -- manage $(touch pwned) remotes\n"
              "[ --help -- print help --verbose -- talk more -? -- print help -h -- print help -v "
              "-- talk more\n[ N45E007 remote\n.tmux\nN45E007\n");
}

} // namespace
