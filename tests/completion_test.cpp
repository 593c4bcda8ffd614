#include "temp_dir.hpp"

#include <argparse/completion.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Returns what bash prints when it runs script in dir.
std::string bash(const std::string& script, const TempDir& dir) {
    const TempDir scratch;
    write_text(scratch / "script", script);
    const std::string command =
        "cd '" + dir.path.string() + "' && bash --norc " + scratch / "script";
    FILE* shell = ::popen(command.c_str(), "r");
    std::string output(4096, '\0');
    output.resize(std::fread(output.data(), 1, output.size(), shell));
    ::pclose(shell);
    return output;
}

// Returns the words that script's function for words[0] offers for the last of words.
std::string complete(const std::string& script, const std::vector<std::string>& words,
                     const TempDir& dir) {
    std::string call = script + "COMP_WORDS=(";
    for (const auto& word : words) {
        call += "'" + word + "' ";
    }
    return bash(call + ")\nCOMP_CWORD=" + std::to_string(words.size() - 1) + "\n$(complete -p " +
                    words[0] + " | cut -d' ' -f3)\necho \"${COMPREPLY[*]}\"\n",
                dir);
}

using Cases = std::vector<std::pair<std::vector<std::string>, std::string>>;

TEST(completion, mavrels_script_offers_options_type_names_and_files) {
    const TempDir dir;
    write_text(dir / "N45E007", "");
    const Cases cases = {
        {{"mavrel", "T", "3", "-d", ""}, "int16 int32 int64 float32 float64\n"},
        {{"mavrel", "T", "3", "--fl"}, "--flag-type\n"},
        {{"mavrel", "T", "3", "--data-type", "=", "fl"}, "float32 float64\n"},
        {{"mavrel", "T", "3", "-f", "="}, "int8 int16 int32 int64\n"},
        {{"mavrel", "-"}, "-d --data-type -f --flag-type --version -? --help\n"},
        {{"mavrel", "N4"}, "N45E007\n"},
        {{"mavrel", "--version", "N"}, "N45E007\n"},
    };
    for (const auto& [words, reply] : cases) {
        EXPECT_EQ(complete(read_file(MAVREL_COMPLETION), words, dir), reply)
            << testing::PrintToString(words);
    }
    // Sourcing the script adds its function and nothing else to the shell.
    EXPECT_EQ(bash("true; variables=$(compgen -v; echo variables)\n" +
                       read_file(MAVREL_COMPLETION) +
                       "compgen -A function; comm -13 <(echo \"$variables\") <(compgen -v)\n",
                   dir),
              "_mavrel\n");
}

enum class Colour { RED, GREEN, BLUE };

TEST(completion, any_declared_command_line_gets_its_own_script) {
    struct Paint : argparse::Args {
        std::string& file = arg("FILE", "the file to paint");
        Colour& colour = kwarg("c,colour", "the colour").set_default("red");
        Colour& shade = kwarg("shade", "a shade", "blue");
        bool& dry = flag("n", "dry run");
    } args;
    const std::string script = argparse::bash_completion(args, "paint-it");
    const TempDir dir;
    write_text(dir / "wall", "");
    const Cases cases = {
        {{"paint-it", "--"}, "--colour --shade --help\n"},
        {{"paint-it", "-c", ""}, "red green blue\n"},
        {{"paint-it", "--colour", "g"}, "green\n"},
        {{"paint-it", "--shade", ""}, "wall\n"},
        {{"paint-it", "--shade", "=", "b"}, "blue\n"},
        {{"paint-it", "-n", "w"}, "wall\n"},
    };
    for (const auto& [words, reply] : cases) {
        EXPECT_EQ(complete(script, words, dir), reply) << testing::PrintToString(words);
    }
    EXPECT_NE(script.find("\ncomplete -F _paint_it 'paint-it'\n"), std::string::npos);
}

} // namespace
