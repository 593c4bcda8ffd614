#include <argparse/args.hpp>
#include <argparse/text.hpp>
#include <argparse/validators.hpp>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

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

TEST(text, joined_puts_the_separator_between_words_only) {
    EXPECT_EQ(argparse::joined({}, ", "), "");
    EXPECT_EQ(argparse::joined({"a"}, ", "), "a");
    EXPECT_EQ(argparse::joined({"a", "", "b"}, ", "), "a, , b");
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

TEST(converters, an_enumeration_lists_its_names_and_other_types_none) {
    const ConvertType<std::vector<Colour>> colours;
    EXPECT_EQ(colours.allowed_values(), Words({"red", "green", "blue"}));
    EXPECT_EQ(argparse::enum_names<Colour>(), colours.allowed_values());
    EXPECT_EQ(colours.get_allowed_entries(), "red, green, blue, ");
    EXPECT_TRUE(ConvertType<int>().allowed_values().empty());
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
    Pull& pull = subcommand<Pull>("pull,get");

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
        {{"get", "origin"}, "-|-|0|2|-|-|-|origin"},
        {{"--name=", "-n"}, "No value provided for: n"},
        {{"-c", "x", "-n"}, "No value provided for: n"},
        {{"-n", "-.5"}, "No value provided for: n"},
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
    // A program started with no argv[0] at all (execve with an empty vector) has no name.
    struct Nameless : argparse::Args {
    } nameless;
    const char* const none[] = {nullptr};
    nameless.parse(0, none, true);
    EXPECT_EQ(nameless.program_name, "");
    auto original = std::make_unique<Tool>();
    parse_words(*original, {"-n", "x", "pull", "origin"});
    const Tool copy = *original;
    original.reset();
    EXPECT_EQ(copy.values() + copy.words[0] + copy.pull.program_name, "x|-|0|2|-|-|-|origin-npull");
}

// Positional arguments A, B, ... of several words ('*', with a default), a default ('d') or
// required ('r').
template <char... kinds> struct Positional : argparse::Args {
    Positional() {
        char name = 'A';
        for (const char kind : {kinds...}) {
            argparse::Entry& entry = arg(std::string(1, name++), "").set_multi_valued(kind == '*');
            if (kind != 'r') {
                entry.set_default(std::vector<std::string>{});
            }
            [[maybe_unused]] std::vector<std::string>& bound = entry;
        }
    }
};

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
        {'o', "-t,--times",
         R"(option "-t,--times": "-t" starts with "-": names are written without dashes)"},
        {'o', "5", R"(option "5": "5" is a digit, and -5 a number)"},
        {'s', "a b", R"(subcommand "a b": "a b")" + untypable},
        {'s', "get,pull", R"(subcommand "get,pull": "pull" is already declared)"},
        {'s', "get,get", R"(subcommand "get,get": "get" is already declared)"},
        {'s', "get,", R"(subcommand "get,": a name is empty)"},
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
    struct Multi : argparse::Args {
        unsigned int& n = kwarg("n,numbers", "numbers").set_multi_valued();
    };
    struct Grouped : argparse::Args {
        Grouped() { exclusive({"x"}); }
    };
    for (const auto& [thrown, message] :
         {std::pair{
              +[] { Multi(); },
              R"(option "n,numbers": several words need a std::vector or std::string member)"},
          {+[] { Grouped(); }, R"(group "x": a group needs two names or more)"},
          {+[] {
               Declared().exclusive({"x", "x"});
           },
           R"(group "x,x": "x" is named twice)"},
          {+[] { Positional<'*', '*'>(); }, R"(argument "B": "A" takes several words already)"},
          {+[] { Positional<'d', 'r'>(); },
           R"(argument "B": it is required, and words reach "A", which has a default, first)"},
          {+[] { Positional<'*', 'r', 'd'>(); },
           R"(argument "B": it is required, and words reach "C", which has a default, first)"},
          {+[] {
               Declared().together({"x", "y"});
           },
           R"(group "x,y": "y" is not declared)"}}) {
        try {
            thrown();
            ADD_FAILURE() << message;
        } catch (const std::invalid_argument& error) {
            EXPECT_STREQ(error.what(), message);
        }
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

TEST(help, subcommands_follow_in_name_order_titled_plainly_off_a_terminal) {
    struct Sub : argparse::Args {
        std::string& source = arg("SOURCE", "from");
    };
    struct Tool : argparse::Args {
        Sub& push = subcommand<Sub>("push,p,send", "send the commits");
        Sub& pull = subcommand<Sub>("pull");
    } args;
    args.program_name = "tool";
    EXPECT_EQ(help_text(args), "Usage: tool  [SUBCOMMAND: pull, push]\n"
                               "\n\nSubcommand: pull\n"
                               "Usage: tool pull SOURCE \n"
                               "           SOURCE : from [required]\n"
                               "\n\nSubcommand: push, p, send : send the commits\n"
                               "Usage: tool push SOURCE \n"
                               "           SOURCE : from [required]\n");
    struct Wrapped : argparse::Args {
        std::string& name = kwarg("a-rather-long-name", "a help text of several words")
                                .set_env("TOOL_NAME")
                                .set_default("x");
        std::string& width =
            kwarg("größe", "größer geschätzte 幅 über Straßen e\u0301").set_default("");
        std::string& latin = kwarg("deg\xb0", "Latin-1").set_default("");
        Wrapped() { settings.wrap_help = true; }
    } wrapped;
    ::setenv("COLUMNS", "40", 1);
    EXPECT_EQ(help_text(wrapped), "Usage:   [options...]\n\nOptions:\n"
                                  "--a-rather-long-name : a help text of\n"
                                  "                    several words [env:\n"
                                  "                    TOOL_NAME, default:\n"
                                  "                    x]\n"
                                  "          --größe : größer geschätzte 幅\n"
                                  "                    über Straßen e\u0301\n"
                                  "                    [default: ]\n"
                                  "           --deg\xb0 : Latin-1 [default: ]\n");
    ::unsetenv("COLUMNS");
}

struct Point {
    int x = 0;
    int y = 0;
};

} // namespace

// A type of the program's own, read as "X,Y".
template <> struct argparse::Converter<Point> {
    static Point from_text(const std::string& text) {
        const auto comma = text.find(',');
        if (comma == std::string::npos) {
            throw std::runtime_error("expected X,Y");
        }
        return {Converter<int>::from_text(text.substr(0, comma)),
                Converter<int>::from_text(text.substr(comma + 1))};
    }
    static std::string to_text(const Point& p) {
        return std::to_string(p.x) + "," + std::to_string(p.y);
    }
};

namespace {

template <typename T> std::string listed(const std::vector<T>& values) {
    std::string text;
    for (const auto& value : values) {
        text += "[" + argparse::Converter<T>::to_text(value) + "]";
    }
    return text;
}

// Every member type, as the issue declares them, and each in a list.
struct Typed : argparse::Args {
    int& i = kwarg("i", "signed").set_default(0);
    long long& ll = kwarg("l", "64-bit").set_default(0LL);
    double& x = kwarg("x", "real").set_default(0.0);
    std::vector<int>& v = kwarg("v", "repeated").set_default(std::vector<int>{});
    std::vector<unsigned int>& n =
        kwarg("n", "numbers").set_multi_valued().set_default(std::vector<unsigned int>{});
    std::optional<int>& o = kwarg("o", "optional").set_default(std::optional<int>{});
    std::filesystem::path& f = kwarg("f", "path").set_default(std::filesystem::path("."));
    long& g = kwarg("g", "long").set_default(-1);
    unsigned long& ul = kwarg("ul", "unsigned long").set_default("2");
    unsigned long long& ull = kwarg("ull", "unsigned 64-bit").set_default(3U);
    float& r = kwarg("r", "float").set_default(0.5);
    std::vector<std::string>& s =
        kwarg("s", "texts").set_multi_valued().set_default(std::vector<std::string>{"a"});
    std::vector<Colour>& c = kwarg("c", "colours").set_default(std::vector<Colour>{});
    Point& p = kwarg("p", "point").set_default(Point{1, 2});
    std::vector<std::string>& rest =
        arg("REST", "rest").set_multi_valued().set_default(std::vector<std::string>{});

    std::string values() const {
        return std::to_string(i) + "|" + std::to_string(ll) + "|" + std::to_string(x) + "|" +
               listed(v) + "|" + listed(n) + "|" + (o ? std::to_string(*o) : "none") + "|" +
               f.string() + "|" + std::to_string(g) + "|" + std::to_string(ul) + "|" +
               std::to_string(ull) + "|" + std::to_string(r) + "|" + listed(s) + "|" + listed(c) +
               "|" + argparse::Converter<Point>::to_text(p) + "|" + listed(rest);
    }
};

std::string could_not(const std::string& text, const std::string& keys) {
    return "Invalid argument, could not convert \"" + text + "\" for " + keys;
}

std::string out_of_range(const std::string& text, const std::string& keys) {
    return "Invalid argument \"" + text + "\" for " + keys + "). Error: out of range";
}

TEST(converters, every_member_type_reads_whole_numbers_lists_and_its_own_types) {
    const std::pair<Words, std::string> cases[] = {
        {{}, "0|0|0.000000|||none|.|-1|2|3|0.500000|[a]||1,2|"},
        {{"-i",   "-5",         "-l",    "-9223372036854775808",
          "-x",   "-1.5e3",     "-o",    "+7",
          "-f",   "a b",        "-g",    "-2",
          "--ul", "4294967296", "--ull", "18446744073709551615",
          "-r",   "inf",        "-p",    "3,-4"},
         "-5|-9223372036854775808|-1500.000000|||7|a b|-2|4294967296|18446744073709551615|inf|"
         "[a]||3,-4|"},
        // Repeated or multi-valued, each word is one element, commas and all.
        {{"-v", "1", "-v", "-2", "-n", "1", "2", "3", "-s", "a,b", "c", "-c", "red", "-c=Blue", "x",
          "y,z"},
         "0|0|0.000000|[1][-2]|[1][2][3]|none|.|-1|2|3|0.500000|[a,b][c]|[red][blue]|1,2|[x][y,z]"},
        {{"-n", "-s", "-i", "1", "-i", "2"}, "2|0|0.000000|||none|.|-1|2|3|0.500000|||1,2|"},
        {{"-n", "1", "2"}, "0|0|0.000000||[1][2]|none|.|-1|2|3|0.500000|[a]||1,2|"},
        {{"-i", "5x"}, could_not("5x", "-i (signed)")},
        {{"-i", "1e4"}, could_not("1e4", "-i (signed)")},
        {{"-i", "2147483648"}, out_of_range("2147483648", "-i (signed")},
        {{"-l", "9223372036854775808"}, out_of_range("9223372036854775808", "-l (64-bit")},
        {{"--ull", "-1"}, out_of_range("-1", "--ull (unsigned 64-bit")},
        {{"-x", "3,601"}, could_not("3,601", "-x (real)")},
        {{"-r", "1e39"}, out_of_range("1e39", "-r (float")},
        {{"-o", ""}, could_not("", "-o (optional)")},
        {{"-n", "1", "x", "3"}, could_not("x", "-n (numbers)")},
        {{"-v", "1", "-v", "+"}, could_not("+", "-v (repeated)")},
        {{"-c", "red", "-c", "pink"},
         "Invalid argument \"pink\" for -c (colours). Error: enum is only accepting [red, green, "
         "blue]"},
        {{"-p", "3"}, "Invalid argument \"3\" for -p (point). Error: expected X,Y"},
    };
    for (const auto& [words, outcome] : cases) {
        Typed typed;
        const std::string error = parse_words(typed, words);
        EXPECT_EQ(error.empty() ? typed.values() : error, outcome) << testing::PrintToString(words);
    }
    Typed typed;
    EXPECT_NE(help_text(typed).find("-o : optional [default: none]\n"), std::string::npos);
}

// A program that opts into everything, with a subcommand that needs an argument.
struct Strict : argparse::Args {
    std::string& file = arg("FILE", "input").set_default("");
    std::string& type = kwarg("t,data-type", "type").set_default("");
    unsigned int& times = kwarg("times", "how often").set_env("TOOL_TIMES").set_default(1U);
    std::vector<int>& level =
        kwarg("l", "level").validate(argparse::range(1, 10)).set_default(std::vector<int>{});
    std::string& mode =
        kwarg("mode", "mode").validate(argparse::one_of({"a", "b"})).set_default("a");
    std::string& in = kwarg("in", "input file").validate(argparse::existing_file()).set_default("");
    bool& json = flag("json", "JSON");
    bool& yaml = flag("yaml", "YAML");
    std::string& user = kwarg("u,user", "user").set_env("TOOL_USER").set_default("");
    std::string& password = kwarg("password", "password").set_default("");
    Pull& pull = subcommand<Pull>("pull");

    Strict() {
        settings.strict = true;
        version("tool 2.0");
        exclusive({"json", "yaml"});
        together({"u", "password"});
    }
};

TEST(parse, strict_programs_refuse_what_others_let_pass_and_check_groups_and_values) {
    const std::tuple<Words, const char*, std::string> cases[] = {
        {{"--data-typ", "x"},
         "",
         "unrecognised commandline argument: data-typ (did you mean --data-type?)"},
        {{"--zz"}, "", "unrecognised commandline argument: zz"},
        {{"a", "b"}, "", "unexpected argument: b"},
        {{"--", "-t", "-"}, "", "unexpected argument: -"},
        {{"-t", "-", "--", "--json"}, "", "--json|-|1"},
        {{"--", "pull"}, "", "pull||1"},
        {{"--times", "x", "pull"}, "", "Argument missing: SOURCE (where from)"},
        {{}, "7", "||7"},
        {{}, "x", could_not("x", "--times (how often), from the environment variable TOOL_TIMES")},
        {{"--times", "x"}, "7", could_not("x", "--times (how often)")},
        {{"-l", "10", "-l", "11"},
         "",
         "Invalid argument \"11\" for -l (level). Error: must be a number from 1 to 10"},
        {{"--mode", "c"},
         "",
         "Invalid argument \"c\" for --mode (mode). Error: must be one of [a, b]"},
        {{"--in", "/"},
         "",
         "Invalid argument \"/\" for --in (input file). Error: not an existing file"},
        {{"--in", "/proc/self/status", "--mode=b"}, "", "||1"},
        {{"--json", "--yaml"}, "", "--json cannot be given with --yaml"},
        {{"-u", "me"}, "", "-u,--user needs --password too"},
        {{"--password", "pw"}, "", "--password needs -u,--user too"},
    };
    for (const auto& [words, times, outcome] : cases) {
        Strict strict;
        (*times != '\0' ? ::setenv("TOOL_TIMES", times, 1) : ::unsetenv("TOOL_TIMES"));
        const std::string error = parse_words(strict, words);
        EXPECT_EQ(error.empty() ? strict.file + "|" + strict.type + "|" +
                                      std::to_string(strict.times) + strict.pull.source
                                : error,
                  outcome)
            << testing::PrintToString(words);
    }
    ::unsetenv("TOOL_TIMES");
}

// With raise_on_error, parse neither writes nor exits: help, version and warnings reach the
// caller; without it, help before a subcommand's word is the program's, with status 0.
TEST(parse, embedding_programs_get_help_version_and_warnings_back) {
    const auto outcome = [](Words words) {
        Tool tool;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        std::string result;
        try {
            result = parse_words(tool, std::move(words));
        } catch (const argparse::HelpRequested& request) {
            result = request.text.substr(0, request.text.find('\n'));
        }
        for (const auto& warning : tool.warnings) {
            result += "|" + warning + "\n";
        }
        return result + testing::internal::GetCapturedStdout() +
               testing::internal::GetCapturedStderr();
    };
    EXPECT_EQ(outcome({"--help", "pull"}),
              "Usage: tool FIRST ALL LAST  [options...] [SUBCOMMAND: pull]");
    EXPECT_EQ(outcome({"pull", "--help"}), "Usage: tool pull SOURCE  [options...]");
    EXPECT_EQ(outcome({"-x", "pull", "s", "-y"}), "|unrecognised commandline argument: x\n"
                                                  "|unrecognised commandline argument: y\n");
    Strict strict;
    try {
        parse_words(strict, {"--version", "--in", "/"});
        ADD_FAILURE() << "no version request";
    } catch (const argparse::VersionRequested& request) {
        EXPECT_STREQ(request.what(), "tool 2.0");
    }
    Tool tool;
    const char* const argv[] = {"tool", "--help", "pull"};
    EXPECT_EXIT(tool.parse(3, argv, false), testing::ExitedWithCode(0), "");
}

} // namespace
