#include "parse_fixture.hpp"

#include <gtest/gtest.h>

#include <memory>

using argparse::Entry;
using Keys = std::vector<std::string>;

namespace {

TEST(registry, key_lists_split_like_getline_on_commas) {
    EXPECT_EQ(argparse::split_keys("d,data-type"), (Keys{"d", "data-type"}));
    EXPECT_EQ(argparse::split_keys("?,help"), (Keys{"?", "help"}));
    EXPECT_EQ(argparse::split_keys("d, data-type"), (Keys{"d", " data-type"}));
    EXPECT_EQ(argparse::split_keys("a,,b"), (Keys{"a", "", "b"}));
    EXPECT_EQ(argparse::split_keys(",a"), (Keys{"", "a"}));
    EXPECT_EQ(argparse::split_keys("a,"), (Keys{"a"}));
    EXPECT_EQ(argparse::split_keys(""), Keys{});
    EXPECT_EQ(argparse::split_keys(std::string("x\0,y\0\0", 6)),
              (Keys{"x", std::string("y\0", 2)}));
}

TEST(registry, options_are_mapped_by_every_name_and_a_later_name_wins) {
    struct Declared : argparse::Args {
        std::string &tile = arg("TILE", "tile");
        std::string &first = kwarg("x,first", "first");
        std::string &second = kwarg("x", "second");
    } args;
    ASSERT_EQ(args.entries.size(), 3U);
    ASSERT_EQ(args.positional_entries.size(), 1U);
    EXPECT_EQ(args.positional_entries.front(), args.entries[0]);
    EXPECT_EQ(args.option_map.size(), 2U);
    EXPECT_EQ(args.option_map.at("first"), args.entries[1]);
    EXPECT_EQ(args.option_map.at("x"), args.entries[2]);
    EXPECT_EQ(args.entries[0]->kind, Entry::Kind::POSITIONAL);
    EXPECT_EQ(args.entries[1]->kind, Entry::Kind::OPTION);
}

TEST(registry, flags_and_defaults_record_text_and_typed_values) {
    struct Declared : argparse::Args {
        bool &version = flag("version", "show version");
        Height &height = kwarg("d", "height").set_default("float32");
        std::string &name = kwarg("n", "name").set_default("first").set_default(std::string("x"));
    } args;
    const Entry &version = *args.entries[0];
    EXPECT_EQ(version.kind, Entry::Kind::OPTION);
    EXPECT_EQ(version.implicit_value, "true");
    EXPECT_EQ(version.default_text, "false");
    ASSERT_TRUE(version.default_converter);
    EXPECT_FALSE(static_cast<argparse::ConvertType<bool> &>(*version.default_converter).data);
    EXPECT_EQ(args.entries[1]->default_text, "float32");
    EXPECT_FALSE(args.entries[1]->default_converter);
    EXPECT_EQ(args.entries[2]->default_text, "x");
    EXPECT_TRUE(args.entries[2]->default_converter);
    EXPECT_EQ(args.name, "");
}

TEST(registry, has_options_counts_the_help_option_that_parsing_adds) {
    struct OnlyPositional : argparse::Args {
        std::string &tile = arg("TILE", "tile");
    } args;
    EXPECT_FALSE(args.has_options());
    parse_words(args, {"N45E007"});
    EXPECT_TRUE(args.has_options());
    EXPECT_TRUE(args.parsed);
}

TEST(registry, copies_share_the_parsed_values_after_the_original_is_gone) {
    auto original = std::make_unique<ToolArgs>();
    parse_words(*original, {"N45E007", "64", "-d", "int16"});
    const ToolArgs copy = *original;
    original.reset();
    EXPECT_EQ(copy.tile, "N45E007");
    EXPECT_EQ(copy.width, 64U);
    EXPECT_EQ(copy.data_type, Height::INT16);
    EXPECT_EQ(copy.flag_type, Flag::INT8);
    EXPECT_EQ(copy.entries.size(), 6U);
}

} // namespace
