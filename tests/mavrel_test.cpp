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
    int status;
    std::string out;
    std::string err;
};

// Starts the built mavrel in directory cwd, as the given user, with its address space limited
// and its output going to the files out and err of capture.
pid_t start(std::vector<std::string> args, const std::string& cwd, const TempDir& capture,
            rlim_t memory = RLIM_INFINITY, uid_t user = ::getuid()) {
    args.insert(args.begin(), MAVREL_BINARY);
    std::vector<char*> argv;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{memory, memory};
        const int binary = ::open(MAVREL_BINARY, O_RDONLY); // the user may not reach the build
        if (::chdir(cwd.c_str()) == 0 && ::setrlimit(RLIMIT_AS, &limit) == 0 &&
            ::dup2(::creat((capture / "out").c_str(), 0600), 1) == 1 &&
            ::dup2(::creat((capture / "err").c_str(), 0600), 2) == 2 && ::setuid(user) == 0) {
            ::fexecve(binary, argv.data(), environ);
        }
        ::_exit(127);
    }
    return child;
}

Outcome mavrel(const std::vector<std::string>& args, const std::string& cwd,
               rlim_t memory = RLIM_INFINITY, uid_t user = ::getuid()) {
    const TempDir capture;
    int status = 0;
    ::waitpid(start(args, cwd, capture, memory, user), &status, 0);
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

// The tile pair of count samples, heights and flags of the given sample sizes.
Files pair(std::size_t count, std::size_t height, std::size_t flag, const std::string& tile = "T") {
    return {{tile, samples(count, height)}, {tile + "_flag", samples(count, flag, 1)}};
}

std::string warnings(const std::vector<std::string>& names) {
    std::string lines;
    for (const auto& name : names) {
        lines += "unrecognised commandline argument: " + name + "\n";
    }
    return lines;
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
const std::string tile = "TILE (name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W'))\n";
const std::string width = " for WIDTH (tile width in pixels (tiles are square))";
const std::string heights = " for -d,--data-type (type for height data). Error: enum is only "
                            "accepting [int16, int32, int64, float32, float64]\n";
const std::string no_d = "No value provided for: d\n";
std::string too_wide(const std::string& text) {
    return "Invalid argument \"" + text + "\"" + width + ". Error: out of range\n";
}
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
    {{"N45E007", "abc", "-??"}, 0, help, "", {}},
    {{"-d", "x", "--help=TRUE"}, 0, help, "", {}},
    {{"T", "1", "--help=1"}, 0, help, "", {}},
    {{}, 255, "", "Argument missing: " + tile, {}},
    {{"--version", "extra"}, 255, "", "Argument missing: WIDTH" + width.substr(10) + "\n", {}},
    {{"T", "wide"}, 255, "", "Invalid argument, could not convert \"wide\"" + width + "\n", {}},
    {{"T", "4294967296"}, 255, "", too_wide("4294967296"), {}},
    {{"T", "-1", "--help=0"}, 255, "", too_wide("-1"), {}},
    {{"T", "1", "-d", "float16", "-d", "int16"},
     255,
     "",
     "Invalid argument \"float16\"" + heights,
     {}},
    {{"T", "1", "-d", "-f", "int8"}, 255, "", no_d, {}},
    {{"T", "1", "-dint16"}, 255, "", warnings({"i", "n", "t", "1", "6"}) + no_d, {}},
    {{"T", "3"}, 0, "", "", pair(9, 4, 1), {{"T", std::string(100, 'x')}, {"T_flag", "old"}}},
    {{"T", "0x10"}, 0, "", "", pair(0, 4, 1)},
    {{"T", "2px", "--version", "-d", "Int16", "--help=false"}, 0, "", "", pair(4, 2, 1)},
    {{"--data-type=FLOAT64", "T", "1", "-f", "int16"}, 0, "", "", pair(1, 8, 2)},
    {{"T", "2", "-d=int64", "--flag-type", "INT64"}, 0, "", "", pair(4, 8, 8)},
    {{"-d", "int32", "T", "--flag-type=Int32", "1"}, 0, "", "", pair(1, 4, 4)},
    {{"T", "1", "--datatype", "int16"}, 0, "", warnings({"datatype"}), pair(1, 4, 1)},
    {{"--colour", "red", "1", "x", "-", "--", "--Version"},
     0,
     "",
     warnings({"colour", "-", "", "Version"}),
     pair(1, 4, 1, "red")},
    {{long_name, "1"}, 0, "", "", pair(1, 4, 1, long_name)},
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

TEST(mavrel, keeps_a_replaced_files_mode_gives_new_ones_the_umask_and_follows_links) {
    TempDir dir;
    write_text(dir / "T", "old");
    ::chmod((dir / "T").c_str(), 0604);
    write_text(dir / "target", "old");
    std::filesystem::create_symlink("target", dir / "T_flag");
    const mode_t old_umask = ::umask(027);
    EXPECT_EQ(mavrel({"T", "1"}, dir.path).status + mavrel({"U", "1"}, dir.path).status, 0);
    ::umask(old_umask);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "T_flag"));
    Files files = pair(1, 4, 1, "U");
    files.merge(pair(1, 4, 1));
    files["target"] = "\x01";
    EXPECT_EQ(dir.contents(), files);
    for (const auto& [name, mode] : {std::pair{"T", 0604}, {"U", 0640}, {"U_flag", 0640}}) {
        EXPECT_EQ(std::filesystem::status(dir / name).permissions(), std::filesystem::perms(mode));
    }
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
    const uid_t user = ::getuid() == 0 ? nobody->pw_uid : ::getuid();
    const Outcome rewritten = mavrel({"T", "2"}, dir.path, RLIM_INFINITY, user);
    const Outcome refused = mavrel({"U", "2"}, dir.path, RLIM_INFINITY, user);
    ::chmod(dir.path.c_str(), 0755);
    EXPECT_EQ(rewritten.status, 0);
    EXPECT_EQ(rewritten.out + rewritten.err, "");
    EXPECT_EQ(refused.out, "failed to create tile: U: Permission denied\n");
    EXPECT_EQ(dir.contents(), pair(4, 4, 1));
}

