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
    bool& verbose = flag("v", "talk");
    Colour& colour = kwarg("c", "a colour").set_default(Colour::BLUE);
    std::string& first = arg("FIRST", "first").set_default("-");
    std::string& all = arg("ALL", "all").set_multi_valued().set_default("-");
    std::string& last = arg("LAST", "last").set_default("-");
    Pull& pull = subcommand<Pull>("pull");

    std::string values() const {
        return name + "|" + list + "|" + std::to_string(verbose) + "|" +
               std::to_string(static_cast<int>(colour)) + "|" + first + "|" + all + "|" + last +
               "|" + pull.source;
    }
};

TEST(parse, fills_every_kind_of_declaration_or_reports_the_first_error) {
    const std::pair<Words, std::string> cases[] = {
        {{}, "-|-|0|2|-|-|-|"},
        {{"-vn=x y", "-n", "-5", "-0.5"}, "-5|-|1|2|-0.5|-|-|"},
        {{"-n", "x", "-l"}, "x||0|2|-|-|-|"},
        {{"--list", "a", "b", "-v", "-c", "Green"}, "-|a,b|1|1|-|-|-|"},
        {{"-l=a b", "1", "2", "3", "4"}, "-|a b|0|2|1|2,3|4|"},
        {{"1", "2"}, "-|-|0|2|1|-|2|"},
        {{"-n", "x", "1", "pull", "origin"}, "x|-|0|2|1|-|-|origin"},
        {{"pull", "origin"}, "-|-|0|2|-|-|-|origin"},
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
    // An integer default is read as a command-line value would be.
    struct Mismatched : argparse::Args {
        unsigned int& one = kwarg("o", "one").set_default(1);
        unsigned int& count = kwarg("k", "a count").set_default(true);
        unsigned int& below = kwarg("b", "below zero").set_default(-1);
    } mismatched, negative;
    EXPECT_EQ(parse_words(mismatched, {"-b", "2"}),
              "Invalid argument, could not convert \"true\" for -k (a count)");
    EXPECT_EQ(mismatched.one, 1U);
    EXPECT_EQ(parse_words(negative, {"-k", "2"}),
              "Invalid argument \"-1\" for -b (below zero). Error: out of range");
    auto original = std::make_unique<Tool>();
    parse_words(*original, {"-n", "x", "pull", "origin"});
    const Tool copy = *original;
    original.reset();
    EXPECT_EQ(copy.values() + copy.words[0] + copy.pull.program_name, "x|-|0|2|-|-|-|origin-npull");
}

TEST(declarations, mistakes_throw_where_they_are_made_and_leave_the_earlier_ones_working) {
    struct Declared : argparse::Args {
        std::string& x = kwarg("x,ex", "x");
        Pull& pull = subcommand<Pull>("pull");
    };
    const std::string untypable = R"( holds a blank, a control character or "=")";
    const std::tuple<char, std::string, std::string> cases[] = {
        {'o', "ex", R"(option "ex": "ex" is already declared)"},
        {'o', "y,y", R"(option "y,y": "y" is already declared)"},
        {'o', "help", R"(option "help": "help" names the help option, which parse declares)"},
        {'o', "q,?", R"(option "q,?": "?" names the help option, which parse declares)"},
        {'o', "", R"(option "": a name is empty)"},
        {'o', "a,,b", R"(option "a,,b": a name is empty)"},
        {'o', "a,", R"(option "a,": a name is empty)"},
        {'a', ",A", R"(argument ",A": a name is empty)"},
        {'o', "t, times", R"(option "t, times": " times")" + untypable},
        {'o', "t=1", R"(option "t=1": "t=1")" + untypable},
        {'s', "pull", R"(subcommand "pull": it is already declared)"},
        {'s', "", R"(subcommand "": the name is empty)"},
    };
    for (const auto& [kind, key, message] : cases) {
        Declared args;
        try {
            kind == 'o'   ? (void)args.kwarg(key, "")
            : kind == 'a' ? (void)args.arg(key, "")
                          : (void)args.subcommand<Pull>(key);
            ADD_FAILURE() << message;
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(error.what(), message);
        }
        EXPECT_EQ(parse_words(args, {"-x", "v", "pull", "o"}) + args.x + args.pull.source, "vo");
    }
    // An entry bound to no member takes text, and parse runs once.
    struct Unbound : argparse::Args {
        Unbound() {
            kwarg("old", "deprecated, ignored").set_default("");
            arg("N", "typed default").set_default(5U);
        }
    } unbound;
    EXPECT_EQ(parse_words(unbound, {"--old", "x"}), "");
    EXPECT_EQ(*unbound.entries[0]->value_text + *unbound.entries[1]->value_text +
                  help_text(unbound),
              "x5Usage: tool N  [options...]\n"
              "                N : typed default [default: 5]\n\n"
              "Options:\n"
              "            --old : deprecated, ignored [default: ]\n"
              "        -?,--help : print help [implicit: \"true\", default: false]\n");
    EXPECT_THROW(parse_words(unbound, {}), std::logic_error);
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
