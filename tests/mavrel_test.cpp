#include "temp_dir.hpp"
#include "tool_help.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
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

// Starts the built mavrel in directory cwd, as a user would, with its address space limited
// and its output going to the files out and err of capture.
pid_t start(const std::vector<std::string>& args, const std::string& cwd, const TempDir& capture,
            rlim_t memory_limit = RLIM_INFINITY) {
    std::vector<char*> argv{const_cast<char*>(MAVREL_BINARY)};
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{memory_limit, memory_limit};
        if (::chdir(cwd.c_str()) == 0 && ::setrlimit(RLIMIT_AS, &limit) == 0 &&
            ::dup2(::creat((capture / "out").c_str(), 0600), 1) == 1 &&
            ::dup2(::creat((capture / "err").c_str(), 0600), 2) == 2) {
            ::execv(MAVREL_BINARY, argv.data());
        }
        ::_exit(127);
    }
    return child;
}

Outcome mavrel(const std::vector<std::string>& args, const std::string& cwd,
               rlim_t memory_limit = RLIM_INFINITY) {
    const TempDir capture;
    int status = 0;
    ::waitpid(start(args, cwd, capture, memory_limit), &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(capture / "out"),
            read_file(capture / "err")};
}

const std::string welcome = "mavrel - generate DEM tiles in TASMER generic format.\n"
                            "The mavrel authors <https://mavrel.example.org/>\n\n";

TEST(mavrel, answers_version_and_help_on_standard_output) {
    TempDir dir;
    const std::pair<std::vector<std::string>, std::string> requests[] = {
        {{"--version"}, "mavrel 0.1\n"},
        {{"--help"}, welcome + tool_help_text},
        {{"-?"}, welcome + tool_help_text},
        {{"N45E007", "abc", "-?"}, welcome + tool_help_text},
    };
    for (const auto& [args, text] : requests) {
        const Outcome outcome = mavrel(args, dir.path);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out + outcome.err, text);
    }
    EXPECT_EQ(dir.names(), std::set<std::string>{});
}

TEST(mavrel, refuses_bad_command_lines_on_standard_error_and_writes_nothing) {
    TempDir dir;
    const std::pair<std::vector<std::string>, std::string> refusals[] = {
        {{},
         "Argument missing: TILE (name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or "
         "'W'))"},
        {{"--version", "extra"},
         "Argument missing: WIDTH (tile width in pixels (tiles are "
         "square))"},
        {{"T", "64", "-d", "float16"},
         "Invalid argument \"float16\" for -d,--data-type (type for "
         "height data). Error: enum is only accepting [int16, "
         "int32, int64, float32, float64]"},
        {{"T", "wide"},
         "Invalid argument, could not convert \"wide\" for WIDTH (tile width in "
         "pixels (tiles are square))"},
        {{"T", "4294967296"},
         "Invalid argument \"4294967296\" for WIDTH (tile width in pixels "
         "(tiles are square)). Error: out of range"},
    };
    for (const auto& [args, message] : refusals) {
        const Outcome outcome = mavrel(args, dir.path);
        EXPECT_EQ(outcome.status, 255);
        EXPECT_EQ(outcome.out + "|" + outcome.err, "|" + message + "\n");
    }
    EXPECT_EQ(dir.names(), std::set<std::string>{});
}

TEST(mavrel, writes_the_tile_pair_of_the_chosen_types) {
    TempDir dir;
    const std::pair<std::vector<std::string>, std::pair<std::size_t, std::string>> runs[] = {
        {{"T", "3"}, {36, std::string(9, '\x01')}},
        {{"T", "1", "--version", "-d", "Int16"}, {2, "\x01"}},
        {{"--data-type=FLOAT64", "T", "1", "-f", "int16"}, {8, std::string("\x01\0", 2)}},
        {{"T", "1", "-d=int64", "--flag-type", "INT64"}, {8, std::string("\x01\0\0\0\0\0\0\0", 8)}},
        {{"-d", "int32", "T", "--flag-type=Int32", "1"}, {4, std::string("\x01\0\0\0", 4)}},
    };
    for (const auto& [args, files] : runs) {
        const Outcome outcome = mavrel(args, dir.path);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out + outcome.err, "");
        EXPECT_EQ(read_file(dir / "T"), std::string(files.first, '\0'));
        EXPECT_EQ(read_file(dir / "T_flag"), files.second);
    }
    const Outcome warned = mavrel({"--colour", "T", "1", "-x"}, dir.path);
    EXPECT_EQ(warned.status, 0);
    EXPECT_EQ(warned.err, "unrecognised commandline argument: colour\n"
                          "unrecognised commandline argument: x\n");
}

TEST(mavrel, reports_files_it_cannot_write_on_standard_output) {
    TempDir dir;
    const Outcome outcome = mavrel({"nodir/T", "3"}, dir.path);
    EXPECT_EQ(outcome.status, 255);
    EXPECT_EQ(outcome.out + outcome.err,
              "failed to create tile: nodir/T: No such file or directory\n");
    if (::mknod((dir / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "cannot make a device node here (needs root)";
    }
    // The numbers of /dev/full: a device that refuses every write.
    EXPECT_EQ(mavrel({"full", "8"}, dir.path).out,
              "failed to create tile: full: No space left on device\n");
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
    EXPECT_EQ(read_file(dir / "T").size(), 180000U);
    EXPECT_EQ(read_file(dir / "T_flag"), "old flag");
    EXPECT_EQ(dir.names(), (std::set<std::string>{"T", "T_flag"}));
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
    EXPECT_EQ(read_file(dir / "T").size(), std::size_t{64} << 20);
    EXPECT_EQ(dir.names(), std::set<std::string>{"T"});
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
    EXPECT_EQ(read_file(dir / "T"), "old tile");
    EXPECT_EQ(dir.names(), std::set<std::string>{"T"});
}

} // namespace