TEST(mavrel, concurrent_writers_of_one_tile_leave_complete_files_of_single_runs) {
    const char* types[] = {"int8", "int16", "int32", "int64", "float32", "float64"};
    std::set<std::string> heights, flags;
    for (int i = 0; i < 8; ++i) {
        const Files files = pair((64U * (i + 1)) * (64U * (i + 1)), 2U << i % 3, 1U << i % 4);
        heights.insert(files.at("T"));
        flags.insert(files.at("T_flag"));
    }
    for (int round = 0; round < 20; ++round) {
        const TempDir dir;
        const TempDir captures[8];
        pid_t writers[8];
        for (int i = 0; i < 8; ++i) {
            writers[i] = start(
                {"T", std::to_string(64 * (i + 1)), "-d", types[1 + i % 3], "-f", types[i % 4]},
                dir.path, captures[i]);
        }
        for (pid_t writer : writers) {
            int status = -1;
            ::waitpid(writer, &status, 0);
            EXPECT_EQ(status, 0) << "round " << round;
        }
        const Files files = dir.contents();
        ASSERT_EQ(files.size(), 2U) << "round " << round;
        EXPECT_EQ(heights.count(files.at("T")) + flags.count(files.at("T_flag")), 2U);
    }
}

TEST(mavrel, writes_refused_by_a_device_or_a_full_file_system_fail_and_keep_the_old_files) {
    TempDir dir;
    if (::mount("tmpfs", dir.path.c_str(), "tmpfs", 0, "size=256k") != 0 ||
        ::mknod((dir / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs, or make a device there (needs root)";
    }
    // The numbers of /dev/full: a device that refuses every write.
    const Outcome device = mavrel({"full", "8"}, dir.path);
    EXPECT_EQ(device.status, 255);
    EXPECT_EQ(device.out + device.err, "failed to create tile: full: No space left on device\n");
    ::unlink((dir / "full").c_str());
    write_text(dir / "T", "old tile");
    write_text(dir / "T_flag", "old flag");
    // 300 x 300 16-bit heights (180000 bytes) fit beside the old files; twice the width does not.
    EXPECT_EQ(mavrel({"T", "600", "-d", "int16"}, dir.path).out,
              "failed to create tile: T: No space left on device\n");
    EXPECT_EQ(read_file(dir / "T"), "old tile");
    const Outcome flag = mavrel({"T", "300", "-d", "int16", "-f", "int64"}, dir.path);
    EXPECT_EQ(flag.status, 255);
    EXPECT_EQ(flag.out, "failed to create mask: T_flag: No space left on device\n");
    EXPECT_EQ(dir.contents(), (Files{{"T", samples(90000, 2)}, {"T_flag", "old flag"}}));
    ::umount2(dir.path.c_str(), MNT_DETACH);
}

TEST(mavrel, memory_for_the_heights_but_not_for_the_flags_fails_the_mask_stage) {
#if defined(MAVREL_SANITIZERS)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
#endif
    TempDir dir;
    // 4096 x 4096 samples: 64 MiB of float32 heights fit, 128 MiB of int64 flags do not.
    const Outcome outcome = mavrel({"T", "4096", "-f", "int64"}, dir.path, rlim_t{112} << 20);
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
    while (std::distance(std::filesystem::directory_iterator(dir.path), {}) < 2 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, SIGTERM) << "mavrel did not end by the signal";
    EXPECT_EQ(dir.contents(), (Files{{"T", "old tile"}}));
}

} // namespace
