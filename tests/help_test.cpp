#include "parse_fixture.hpp"
#include "tool_help.hpp"

#include <gtest/gtest.h>

namespace {

std::string help_text(argparse::Args& args) {
    testing::internal::CaptureStdout();
    args.help();
    return testing::internal::GetCapturedStdout();
}

TEST(help, prints_the_tools_command_line_exactly) {
    ToolArgs args;
    parse_words(args, {"N45E007", "1"}, "/usr/local/bin/mavrel");
    EXPECT_EQ(help_text(args), tool_help_text);
}

TEST(help, annotations_keep_their_order_and_keys_their_dashes) {
    struct Odd : argparse::Args {
        std::string& long_key = kwarg("a-very-long-option-name", "long").set_default("");
        std::string& two = kwarg("ab,c", "", "yes");
        Height& height = kwarg("h", "height", "int64");
    } args;
    args.program_name = "odd";
    EXPECT_EQ(help_text(args),
              "Usage: odd  [options...]\n"
              "\n"
              "Options:\n"
              "--a-very-long-option-name : long [default: ]\n"
              "          --ab,-c :  [implicit: \"yes\", required]\n"
              "               -h : height [allowed: <int16, int32, int64, float32, float64>, "
              "implicit: \"int64\", required]\n");
}

TEST(help, subcommands_follow_in_name_order_with_bold_titles) {
    struct Sub : argparse::Args {
        std::string& source = arg("SOURCE", "from");
    };
    struct Tool : argparse::Args {
        Sub& push = subcommand<Sub>("push");
        Sub& pull = subcommand<Sub>("pull");
    } args;
    args.program_name = "tool";
    args.push.program_name = "push";
    args.pull.program_name = "pull";
    EXPECT_EQ(help_text(args), "Usage: tool  [SUBCOMMAND: pull, push, ]\n"
                               "\n\n\x1b[1mSubcommand: \x1b[0m\x1b[1mpull\x1b[0m\n"
                               "Usage: pull SOURCE \n"
                               "           SOURCE : from [required]\n"
                               "\n\n\x1b[1mSubcommand: \x1b[0m\x1b[1mpush\x1b[0m\n"
                               "Usage: push SOURCE \n"
                               "           SOURCE : from [required]\n");
}

} // namespace
