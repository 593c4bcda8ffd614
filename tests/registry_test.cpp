#include "parse_fixture.hpp"

#include <gtest/gtest.h>

using Keys = std::vector<std::string>;

namespace {

TEST(registry, key_lists_split_like_getline_on_commas) {
    const std::pair<std::string, Keys> cases[] = {
        {"d,data-type", {"d", "data-type"}},
        {"d, data-type", {"d", " data-type"}},
        {"a,,b", {"a", "", "b"}},
        {",a", {"", "a"}},
        {"a,", {"a"}},
        {"", {}},
        {std::string("x\0,y\0\0", 6), {"x", std::string("y\0", 2)}}};
    for (const auto& [list, keys] : cases) {
        EXPECT_EQ(argparse::split_keys(list), keys) << list;
    }
}

TEST(registry, declarations_fill_the_lists_and_a_later_option_name_wins) {
    struct Declared : argparse::Args {
        std::string& tile = arg("TILE", "tile");
        std::string& first = kwarg("x,first", "first").set_default("a").set_default(std::string());
        bool& second = flag("x", "second");
        Height& height = kwarg("h", "height").set_default(Height::INT64);
    } args;
    ASSERT_EQ(args.positional_entries.size(), 1U);
    EXPECT_EQ(args.positional_entries[0], args.entries[0]);
    EXPECT_EQ(args.tile, "");
    EXPECT_EQ(args.option_map.at("first"), args.entries[1]);
    EXPECT_EQ(args.option_map.at("x"), args.entries[2]);
    EXPECT_EQ(args.entries[1]->default_text, "");
    EXPECT_TRUE(args.entries[1]->default_converter);
    EXPECT_EQ(args.entries[2]->implicit_value, "true");
    EXPECT_EQ(args.entries[2]->default_text, "false");
    EXPECT_FALSE(ToolArgs().entries[2]->default_converter); // a text default stays text
    EXPECT_EQ(args.entries[3]->default_text, "int64");
    parse_words(args, {"T"});
    EXPECT_EQ(args.height, Height::INT64);
}

TEST(registry, has_options_counts_the_help_option_that_parsing_adds) {
    struct OnlyPositional : argparse::Args {
        std::string& tile = arg("TILE", "tile");
    } args;
    EXPECT_FALSE(args.has_options());
    parse_words(args, {"N45E007"});
    EXPECT_TRUE(args.has_options());
}

TEST(registry, copies_share_the_parsed_values_after_the_original_is_gone) {
    auto original = std::make_unique<ToolArgs>();
    parse_words(*original, {"N45E007", "64", "-d", "int16"});
    const ToolArgs copy = *original;
    original.reset();
    EXPECT_EQ(copy.tile + "|" + std::to_string(copy.width), "N45E007|64");
    EXPECT_EQ(copy.data_type, Height::INT16);
    EXPECT_EQ(copy.flag_type, Flag::INT8);
}

} // namespace
