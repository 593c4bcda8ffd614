#include "parse_fixture.hpp"

#include <gtest/gtest.h>

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

const std::string tile_missing =
    "Argument missing: TILE (name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W'))";
const std::string no_value_for_d = "No value provided for: d";

struct RequiredName : argparse::Args {
    std::string &name = kwarg("n,name", "a name");
};
const std::string name_missing = "Argument missing: -n,--name (a name)";

// Options of every kind for the paths the tool's own command line does not reach.
struct Options : argparse::Args {
    std::string &name = kwarg("n,name", "a name").set_default("unset");
    std::string &list = kwarg("l,list", "a list").set_multi_valued().set_default("unset");
    bool &verbose = flag("v", "talk");
    std::string &rest = arg("REST", "the rest").set_default("none");
};

TEST(parse, option_forms_are_equivalent_and_letter_case_is_ignored) {
    const std::vector<std::vector<std::string>> forms = {
        {"T", "64", "--data-type", "int16", "--flag-type=INT32"},
        {"T", "64", "--data-type=int16", "-f", "int32"},
        {"-d", "Int16", "T", "-f=int32", "64"},
        {"-d=INT16", "T", "64", "--flag-type", "Int32"}};
    for (const auto &words : forms) {
        ToolArgs args;
        parse_words(args, words);
        EXPECT_EQ(args.tile, "T");
        EXPECT_EQ(args.width, 64U);
        EXPECT_EQ(args.data_type, Height::INT16);
        EXPECT_EQ(args.flag_type, Flag::INT32);
        EXPECT_FALSE(args.show_version);
    }
}

TEST(parse, defaults_fill_what_the_command_line_leaves_out) {
    ToolArgs args;
    parse_words(args, {"N45E007", "20", "--version"}, "/opt/x/tool.bin");
    EXPECT_EQ(args.program_name, "tool");
    EXPECT_EQ(args.data_type, Height::FLOAT32);
    EXPECT_EQ(args.flag_type, Flag::INT8);
    EXPECT_TRUE(args.show_version);
    EXPECT_EQ(args.entries.back()->keys, (std::vector<std::string>{"?", "help"}));
    EXPECT_EQ(args.entries.back()->value_text, "false");
}

TEST(parse, reports_the_first_error_in_declaration_order) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, tile_missing},
        {{"T"}, "Argument missing: WIDTH (tile width in pixels (tiles are square))"},
        {{"T", "abc"},
         "Invalid argument, could not convert \"abc\" for WIDTH (tile width in "
         "pixels (tiles are square))"},
        {{"T", "4294967296"},
         "Invalid argument \"4294967296\" for WIDTH (tile width in pixels "
         "(tiles are square)). Error: out of range"},
        {{"T", "-1"},
         "Invalid argument \"-1\" for WIDTH (tile width in pixels (tiles are "
         "square)). Error: out of range"},
        {{"T", "99999999999999999999999"},
         "Invalid argument \"99999999999999999999999\" for "
         "WIDTH (tile width in pixels (tiles are square)). "
         "Error: out of range"},
        {{"T", "1", "-d", "float16", "-f", "x"},
         "Invalid argument \"float16\" for -d,--data-type (type for height data). Error: enum is "
         "only accepting [int16, int32, int64, float32, float64]"},
        {{"T", "1", "-f", "float32"},
         "Invalid argument \"float32\" for -f,--flag-type (type for "
         "flag data). Error: enum is only accepting [int8, int16, "
         "int32, int64]"},
        {{"-d", "float16", "-d", "int16", "T", "1"},
         "Invalid argument \"float16\" for -d,--data-type (type for height data). Error: enum is "
         "only accepting [int16, int32, int64, float32, float64]"},
        {{"T", "1", "-d", "-f", "int8"}, no_value_for_d},
        {{"T", "1", "--data-type="},
         "Invalid argument \"\" for -d,--data-type (type for height "
         "data). Error: enum is only accepting [int16, int32, int64, "
         "float32, float64]"},
    };
    for (const auto &[words, message] : cases) {
        ToolArgs args;
        EXPECT_EQ(parse_error(args, words), message) << testing::PrintToString(words);
        EXPECT_FALSE(args.parsed);
    }
}

TEST(parse, grouped_letters_take_no_value_and_only_the_last_letter_may) {
    ToolArgs args;
    EXPECT_EQ(parse_error(args, {"T", "1", "-df", "int16"}), no_value_for_d);
    EXPECT_EQ(args.flag_type, Flag::INT16);
    EXPECT_EQ(args.data_type, Height::FLOAT32);

    Options options;
    parse_words(options, {"-vn=x y"});
    EXPECT_TRUE(options.verbose);
    EXPECT_EQ(options.name, "x y");

    ToolArgs joined;
    CaptureStderr();
    EXPECT_EQ(parse_error(joined, {"T", "1", "-d5"}), no_value_for_d);
    EXPECT_EQ(GetCapturedStderr(), "unrecognised commandline argument: 5\n");
}

