#include <argparse/convert.hpp>

#include <gtest/gtest.h>

#include <cerrno>
#include <string_view>

using argparse::ConvertType;

namespace {

template <typename T> T converted(const std::string& text) {
    ConvertType<T> converter;
    converter.convert(text);
    return converter.data;
}

TEST(converters, bool_is_true_only_for_true_in_any_case_or_1) {
    for (const char* text : {"true", "TRUE", "tRuE", "1"}) {
        EXPECT_TRUE(converted<bool>(text)) << text;
    }
    for (const char* text : {"false", "0", "yes", "t", "01", "", " true", "true "}) {
        EXPECT_FALSE(converted<bool>(text)) << text;
    }
    EXPECT_EQ(converted<std::string>(" a,b "), " a,b ");
}

TEST(converters, unsigned_reads_leading_digits_and_rejects_what_does_not_fit) {
    for (const auto& [text, value] : {std::pair<const char*, unsigned>{"64", 64},
                                      {"+64", 64},
                                      {"  12", 12},
                                      {"64px", 64},
                                      {"0x10", 0},
                                      {"-0", 0},
                                      {"-00", 0},
                                      {"4294967295", 4294967295U}}) {
        EXPECT_EQ(converted<unsigned int>(text), value) << text;
    }
    for (const char* text : {"", "abc", "-", "+", " "}) {
        EXPECT_THROW(converted<unsigned int>(text), std::invalid_argument) << text;
    }
    ConvertType<unsigned int> kept(42);
    for (const char* text : {"4294967296", "18446744073709551615", "18446744073709551616", "-1",
                             "-18446744073709551615", " -18446744073709551614"}) {
        EXPECT_THROW(kept.convert(text), std::out_of_range) << text;
        EXPECT_EQ(kept.data, 42U);
    }
    errno = EINTR;
    kept.convert("5");
    EXPECT_EQ(errno, EINTR);
}

TEST(converters, set_default_copies_a_typed_default_of_the_same_type_else_reads_the_text) {
    const std::unique_ptr<argparse::ConvertBase> false_default =
        std::make_unique<ConvertType<bool>>(false);
    ConvertType<bool> flag(true);
    flag.set_default(false_default, "true");
    EXPECT_FALSE(flag.data);
    ConvertType<unsigned int> number;
    number.set_default(false_default, "17");
    EXPECT_EQ(number.data, 17U);
    EXPECT_NE(flag.get_type_id(), number.get_type_id());
    EXPECT_EQ(flag.get_type_id(), ConvertType<bool>().get_type_id());
    EXPECT_EQ(flag.get_allowed_entries() + number.get_allowed_entries(), "");
}

TEST(converters, to_lower_folds_only_a_to_z) {
    EXPECT_EQ(argparse::to_lower(std::string("FLOAT32")), "float32");
    EXPECT_EQ(argparse::to_lower(std::string_view("Int_8\xC4\xE4")), "int_8\xC4\xE4");
}

} // namespace
