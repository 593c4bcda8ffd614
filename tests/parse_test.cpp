#include "parse_fixture.hpp"

#include <gtest/gtest.h>

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using Words = std::vector<std::string>;

namespace {

const std::string no_value_for_d = "No value provided for: d";
const std::string name_missing = "Argument missing: -n,--name (a name)";
const std::string width_error = "Invalid argument \"%\" for WIDTH (tile width in pixels (tiles are "
                                "square)). Error: out of range";
const std::string height_error = "Invalid argument \"%\" for -d,--data-type (type for height data)."
                                 " Error: enum is only accepting [int16, int32, int64, float32, "
                                 "float64]";

std::string with(std::string message, const std::string& value) {
    return message.replace(message.find('%'), 1, value);
}

struct Options : argparse::Args {
    std::string& name = kwarg("n,name", "a name");
    std::string& list = kwarg("l,list", "a list").set_multi_valued().set_default("unset");
    bool& verbose = flag("v", "talk");
    std::string& rest = arg("REST", "the rest").set_default("none");
};

TEST(parse, option_forms_are_equivalent_and_defaults_fill_the_rest) {
    for (const Words& words : {Words{"T", "64", "--data-type", "int16", "--flag-type=INT32"},
                               Words{"-d", "Int16", "T", "-f=int32", "64", "--version"},
                               Words{"-d=INT16", "T", "64", "--flag-type", "Int32", "x"}}) {
        ToolArgs args;
        parse_words(args, words, "/opt/x/tool.bin");
        EXPECT_EQ(args.tile + args.program_name, "Ttool");
        EXPECT_EQ(args.width, 64U);
        EXPECT_EQ(args.data_type, Height::INT16);
        EXPECT_EQ(args.flag_type, Flag::INT32);
        EXPECT_EQ(args.show_version, words.back() == "--version");
    }
    ToolArgs defaults;
    parse_words(defaults, {"T", "0"});
    EXPECT_EQ(defaults.data_type, Height::FLOAT32);
    EXPECT_EQ(defaults.flag_type, Flag::INT8);
    EXPECT_EQ(defaults.entries.back()->keys, (Words{"?", "help"}));
}

TEST(parse, reports_the_first_error_in_declaration_order) {
    const std::pair<Words, std::string> cases[] = {
        {{"-f", "x"},
         "Argument missing: TILE (name of the tile (AXXBYYY, with A 'N' or 'S' and B "
         "'E' or 'W'))"},
        {{"T", "abc"},
         "Invalid argument, could not convert \"abc\" for WIDTH (tile width in "
         "pixels (tiles are square))"},
        {{"T", "4294967296"}, with(width_error, "4294967296")},
        {{"T", "-1"}, with(width_error, "-1")},
        {{"T", "99999999999999999999999"}, with(width_error, "99999999999999999999999")},
        {{"-d", "float16", "-d", "int16", "T", "1"}, with(height_error, "float16")},
        {{"T", "1", "--data-type="}, with(height_error, "")},
        {{"T", "1", "-d", "-f", "int8"}, no_value_for_d},
        {{"T", "1", "-d"}, no_value_for_d},
        {{"T", "1", "-f", "float32"},
         "Invalid argument \"float32\" for -f,--flag-type (type for "
         "flag data). Error: enum is only accepting [int8, int16, "
         "int32, int64]"},
    };
    for (const auto& [words, message] : cases) {
        ToolArgs args;
        EXPECT_EQ(parse_error(args, words), message) << testing::PrintToString(words);
        EXPECT_FALSE(args.parsed);
    }
}

TEST(parse, grouped_letters_take_no_value_but_the_last_may) {
    ToolArgs args;
    CaptureStderr();
    EXPECT_EQ(parse_error(args, {"T", "1", "-df", "int16", "-d5"}), no_value_for_d);
    EXPECT_EQ(GetCapturedStderr(), "unrecognised commandline argument: 5\n");
    EXPECT_EQ(args.flag_type, Flag::INT16);
    EXPECT_EQ(args.data_type, Height::FLOAT32); // the default, applied despite the error

    Options options;
    parse_words(options, {"-vn=x y", "-n", "-5", "-0.5"});
    EXPECT_TRUE(options.verbose);
    EXPECT_EQ(options.name + "|" + options.rest, "-5|-0.5");
    Options empty;
    EXPECT_EQ(parse_error(empty, {"--name=", "-n"}), "No value provided for: n");
    EXPECT_EQ(empty.name, "");
}

TEST(parse, unrecognised_options_are_reported_and_skipped) {
    ToolArgs args;
    CaptureStderr();
    parse_words(args, {"--colour", "red", "7", "extra", "-", "--", "--Version"});
    EXPECT_EQ(GetCapturedStderr(), "unrecognised commandline argument: colour\n"
                                   "unrecognised commandline argument: -\n"
                                   "unrecognised commandline argument: \n"
                                   "unrecognised commandline argument: Version\n");
    EXPECT_EQ(args.tile + "|" + std::to_string(args.width), "red|7");
}

TEST(parse, multi_valued_entries_join_their_words) {
    for (const auto& [words, list] : {std::pair<Words, std::string>{{"-n", "x", "-l"}, ""},
                                      {{"-n", "x", "--list", "a", "b", "-v"}, "a,b"},
                                      {{"-l=a b", "-n", "x"}, "a b"}}) {
        Options options;
        parse_words(options, words);
        EXPECT_EQ(options.list, list);
        EXPECT_EQ(options.verbose, words.back() == "-v");
    }
    struct Positional : argparse::Args {
        std::string& first = arg("first", "first");
        std::string& all = arg("all", "all").set_multi_valued().set_default("-");
        std::string& last = arg("last", "last").set_default("-");
    };
    for (const auto& [words, expected] :
         {std::pair<Words, std::string>{{"1", "2", "3", "4"}, "1|2,3|4"},
          {{"1", "2"}, "1|-|2"},
          {{"1"}, "1|-|-"}}) {
        Positional args;
        parse_words(args, words);
        EXPECT_EQ(args.first + "|" + args.all + "|" + args.last, expected);
    }
}

TEST(parse, a_subcommand_word_hands_the_rest_of_the_line_to_its_object) {
    struct Pull : argparse::Args {
        std::string& source = arg("SOURCE", "where from");
    };
    struct Tool : argparse::Args {
        std::string& name = kwarg("n", "name").set_default("none");
        Pull& pull = subcommand<Pull>("pull");
    };
    Tool tool;
    parse_words(tool, {"-n", "x", "pull", "origin"});
    EXPECT_EQ(tool.name + "|" + tool.pull.source + "|" + tool.pull.program_name, "x|origin|pull");
    EXPECT_EQ(tool.words, (Words{"-n", "x"}));
    Tool early;
    EXPECT_EQ(parse_error(early, {"-n", "pull"}), "Argument missing: SOURCE (where from)");
    EXPECT_TRUE(early.words.empty());
}

TEST(parse, help_wins_over_errors_and_errors_end_the_process_with_255) {
    for (const char* request : {"-?", "--help", "--help=true", "-??"}) {
        Options options;
        EXPECT_EXIT(parse_words(options, {"--name", request}), testing::ExitedWithCode(0), "^$");
    }
    Options options;
    EXPECT_EQ(parse_error(options, {"--help=false"}), name_missing);
    Options unreported;
    const char* argv[] = {"mavrel"};
    EXPECT_EXIT(unreported.parse(1, argv, false), testing::ExitedWithCode(255),
                "^Argument missing: -n,--name \\(a name\\)\n$");
}

} // namespace
