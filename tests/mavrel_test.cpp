#include "temp_dir.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

struct Limits {
    rlim_t memory = RLIM_INFINITY;
    uid_t user = ::getuid();
};

// Starts the built mavrel in directory cwd as the given user, as a user would, with its
// address space limited and its output going to the files out and err of capture.
pid_t start(const std::vector<std::string>& args, const std::string& cwd, const TempDir& capture,
            const Limits& limits = {}) {
    std::vector<char*> argv{const_cast<char*>(MAVREL_BINARY)};
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{limits.memory, limits.memory};
        // Opened before the change of user, who may not reach the build tree.
        const int binary = ::open(MAVREL_BINARY, O_RDONLY);
        if (::chdir(cwd.c_str()) == 0 && ::setrlimit(RLIMIT_AS, &limit) == 0 &&
            ::dup2(::creat((capture / "out").c_str(), 0600), 1) == 1 &&
            ::dup2(::creat((capture / "err").c_str(), 0600), 2) == 2 &&
            (limits.user == ::getuid() || ::setuid(limits.user) == 0)) {
            ::fexecve(binary, argv.data(), environ);
        }
        ::_exit(127);
    }
    return child;
}

Outcome mavrel(const std::vector<std::string>& args, const std::string& cwd,
               const Limits& limits = {}) {
    const TempDir capture;
    int status = 0;
    ::waitpid(start(args, cwd, capture, limits), &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(capture / "out"),
            read_file(capture / "err")};
}

// count samples of the given size, each its first byte followed by zero bytes.
std::string samples(std::size_t count, std::size_t size, char first = 0) {
    std::string sample(size, '\0');
    sample[0] = first;
    std::string all;
    for (std::size_t i = 0; i < count; ++i) {
        all += sample;
    }
    return all;
}

const std::string help = "mavrel - generate DEM tiles in TASMER generic format.\n"
                         "The mavrel authors <https://mavrel.example.org/>\n\n"
                         "Usage: mavrel TILE WIDTH  [options...]\n"
                         "             TILE : name of the tile (AXXBYYY, with A 'N' or 'S' and B "
                         "'E' or 'W') [required]\n"
                         "            WIDTH : tile width in pixels (tiles are square) [required]\n"
                         "\n"
                         "Options:\n"
                         "   -d,--data-type : type for height data [allowed: <int16, int32, "
                         "int64, float32, float64>, default: float32]\n"
                         "   -f,--flag-type : type for flag data [allowed: <int8, int16, int32, "
                         "int64>, default: int8]\n"
                         "        --version : show version information and exit [implicit: "
                         "\"true\", default: false]\n"
                         "        -?,--help : print help [implicit: \"true\", default: false]\n";
const std::string tile_help = " (name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W'))";
const std::string width_help = " (tile width in pixels (tiles are square))";
const std::string height_names = "enum is only accepting [int16, int32, int64, float32, float64]";
const std::string long_name(250, 'n');

struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
    Files files;       // the directory's contents afterwards
    Files before = {}; // and before; a name ending in "/" is a directory
};

