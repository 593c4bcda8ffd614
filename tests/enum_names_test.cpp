#include "parse_fixture.hpp"

#include <gtest/gtest.h>

namespace {

template <typename E> std::string rejection(const std::string& text) {
    try {
        argparse::get<E>(text);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "accepted";
}

TEST(enum_names, whole_names_match_in_any_letter_case) {
    for (const char* text : {"float32", "FLOAT32", "Float32"}) {
        EXPECT_EQ(argparse::get<Height>(text), Height::FLOAT32) << text;
    }
    EXPECT_EQ(argparse::get<Flag>("Int8"), Flag::INT8);
    for (const char* text : {"", " int16", "int16 ", "3", "float", "int8"}) {
        EXPECT_EQ(rejection<Height>(text),
                  "enum is only accepting [int16, int32, int64, float32, float64]")
            << text;
    }
    EXPECT_EQ(rejection<Flag>("float32"), "enum is only accepting [int8, int16, int32, int64]");
}

TEST(enum_names, converter_offers_lower_names_and_keeps_its_value_on_failure) {
    argparse::ConvertType<Flag> converter;
    EXPECT_EQ(converter.get_allowed_entries(), "int8, int16, int32, int64, ");
    converter.convert("Int32");
    EXPECT_THROW(converter.convert("int9"), std::runtime_error);
    EXPECT_EQ(converter.data, Flag::INT32);
    converter.set_default(std::make_unique<argparse::ConvertType<bool>>(false), "INT64");
    EXPECT_EQ(converter.data, Flag::INT64);
}

} // namespace
