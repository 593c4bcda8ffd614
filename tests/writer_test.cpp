// The durable writer's own rules, without the parser, root or a file system of its own.
#include "writer/file_error.hpp"
#include "writer/file_set.hpp"
#include "writer/names.hpp"
#include "writer/shared_directory.hpp"
#include "writer/temporary_name.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <regex>
#include <set>
#include <string>
#include <system_error>

namespace {

// The message and the error of what call throws, or "" and 0 when it throws nothing.
template <typename Call> std::pair<std::string, int> failure_of(Call call) {
    try {
        call();
    } catch (const std::system_error& error) {
        return {error.what(), error.code().value()};
    }
    return {"", 0};
}

TEST(names, limits_are_the_kernels_and_the_name_is_reported_as_given) {
    const std::string entry(NAME_MAX, 'n');
    const std::string deep(PATH_MAX - 1, '/'); // with T, one byte more than the kernel takes
    const std::pair<std::string, std::pair<std::string, int>> cases[] = {
        {"T", {"", 0}},
        {entry, {"", 0}},
        {"dir/" + entry, {"", 0}},
        {deep.substr(1) + "T", {"", 0}},
        {"", {"\"\": No such file or directory", ENOENT}},
        {entry + "n", {entry + "n: File name too long", ENAMETOOLONG}},
        {"dir/" + entry + "n/T", {"dir/" + entry + "n/T: File name too long", ENAMETOOLONG}},
        {deep + "T", {deep + "T: File name too long", ENAMETOOLONG}}};
    for (const auto& [name, failure] : cases) {
        const std::string& checked = name; // clang 14 captures no structured binding
        EXPECT_EQ(failure_of([&] { writer::check_name(checked); }), failure) << name.size();
    }
    // The writer leaves escaping to whoever prints the message.
    const auto unescaped = failure_of([] { writer::FileSet().stage("nodir/a\nb", "", 0); });
    EXPECT_EQ(unescaped.first, "nodir/a\nb: No such file or directory");
}

TEST(names, split_into_directory_with_its_slash_and_last_part) {
    const std::pair<const char*, std::pair<std::string, std::string>> cases[] = {
        {"T", {".", "T"}},          {"dir/T", {"dir/", "T"}}, {"/T", {"/", "T"}},
        {"a//b/T", {"a//b/", "T"}}, {"dir/", {"dir/", "."}},  {"./T_flag", {"./", "T_flag"}}};
    for (const auto& [path, parts] : cases) {
        EXPECT_EQ(writer::directory_of(path), parts.first) << path;
        EXPECT_EQ(writer::leaf_of(path), parts.second) << path;
    }
}

TEST(temporary_names, say_whose_they_are_where_that_fits_and_are_drawn_anew) {
    const std::string longest(NAME_MAX - 15, 'n'); // with ".mavrel-", "." and six symbols
    EXPECT_EQ(writer::temporary_name("N45E007_flag", "Ab3dE9"), ".mavrel-N45E007_flag.Ab3dE9");
    EXPECT_EQ(writer::temporary_name(longest, "Ab3dE9"), ".mavrel-" + longest + ".Ab3dE9");
    EXPECT_EQ(writer::temporary_name(longest + "n", "Ab3dE9"), ".mavrel-Ab3dE9");
    const std::regex form(R"(\.mavrel-T\.[A-Za-z0-9]{6})");
    std::set<std::string> drawn; // 1,200 symbols: one from beyond the alphabet would show
    for (int draw = 0; draw < 200; ++draw) {
        const std::string name = writer::random_name("T");
        EXPECT_TRUE(std::regex_match(name, form)) << name;
        drawn.insert(name);
    }
    EXPECT_EQ(drawn.size(), 200U);
}

// A status of the given mode, owner and link count.
struct stat status_of(mode_t mode, uid_t owner, nlink_t links = 1) {
    struct stat status {};
    status.st_mode = mode;
    status.st_uid = owner;
    status.st_nlink = links;
    return status;
}

// The runner is user 1000, the directory's owner 0, and 2000 another user.
TEST(shared_directories, refuse_what_another_user_planted_and_follow_only_owned_links) {
    struct Case {
        mode_t directory;
        mode_t file;
        uid_t owner;
        nlink_t links;
        bool planted;
        bool followed; // where file is a link of the same owner
        bool replaced;
    };
    const Case cases[] = {
        {S_IFDIR | 01777, S_IFIFO | 0666, 2000, 1, true, false, false},
        {S_IFDIR | 01777, S_IFREG | 0666, 2000, 2, true, false, false},
        {S_IFDIR | 01777, S_IFREG | 0600, 2000, 1, true, false, false},
        {S_IFDIR | 01770, S_IFIFO | 0666, 2000, 1, true, true, false},
        {S_IFDIR | 01770, S_IFREG | 0666, 2000, 1, true, true, false},
        {S_IFDIR | 01755, S_IFREG | 0666, 2000, 1, false, true, false},
        {S_IFDIR | 00777, S_IFIFO | 0666, 2000, 1, false, true, true},
        {S_IFDIR | 01777, S_IFSOCK | 0666, 2000, 1, false, false, false},
        {S_IFDIR | 01777, S_IFIFO | 0666, 1000, 1, false, true, true},
        {S_IFDIR | 01777, S_IFREG | 0666, 0, 3, false, true, false},
    };
    for (const Case& c : cases) {
        const struct stat directory = status_of(c.directory, 0);
        const struct stat file = status_of(c.file, c.owner, c.links);
        EXPECT_EQ(writer::planted(directory, file, 1000), c.planted)
            << std::oct << c.directory << " " << c.file << std::dec << " " << c.owner;
        EXPECT_EQ(writer::may_follow(directory, status_of(S_IFLNK | 0777, c.owner), 1000),
                  c.followed)
            << std::oct << c.directory << std::dec << " " << c.owner;
        EXPECT_EQ(writer::may_replace(directory, file, 1000), c.replaced)
            << std::oct << c.directory << std::dec << " " << c.owner;
    }
    // Root is no exception, but in a directory of its own.
    EXPECT_TRUE(writer::planted(status_of(S_IFDIR | 01777, 1000), status_of(S_IFREG, 2000), 0));
    EXPECT_TRUE(writer::may_replace(status_of(S_IFDIR | 01777, 0), status_of(S_IFREG, 2000), 0));
}

} // namespace