const Case cases[] = {
    {{"--version"}, 0, "mavrel " MAVREL_VERSION "\n", "", {}},
    {{"--help"}, 0, help, "", {}},
    {{"N45E007", "abc", "-?"}, 0, help, "", {}},
    {{}, 255, "", "Argument missing: TILE" + tile_help + "\n", {}},
    {{"--version", "extra"}, 255, "", "Argument missing: WIDTH" + width_help + "\n", {}},
    {{"T", "64", "-d", "float16"},
     255,
     "",
     "Invalid argument \"float16\" for -d,--data-type (type for height data). Error: " +
         height_names + "\n",
     {}},
    {{"T", "1", "-d", "int8"},
     255,
     "",
     "Invalid argument \"int8\" for -d,--data-type (type for height data). Error: " + height_names +
         "\n",
     {}},
    {{"T", "wide"},
     255,
     "",
     "Invalid argument, could not convert \"wide\" for WIDTH" + width_help + "\n",
     {}},
    {{"T", "4294967296"},
     255,
     "",
     "Invalid argument \"4294967296\" for WIDTH" + width_help + ". Error: out of range\n",
     {}},
    {{"T", "1", "-dint16"},
     255,
     "",
     "unrecognised commandline argument: i\nunrecognised commandline argument: n\n"
     "unrecognised commandline argument: t\nunrecognised commandline argument: 1\n"
     "unrecognised commandline argument: 6\nNo value provided for: d\n",
     {}},
    {{"T", "3"},
     0,
     "",
     "",
     {{"T", samples(9, 4)}, {"T_flag", samples(9, 1, 1)}},
     {{"T", std::string(100, 'x')}, {"T_flag", "old flag"}}},
    {{"T", "0x10"}, 0, "", "", {{"T", ""}, {"T_flag", ""}}},
    {{"T", "2px", "--version", "-d", "Int16"},
     0,
     "",
     "",
     {{"T", samples(4, 2)}, {"T_flag", samples(4, 1, 1)}}},
    {{"--data-type=FLOAT64", "T", "1", "-f", "int16"},
     0,
     "",
     "",
     {{"T", samples(1, 8)}, {"T_flag", samples(1, 2, 1)}}},
    {{"T", "2", "-d=int64", "--flag-type", "INT64"},
     0,
     "",
     "",
     {{"T", samples(4, 8)}, {"T_flag", samples(4, 8, 1)}}},
    {{"-d", "int32", "T", "--flag-type=Int32", "1"},
     0,
     "",
     "",
     {{"T", samples(1, 4)}, {"T_flag", samples(1, 4, 1)}}},
    {{"T", "1", "--datatype", "int16"},
     0,
     "",
     "unrecognised commandline argument: datatype\n",
     {{"T", samples(1, 4)}, {"T_flag", samples(1, 1, 1)}}},
    {{long_name, "1"}, 0, "", "", {{long_name, samples(1, 4)}, {long_name + "_flag", "\x01"}}},
    {{"nodir/T", "3"}, 255, "failed to create tile: nodir/T: No such file or directory\n", "", {}},
    {{"", "1"}, 255, "failed to create tile: \"\": No such file or directory\n", "", {}},
    {{"D", "1"}, 255, "failed to create tile: D: Is a directory\n", "", {{"D/", ""}}, {{"D/", ""}}},
    {{"T", "1073741824", "-d", "float64"},
     255,
     "failed to create tile: cannot create std::vector larger than max_size()\n",
     "",
     {{"T", "old"}},
     {{"T", "old"}}},
};

TEST(mavrel, runs_end_to_end) {
    for (const Case& run : cases) {
        const TempDir dir;
        for (const auto& [name, bytes] : run.before) {
            if (name.back() == '/') {
                std::filesystem::create_directory(dir / name);
            } else {
                write_text(dir / name, bytes);
            }
        }
        const Outcome outcome = mavrel(run.args, dir.path);
        const std::string call = testing::PrintToString(run.args);
        EXPECT_EQ(outcome.status, run.status) << call;
        EXPECT_EQ(outcome.out, run.out) << call;
        EXPECT_EQ(outcome.err, run.err) << call;
        EXPECT_EQ(dir.contents(), run.files) << call;
    }
}

TEST(mavrel, keeps_a_replaced_files_mode_gives_a_new_one_the_umask_and_follows_links) {
    TempDir dir;
    write_text(dir / "target", "old");
    ::chmod((dir / "target").c_str(), 0640);
    std::filesystem::create_symlink("target", dir / "T");
    const mode_t old_umask = ::umask(027);
    EXPECT_EQ(mavrel({"T", "1"}, dir.path).status, 0);
    ::umask(old_umask);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "T"));
    EXPECT_EQ(dir.contents(),
              (Files{{"T", samples(1, 4)}, {"T_flag", "\x01"}, {"target", samples(1, 4)}}));
    EXPECT_EQ(std::filesystem::status(dir / "T_flag").permissions(), std::filesystem::perms(0640));
    ::chmod((dir / "target").c_str(), 0604);
    EXPECT_EQ(mavrel({"target", "1"}, dir.path).status, 0);
    EXPECT_EQ(std::filesystem::status(dir / "target").permissions(), std::filesystem::perms(0604));
}

TEST(mavrel, rewrites_a_writable_tile_in_place_where_no_temporary_file_may_be_made) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::getuid() == 0 && nobody == nullptr) {
        GTEST_SKIP() << "runs as root, and there is no user nobody to run mavrel as";
    }
    TempDir dir;
    for (const char* name : {"T", "T_flag"}) {
        write_text(dir / name, "old");
        ::chmod((dir / name).c_str(), 0666);
    }
    ::chmod(dir.path.c_str(), 0555);
    const Limits user{RLIM_INFINITY, ::getuid() == 0 ? nobody->pw_uid : ::getuid()};
    const Outcome rewritten = mavrel({"T", "2"}, dir.path, user);
    const Outcome refused = mavrel({"U", "2"}, dir.path, user);
    ::chmod(dir.path.c_str(), 0755);
    EXPECT_EQ(rewritten.status, 0);
    EXPECT_EQ(rewritten.out + rewritten.err, "");
    EXPECT_EQ(refused.out, "failed to create tile: U: Permission denied\n");
    EXPECT_EQ(dir.contents(), (Files{{"T", samples(4, 4)}, {"T_flag", samples(4, 1, 1)}}));
}

