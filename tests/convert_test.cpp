#include <argparse/convert.hpp>

#include <gtest/gtest.h>

#include <cerrno>
#include <string_view>

using argparse::ConvertType;

namespace {

template <typename T> T converted(const std::string &text) {
    ConvertType<T> converter;
    converter.convert(text);
    return converter.data;
}

TEST(converters, bool_is_true_only_for_true_in_any_case_or_1) {
    for (const char *text : {"true", "TRUE", "tRuE", "1"}) {
        EXPECT_TRUE(converted<bool>(text)) << text;
    }
    for (const char *text : {"false", "0", "yes", "on", "t", "01", "", " true", "true "}) {
        EXPECT_FALSE(converted<bool>(text)) << text;
    }
}

TEST(converters, unsigned_reads_leading_decimal_digits) {
    const std::pair<const char *, unsigned int> cases[] = {
        {"64", 64}, {"+64", 64},  {"  12", 12},
        {"\t7", 7}, {"64px", 64}, {"0x10", 0},
        {"-0", 0},  {"0", 0},     {"4294967295", 4294967295U}};
    for (const auto &[text, value] : cases) {
        EXPECT_EQ(converted<unsigned int>(text), value) << text;
    }
}

TEST(converters, unsigned_rejects_text_without_digits) {
    for (const char *text : {"", "abc", "-", "+", " ", "x1"}) {
        EXPECT_THROW(converted<unsigned int>(text), std::invalid_argument) << text;
    }
}

TEST(converters, unsigned_rejects_values_beyond_32_bits_and_keeps_its_value) {
    ConvertType<unsigned int> converter(42);
    for (const char *text :
         {"4294967296", "4294967297", "18446744073709551615", "18446744073709551616",
          "99999999999999999999999", "-1", "-4294967295"}) {
        try {
            converter.convert(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const std::out_of_range &error) {
            EXPECT_STREQ(error.what(), "stoul");
        }
        EXPECT_EQ(converter.data, 42U);
    }
}

TEST(converters, unsigned_keeps_the_callers_errno_on_success) {
    errno = EINTR;
    EXPECT_EQ(converted<unsigned int>("5"), 5U);
    EXPECT_EQ(errno, EINTR);
}

TEST(converters, string_is_copied_unchanged) {
    EXPECT_EQ(converted<std::string>(""), "");
    EXPECT_EQ(converted<std::string>(" a,b "), " a,b ");
    EXPECT_EQ(ConvertType<std::string>().data, "");
}

TEST(converters, plain_types_offer_no_list_and_differ_in_type_id) {
    EXPECT_EQ(ConvertType<bool>().get_allowed_entries(), "");
    EXPECT_EQ(ConvertType<unsigned int>().get_allowed_entries(), "");
    EXPECT_EQ(ConvertType<std::string>().get_allowed_entries(), "");
    EXPECT_EQ(ConvertType<bool>().get_type_id(), ConvertType<bool>(true).get_type_id());
    EXPECT_NE(ConvertType<bool>().get_type_id(), ConvertType<unsigned int>().get_type_id());
}

TEST(converters, set_default_copies_a_typed_default_of_the_same_type_else_reads_the_text) {
    ConvertType<bool> flag(true);
    const std::unique_ptr<argparse::ConvertBase> false_default =
        std::make_unique<ConvertType<bool>>(false);
    flag.set_default(false_default, "true");
    EXPECT_FALSE(flag.data);

    ConvertType<unsigned int> number;
    number.set_default(false_default, "17");
    EXPECT_EQ(number.data, 17U);
    EXPECT_THROW(number.set_default(false_default, "false"), std::invalid_argument);
    EXPECT_EQ(number.data, 17U);
}

TEST(converters, to_lower_folds_only_a_to_z) {
    EXPECT_EQ(argparse::to_lower(std::string("FLOAT32")), "float32");
    EXPECT_EQ(argparse::to_lower(std::string_view("Int_8\xC4\xE4")), "int_8\xC4\xE4");
    EXPECT_EQ(argparse::to_lower(std::string()), "");
}

} // namespace
