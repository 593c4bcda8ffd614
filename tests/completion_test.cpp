#include <argparse/completion.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

enum class Colour { RED, GREEN, BLUE };

// Returns what bash prints, on either stream, when it runs script in a new directory that holds the
// file N45E007.
std::string bash(const std::string& script) {
    std::string dir = std::filesystem::temp_directory_path() / "completion-XXXXXX";
    ::mkdtemp(dir.data());
    std::ofstream(dir + "/N45E007").close();
    std::ofstream(dir + ".sh") << script;
    FILE* shell = ::popen(("cd " + dir + " && bash --norc " + dir + ".sh 2>&1").c_str(), "r");
    std::string output(4096, '\0');
    output.resize(std::fread(output.data(), 1, output.size(), shell));
    ::pclose(shell);
    std::filesystem::remove_all(dir);
    std::filesystem::remove(dir + ".sh");
    return output;
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
    struct Paint : argparse::Args {
        std::string& file = arg("FILE", "the file to paint");
        Colour& colour = kwarg("c,colour,it's", "the colour").set_default("red");
        Colour& shade = kwarg("shade", "a shade", "blue");
        bool& dry = flag("n", "dry run");
    } paint;
    std::ifstream file(MAVREL_COMPLETION);
    const std::string mavrel(std::istreambuf_iterator<char>(file), {});
    const std::string other = argparse::bash_completion(paint, "paint-it");
    const std::tuple<const std::string&, std::vector<std::string>, std::string> cases[] = {
        {mavrel, {"mavrel", "T", "3", "-d", ""}, "int16 int32 int64 float32 float64\n"},
        {mavrel, {"mavrel", "--fla|x"}, "--flag-type\n"},
        {mavrel, {"mavrel", "-d", "=", "i|x"}, "int16 int32 int64\n"},
        {mavrel, {"mavrel", "T", "3", "--data-type", "=", "fl"}, "float32 float64\n"},
        {mavrel, {"mavrel", "-f", "="}, "int8 int16 int32 int64\n"},
        {mavrel, {"mavrel", "-"}, "-d --data-type -f --flag-type --version -? --help\n"},
        {mavrel, {"mavrel", "--version", "N4"}, "N45E007\n"},
        {other, {"paint-it", "--"}, "--colour --it's --shade --help\n"},
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
             "$t new-session -d 'bash --norc' && $t send-keys 'source " MAVREL_COMPLETION
             "' Enter\nsleep 0.5 && $t send-keys 'mavrel --version d' Tab ' a' Tab && sleep 0.5\n"
             "$t capture-pane -p | grep -o 'mavrel --version.*'; $t kill-server\n"),
        "mavrel --version dir/ a\\ b\n");
}

} // namespace