TEST(mavrel, concurrent_writers_of_one_tile_leave_complete_files_of_single_runs) {
    const char* height_types[] = {"int16", "int32", "int64", "float32", "float64"};
    const std::size_t height_sizes[] = {2, 4, 8, 4, 8};
    const char* flag_types[] = {"int8", "int16", "int32", "int64"};
    const std::size_t flag_sizes[] = {1, 2, 4, 8};
    constexpr int writers = 8;
    std::set<std::string> heights, flags;
    for (int i = 0; i < writers; ++i) {
        const std::size_t count = (64U * (i + 1)) * (64U * (i + 1));
        heights.insert(samples(count, height_sizes[i % 5]));
        flags.insert(samples(count, flag_sizes[i % 4], 1));
    }
    for (int round = 0; round < 20; ++round) {
        const TempDir dir;
        const TempDir captures[writers];
        pid_t children[writers];
        for (int i = 0; i < writers; ++i) {
            children[i] = start({"T", std::to_string(64 * (i + 1)), "-d", height_types[i % 5], "-f",
                                 flag_types[i % 4]},
                                dir.path, captures[i]);
        }
        for (pid_t child : children) {
            int status = 0;
            ::waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        }
        const Files files = dir.contents();
        ASSERT_EQ(files.size(), 2U) << "round " << round;
        EXPECT_EQ(heights.count(files.at("T")), 1U) << "round " << round;
        EXPECT_EQ(flags.count(files.at("T_flag")), 1U) << "round " << round;
    }
}

TEST(mavrel, reports_writes_refused_by_a_device_on_standard_output) {
    TempDir dir;
    if (::mknod((dir / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "cannot make a device node here (needs root)";
    }
    // The numbers of /dev/full: a device that refuses every write.
    const Outcome outcome = mavrel({"full", "8"}, dir.path);
    EXPECT_EQ(outcome.status, 255);
    EXPECT_EQ(outcome.out + outcome.err, "failed to create tile: full: No space left on device\n");
    EXPECT_EQ(dir.names(), std::set<std::string>{"full"});
}

TEST(mavrel, a_full_file_system_fails_the_stage_and_keeps_the_old_files) {
    TempDir dir;
    if (::mount("tmpfs", dir.path.c_str(), "tmpfs", 0, "size=256k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs (needs root): " << std::strerror(errno);
    }
    write_text(dir / "T", "old tile");
    write_text(dir / "T_flag", "old flag");
    // 300 x 300 16-bit heights (180000 bytes) fit beside the old files; twice the width does not.
    EXPECT_EQ(mavrel({"T", "600", "-d", "int16"}, dir.path).out,
              "failed to create tile: T: No space left on device\n");
    EXPECT_EQ(read_file(dir / "T"), "old tile");
    const Outcome outcome = mavrel({"T", "300", "-d", "int16", "-f", "int64"}, dir.path);
    EXPECT_EQ(outcome.status, 255);
    EXPECT_EQ(outcome.out, "failed to create mask: T_flag: No space left on device\n");
    EXPECT_EQ(dir.contents(), (Files{{"T", samples(90000, 2)}, {"T_flag", "old flag"}}));
    ::umount2(dir.path.c_str(), MNT_DETACH);
}

TEST(mavrel, memory_for_the_heights_but_not_for_the_flags_fails_the_mask_stage) {
#if defined(MAVREL_SANITIZERS)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
#endif
    TempDir dir;
    // 4096 x 4096 samples: 64 MiB of float32 heights fit, 128 MiB of int64 flags do not.
    const Outcome outcome = mavrel({"T", "4096", "-f", "int64"}, dir.path, {rlim_t{112} << 20});
    EXPECT_EQ(outcome.status, 255);
    EXPECT_EQ(outcome.out, "failed to create mask: std::bad_alloc\n");
    EXPECT_EQ(dir.contents(), (Files{{"T", samples(4096 * 4096, 4)}}));
}

TEST(mavrel, a_termination_signal_while_writing_leaves_the_old_file_and_no_temporary) {
    TempDir dir;
    const TempDir capture;
    write_text(dir / "T", "old tile");
    // 16384 x 16384 float32 heights: a GiB to write, time enough to be interrupted.
    const pid_t child = start({"T", "16384"}, dir.path, capture);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (dir.names().size() < 2 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "mavrel ended before the signal";
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_EQ(dir.contents(), (Files{{"T", "old tile"}}));
}

} // namespace
