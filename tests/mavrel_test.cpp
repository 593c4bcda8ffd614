#include "run_binary.hpp"
#include "tool_help.hpp"

#include <gtest/gtest.h>

namespace {

const std::string welcome = "mavrel - generate DEM tiles in TASMER generic format.\n"
                            "The mavrel authors <https://mavrel.example.org/>\n"
                            "\n";
const std::string width_help = " for WIDTH (tile width in pixels (tiles are square))";

// Runs the built mavrel in a fresh directory, as a user would.
class Mavrel : public testing::Test {
protected:
    TempDir dir;

    Outcome run(const std::vector<std::string> &args) {
        return run_binary(MAVREL_BINARY, args, dir.path().string());
    }

    void expect_refused(const std::vector<std::string> &args, const std::string &message) {
        const Outcome outcome = run(args);
        EXPECT_EQ(outcome.status, 255);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, message + "\n");
        EXPECT_EQ(dir.names(), std::set<std::string>{}) << testing::PrintToString(args);
    }
};

TEST_F(Mavrel, answers_version_and_help_requests_on_standard_output) {
    const std::pair<std::vector<std::string>, std::string> requests[] = {
        {{"--version"}, "mavrel 0.1\n"},
        {{"--help"}, welcome + tool_help_text},
        {{"-?"}, welcome + tool_help_text},
        {{"N45E007", "abc", "-?"}, welcome + tool_help_text},
    };
    for (const auto &[args, text] : requests) {
        const Outcome outcome = run(args);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, text);
        EXPECT_EQ(outcome.err, "");
    }
    EXPECT_EQ(dir.names(), std::set<std::string>{});
}

TEST_F(Mavrel, refuses_bad_command_lines_on_standard_error_and_writes_nothing) {
    expect_refused({}, "Argument missing: TILE (name of the tile (AXXBYYY, with A 'N' or 'S' "
                       "and B 'E' or 'W'))");
    expect_refused({"--version", "extra"}, "Argument missing: WIDTH (tile width in pixels "
                                           "(tiles are square))");
    expect_refused({"N45E007", "64", "-d", "float16"},
                   "Invalid argument \"float16\" for -d,--data-type (type for height data). "
                   "Error: enum is only accepting [int16, int32, int64, float32, float64]");
    expect_refused({"N45E007", "wide"},
                   "Invalid argument, could not convert \"wide\"" + width_help);
    expect_refused({"N45E007", "4294967296"},
                   "Invalid argument \"4294967296\"" + width_help + ". Error: out of range");
    expect_refused({"N45E007", "18446744073709551616"},
                   "Invalid argument \"18446744073709551616\"" + width_help +
                       ". Error: out of range");
}

TEST_F(Mavrel, writes_the_default_tile_pair_byte_for_byte) {
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"N45E007", "3"}, {"N45E007", "3", "--version"}}) {
        const Outcome outcome = run(args);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out + outcome.err, "");
        EXPECT_EQ(read_file(dir / "N45E007"), std::string(36, '\0'));
        EXPECT_EQ(read_file(dir / "N45E007_flag"), std::string(9, '\x01'));
    }
}

TEST_F(Mavrel, sample_types_set_file_lengths_in_either_option_form_and_any_case) {
    const std::pair<std::string, std::size_t> heights[] = {
        {"int16", 2}, {"Int32", 4}, {"INT64", 8}, {"float32", 4}, {"FloaT64", 8}};
    for (const auto &[name, bytes] : heights) {
        for (const std::vector<std::string> &args :
             {std::vector<std::string>{"T", "5", "-d", name}, {"--data-type=" + name, "T", "5"}}) {
            ASSERT_EQ(run(args).status, 0);
            EXPECT_EQ(read_file(dir / "T"), std::string(bytes * 25, '\0')) << name;
            EXPECT_EQ(read_file(dir / "T_flag"), std::string(25, '\x01')) << name;
        }
    }
    const std::pair<std::string, std::size_t> flags[] = {
        {"INT8", 1}, {"int16", 2}, {"Int32", 4}, {"int64", 8}};
    for (const auto &[name, bytes] : flags) {
        for (const std::vector<std::string> &args :
             {std::vector<std::string>{"T", "5", "-f", name}, {"T", "--flag-type=" + name, "5"}}) {
            ASSERT_EQ(run(args).status, 0);
            std::string sample(bytes, '\0');
            sample[0] = '\x01';
            EXPECT_EQ(read_file(dir / "T_flag"), repeated(sample, 25)) << name;
        }
    }
}

TEST_F(Mavrel, warns_of_unrecognised_options_and_still_writes_the_tile) {
    const Outcome outcome = run({"--colour", "N45E007", "1", "-x"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "unrecognised commandline argument: colour\n"
                           "unrecognised commandline argument: x\n");
    EXPECT_EQ(read_file(dir / "N45E007"), std::string(4, '\0'));
}

TEST_F(Mavrel, reports_a_tile_it_cannot_write_on_standard_output) {
    const Outcome outcome = run({"nodir/N45E007", "3"});
    EXPECT_EQ(outcome.status, 255);
    EXPECT_EQ(outcome.out, "failed to create tile: nodir/N45E007: No such file or directory\n");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(dir.names(), std::set<std::string>{});
}

} // namespace
