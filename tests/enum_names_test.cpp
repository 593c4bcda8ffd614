#include "parse_fixture.hpp"

#include <argparse/convert.hpp>

#include <gtest/gtest.h>

namespace {

const char *const height_names = "enum is only accepting [int16, int32, int64, float32, float64]";
const char *const flag_names = "enum is only accepting [int8, int16, int32, int64]";

template <typename E> std::string rejection(const std::string &text) {
    try {
        argparse::get<E>(text);
    } catch (const std::runtime_error &error) {
        return error.what();
    }
    return "accepted";
}

TEST(enum_names, whole_names_match_in_any_letter_case) {
    for (const char *text : {"float32", "FLOAT32", "Float32"}) {
        EXPECT_EQ(argparse::get<Height>(text), Height::FLOAT32) << text;
    }
    for (const char *text : {"int8", "INT8", "Int8"}) {
        EXPECT_EQ(argparse::get<Flag>(text), Flag::INT8) << text;
    }
    EXPECT_EQ(argparse::get<Flag>("iNT64"), Flag::INT64);
}

TEST(enum_names, other_words_are_rejected_with_the_accepted_names) {
    for (const char *text : {"", " int16", "int16 ", "3", "float", "float16", "int8", "\xC4"}) {
        EXPECT_EQ(rejection<Height>(text), height_names) << text;
    }
    EXPECT_EQ(rejection<Flag>("float32"), flag_names);
}

TEST(enum_names, converter_offers_lower_names_and_keeps_its_value_on_failure) {
    argparse::ConvertType<Flag> converter;
    EXPECT_EQ(converter.get_allowed_entries(), "int8, int16, int32, int64, ");
    EXPECT_EQ(argparse::ConvertType<Height>().get_allowed_entries(),
              "int16, int32, int64, float32, float64, ");
    converter.convert("Int32");
    EXPECT_EQ(converter.data, Flag::INT32);
    EXPECT_THROW(converter.convert("int9"), std::runtime_error);
    EXPECT_EQ(converter.data, Flag::INT32);
}

TEST(enum_names, default_comes_from_a_typed_value_or_from_text) {
    argparse::ConvertType<Height> converter;
    converter.set_default(std::make_unique<argparse::ConvertType<Height>>(Height::INT64), "int16");
    EXPECT_EQ(converter.data, Height::INT64);
    converter.set_default(std::make_unique<argparse::ConvertType<bool>>(false), "Float64");
    EXPECT_EQ(converter.data, Height::FLOAT64);
}

} // namespace
