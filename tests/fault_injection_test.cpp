#include "run_binary.hpp"
#include "small_tmpfs.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool address_sanitizer = true;
#elif defined(__has_feature)
constexpr bool address_sanitizer = __has_feature(address_sanitizer);
#else
constexpr bool address_sanitizer = false;
#endif

Outcome mavrel(const std::vector<std::string> &args, const std::string &cwd,
               rlim_t memory_limit = RLIM_INFINITY) {
    return run_binary(MAVREL_BINARY, args, cwd, memory_limit);
}

TEST(fault_injection, a_full_file_system_fails_the_stage_and_keeps_the_old_files) {
    SmallTmpfs fs("256k");
    if (!fs.mounted()) {
        GTEST_SKIP() << fs.failure();
    }
    const std::string cwd = fs.dir().path().string();
    write_text(fs.dir() / "T", "old tile");
    write_text(fs.dir() / "T_flag", "old flag");

    // 300 x 300 16-bit heights (180000 bytes) fit beside the old files; twice that does not.
    Outcome outcome = mavrel({"T", "600", "-d", "int16"}, cwd);
    EXPECT_EQ(outcome.status, 255);
    EXPECT_EQ(outcome.out, "failed to create tile: T: No space left on device\n");
    EXPECT_EQ(read_file(fs.dir() / "T"), "old tile");
    EXPECT_EQ(read_file(fs.dir() / "T_flag"), "old flag");

    outcome = mavrel({"T", "300", "-d", "int16", "-f", "int64"}, cwd);
    EXPECT_EQ(outcome.status, 255);
    EXPECT_EQ(outcome.out, "failed to create mask: T_flag: No space left on device\n");
    EXPECT_EQ(read_file(fs.dir() / "T").size(), 180000U);
    EXPECT_EQ(read_file(fs.dir() / "T_flag"), "old flag");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(fs.dir().names(), (std::set<std::string>{"T", "T_flag"}));
}

TEST(fault_injection, a_device_that_refuses_every_write_fails_the_tile_stage) {
    TempDir dir;
    if (::mknod((dir / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "cannot make a device node here (needs root)";
    }
    const Outcome outcome = mavrel({"full", "8"}, dir.path().string());
    EXPECT_EQ(outcome.status, 255);
    EXPECT_EQ(outcome.out, "failed to create tile: full: No space left on device\n");
    EXPECT_EQ(dir.names(), std::set<std::string>{"full"});
}

TEST(fault_injection, memory_for_the_heights_but_not_for_the_flags_fails_the_mask_stage) {
    if (address_sanitizer) {
        GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
    }
    TempDir dir;
    // 4096 x 4096 samples: 64 MiB of float32 heights fit under the limit, 128 MiB of int64
    // flags do not.
    const Outcome outcome =
        mavrel({"T", "4096", "-f", "int64"}, dir.path().string(), rlim_t{112} << 20);
    EXPECT_EQ(outcome.status, 255);
    EXPECT_EQ(outcome.out, "failed to create mask: std::bad_alloc\n");
    EXPECT_EQ(read_file(dir / "T").size(), std::size_t{64} << 20);
    EXPECT_EQ(dir.names(), std::set<std::string>{"T"});
}

} // namespace
