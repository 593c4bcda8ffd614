#include <argparse/args.hpp>

#include <gtest/gtest.h>

#include <cerrno>

using argparse::ConvertType;
using Words = std::vector<std::string>;

namespace {

enum class Colour { RED, GREEN, BLUE };

// Parses words as the command line of /opt/x/tool.bin with errors raised; returns the
// error's exact message, or "" when parsing succeeds.
std::string parse_words(argparse::Args& args, Words words) {
    words.insert(words.begin(), "/opt/x/tool.bin");
    std::vector<const char*> argv;
    for (const auto& word : words) {
        argv.push_back(word.c_str());
    }
    try {
        args.parse(static_cast<int>(argv.size()), argv.data(), true);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

std::string help_text(argparse::Args& args) {
    testing::internal::CaptureStdout();
    args.help();
    return testing::internal::GetCapturedStdout();
}

TEST(registry, key_lists_split_like_getline_on_commas) {
    const std::pair<std::string, Words> cases[] = {
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

TEST(converters, unsigned_reads_leading_digits_and_rejects_what_does_not_fit) {
    ConvertType<unsigned int> number;
    for (const auto& [text, value] : {std::pair<const char*, unsigned>{"64", 64},
                                      {"+64", 64},
                                      {"  12", 12},
                                      {"64px", 64},
                                      {"0x10", 0},
                                      {"-0", 0},
                                      {"-00", 0},
                                      {"4294967295", 4294967295U}}) {
        number.convert(text);
        EXPECT_EQ(number.data, value) << text;
    }
    for (const char* text : {"", "abc", "-", "+", " "}) {
        EXPECT_THROW(number.convert(text), std::invalid_argument) << text;
    }
    ConvertType<unsigned int> kept(42);
    for (const char* text : {"4294967296", "18446744073709551615", "18446744073709551616", "-1",
                             "-18446744073709551615", " -18446744073709551614"}) {
        try {
            kept.convert(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const std::out_of_range& error) {
            EXPECT_STREQ(error.what(), "stoul");
        }
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
    ConvertType<Colour> colour;
    colour.set_default(false_default, "Green");
    EXPECT_EQ(colour.data, Colour::GREEN);
    EXPECT_NE(flag.get_type_id(), colour.get_type_id());
    EXPECT_EQ(flag.get_allowed_entries(), "");
}

struct Pull : argparse::Args {
    std::string& source = arg("SOURCE", "where from");
};

// Every kind of declaration the tool itself does not make.
struct Tool : argparse::Args {
    std::string& name = kwarg("n,name", "a name").set_default("a").set_default(std::string("-"));
    std::string& list = kwarg("l,list", "a list").set_multi_valued().set_default("-");
    std::string& shadowed = kwarg("v,shadowed", "its v is taken").set_default("-");
    bool& verbose = flag("v", "talk");
    Colour& colour = kwarg("c", "a colour").set_default(Colour::BLUE);
    std::string& first = arg("FIRST", "first").set_default("-");
    std::string& all = arg("ALL", "all").set_multi_valued().set_default("-");
    std::string& last = arg("LAST", "last").set_default("-");
    Pull& pull = subcommand<Pull>("pull");

    std::string values() const {
        return name + "|" + list + "|" + shadowed + "|" + std::to_string(verbose) + "|" +
               std::to_string(static_cast<int>(colour)) + "|" + first + "|" + all + "|" + last +
               "|" + pull.source;
    }
};

TEST(parse, fills_every_kind_of_declaration_or_reports_the_first_error) {
    const std::pair<Words, std::string> cases[] = {
        {{}, "-|-|-|0|2|-|-|-|"},
        {{"-vn=x y", "-n", "-5", "-0.5", "--shadowed=s"}, "-5|-|s|1|2|-0.5|-|-|"},
        {{"-n", "x", "-l"}, "x||-|0|2|-|-|-|"},
        {{"--list", "a", "b", "-v", "-c", "Green"}, "-|a,b|-|1|1|-|-|-|"},
        {{"-l=a b", "1", "2", "3", "4"}, "-|a b|-|0|2|1|2,3|4|"},
        {{"1", "2"}, "-|-|-|0|2|1|-|2|"},
        {{"-n", "x", "1", "pull", "origin"}, "x|-|-|0|2|1|-|-|origin"},
        {{"pull", "origin"}, "-|-|-|0|2|-|-|-|origin"},
        {{"--name=", "-n"}, "No value provided for: n"},
        {{"-c", "x", "-n"}, "No value provided for: n"},
        {{"-c", "x"},
         "Invalid argument \"x\" for -c (a colour). Error: enum is only accepting [red, green, "
         "blue]"},
        {{"-n", "pull"}, "Argument missing: SOURCE (where from)"},
    };
    for (const auto& [words, outcome] : cases) {
        Tool tool;
        const std::string error = parse_words(tool, words);
        EXPECT_EQ(error.empty() ? tool.values() : error, outcome) << testing::PrintToString(words);
        EXPECT_EQ(tool.parsed, error.empty());
        EXPECT_TRUE(!error.empty() || tool.program_name == "tool");
    }
    struct Leading : argparse::Args {
        std::string& all = arg("ALL", "all").set_multi_valued().set_default("-");
        std::string& last = arg("LAST", "last");
    } leading;
    EXPECT_EQ(parse_words(leading, {"a"}) + leading.all + leading.last, "-a");
    struct Mismatched : argparse::Args {
        unsigned int& count = kwarg("k", "a count").set_default(true);
    } mismatched;
    EXPECT_EQ(parse_words(mismatched, {}),
              "Invalid argument, could not convert \"true\" for -k (a count)");
    auto original = std::make_unique<Tool>();
    parse_words(*original, {"-n", "x", "pull", "origin"});
    const Tool copy = *original;
    original.reset();
    EXPECT_EQ(copy.values() + copy.words[0] + copy.pull.program_name,
              "x|-|-|0|2|-|-|-|origin-npull");
}

TEST(help, annotations_keep_their_order_and_keys_their_dashes) {
    struct Odd : argparse::Args {
        std::string& file = arg("FILE", "");
        std::string& long_key = kwarg("a-very-long-option-name", "long").set_default("");
        std::string& two = kwarg("ab,c", "", "yes");
        Colour& colour = kwarg("h", "colour", "red").set_default(Colour::GREEN);
    } args;
    args.program_name = "odd";
    EXPECT_EQ(help_text(args), "Usage: odd FILE  [options...]\n"
                               "             FILE :  [required]\n"
                               "\n"
                               "Options:\n"
                               "--a-very-long-option-name : long [default: ]\n"
                               "          --ab,-c :  [implicit: \"yes\", required]\n"
                               "               -h : colour [allowed: <red, green, blue>, "
                               "implicit: \"red\", default: green]\n");
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