TEST(parse, value_words_may_start_with_a_dash_and_a_digit) {
    Options options;
    parse_words(options, {"-n", "-5", "-0.5"});
    EXPECT_EQ(options.name, "-5");
    EXPECT_EQ(options.rest, "-0.5");

    Options empty;
    parse_words(empty, {"--name=", "-n", "-9x", "--name="});
    EXPECT_EQ(empty.name, "");
    EXPECT_EQ(empty.entries[0]->value_text, "");
}

TEST(parse, a_missing_value_keeps_its_error_after_the_default_is_applied) {
    ToolArgs args;
    EXPECT_EQ(parse_error(args, {"T", "1", "-d"}), no_value_for_d);
    EXPECT_EQ(args.data_type, Height::FLOAT32);

    RequiredName required;
    EXPECT_EQ(parse_error(required, {"-n"}), name_missing);
}

TEST(parse, unrecognised_options_are_reported_and_skipped) {
    ToolArgs args;
    CaptureStderr();
    parse_words(args, {"--colour", "red", "7", "extra", "-", "--", "--Version"});
    EXPECT_EQ(GetCapturedStderr(), "unrecognised commandline argument: colour\n"
                                   "unrecognised commandline argument: -\n"
                                   "unrecognised commandline argument: \n"
                                   "unrecognised commandline argument: Version\n");
    EXPECT_EQ(args.tile, "red");
    EXPECT_EQ(args.width, 7U);
    EXPECT_FALSE(args.show_version);
}

TEST(parse, multi_valued_options_join_their_value_words) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"-l"}, ""}, {{"-l", "a"}, "a"}, {{"--list", "a", "b", "-v"}, "a,b"}, {{"-l=a b"}, "a b"}};
    for (const auto &[words, list] : cases) {
        Options options;
        parse_words(options, words);
        EXPECT_EQ(options.list, list) << testing::PrintToString(words);
        EXPECT_EQ(options.verbose, words.back() == "-v");
        EXPECT_EQ(options.rest, "none");
    }
}

TEST(parse, a_multi_valued_positional_takes_the_words_between_front_and_back) {
    struct Positional : argparse::Args {
        std::string &first = arg("first", "first");
        std::string &all = arg("all", "all").set_multi_valued().set_default("-");
        std::string &last = arg("last", "last").set_default("-");
    };
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"1", "2", "3", "4"}, "1|2,3|4"},
        {{"1", "2"}, "1|-|2"},
        {{"1"}, "1|-|-"},
        {{"1", "2", "3"}, "1|2|3"},
    };
    for (const auto &[words, expected] : cases) {
        Positional args;
        parse_words(args, words);
        EXPECT_EQ(args.first + "|" + args.all + "|" + args.last, expected);
    }
}

TEST(parse, a_subcommand_word_hands_the_rest_of_the_line_to_its_object) {
    struct Pull : argparse::Args {
        std::string &source = arg("SOURCE", "where from");
    };
    struct Tool : argparse::Args {
        std::string &name = kwarg("n", "name").set_default("none");
        Pull &pull = subcommand<Pull>("pull");
    };
    Tool tool;
    CaptureStderr();
    parse_words(tool, {"-n", "x", "pull", "origin", "-n"});
    EXPECT_EQ(GetCapturedStderr(), "unrecognised commandline argument: n\n");
    EXPECT_EQ(tool.name, "x");
    EXPECT_EQ(tool.pull.source, "origin");
    EXPECT_EQ(tool.pull.program_name, "pull");
    EXPECT_TRUE(tool.pull.parsed);
    EXPECT_EQ(tool.words, (std::vector<std::string>{"-n", "x"}));

    Tool untouched;
    EXPECT_EQ(parse_error(untouched, {"-n", "pull"}), "Argument missing: SOURCE (where from)");
    EXPECT_TRUE(untouched.words.empty());
    EXPECT_FALSE(untouched.parsed);
}

TEST(parse, help_wins_over_errors_and_ends_the_process) {
    for (const char *request : {"-?", "--help", "--help=true", "-??"}) {
        RequiredName required;
        EXPECT_EXIT(parse_words(required, {"--name", request, "-n"}), testing::ExitedWithCode(0),
                    "^$");
    }
    RequiredName required;
    EXPECT_EQ(parse_error(required, {"--help=false", "-n"}), name_missing);
}

TEST(parse, without_raising_the_error_goes_to_standard_error_with_status_255) {
    ToolArgs args;
    const char *argv[] = {"mavrel"};
    EXPECT_EXIT(args.parse(1, argv, false), testing::ExitedWithCode(255),
                "^Argument missing: TILE \\(name of the tile \\(AXXBYYY, with A 'N' or 'S' and B "
                "'E' or 'W'\\)\\)\n$");
}

} // namespace
