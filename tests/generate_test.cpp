#include "generate.hpp"

#include "small_tmpfs.hpp"
#include "temp_dir.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

struct Outcome {
    int result;
    std::string output;
};

Outcome generate(const std::string &tile, std::uint32_t width,
                 DataType data_type = DataType::FLOAT32, FlagType flag_type = FlagType::INT8) {
    cli::Config config;
    config.tile = tile;
    config.width = width;
    config.data_type = data_type;
    config.flag_type = flag_type;
    testing::internal::CaptureStdout();
    const int result = cli::generate(config);
    return {result, testing::internal::GetCapturedStdout()};
}

const std::string zero8(8, '\0');

TEST(generate, height_files_hold_zero_samples_of_each_type) {
    const std::pair<DataType, std::size_t> types[] = {{DataType::INT16, 2},
                                                      {DataType::INT32, 4},
                                                      {DataType::INT64, 8},
                                                      {DataType::FLOAT32, 4},
                                                      {DataType::FLOAT64, 8}};
    TempDir dir;
    for (const auto &[type, bytes] : types) {
        for (std::uint32_t width : {0U, 1U, 2U, 3U}) {
            const Outcome run = generate(dir / "T", width, type);
            EXPECT_EQ(run.result, 0);
            EXPECT_EQ(run.output, "");
            EXPECT_EQ(read_file(dir / "T"), std::string(bytes * width * width, '\0'))
                << "type " << static_cast<int>(type) << " width " << width;
        }
    }
}

TEST(generate, flag_files_hold_ones_of_each_type) {
    const std::pair<FlagType, std::string> types[] = {
        {FlagType::INT8, "\x01"},
        {FlagType::INT16, std::string("\x01\0", 2)},
        {FlagType::INT32, std::string("\x01\0\0\0", 4)},
        {FlagType::INT64, "\x01" + zero8.substr(1)}};
    TempDir dir;
    for (const auto &[type, sample] : types) {
        for (std::uint32_t width : {0U, 1U, 2U, 3U}) {
            ASSERT_EQ(generate(dir / "N45E007", width, DataType::FLOAT32, type).result, 0);
            EXPECT_EQ(read_file(dir / "N45E007_flag"), repeated(sample, width * width))
                << "type " << static_cast<int>(type) << " width " << width;
        }
    }
    EXPECT_EQ(dir.names(), (std::set<std::string>{"N45E007", "N45E007_flag"}));
}

TEST(generate, rewrites_longer_files_to_their_new_length_and_keeps_their_mode) {
    TempDir dir;
    write_text(dir / "T", std::string(100, 'x'));
    write_text(dir / "T_flag", std::string(100, 'x'));
    ::chmod((dir / "T").c_str(), 0640);
    ASSERT_EQ(generate(dir / "T", 2).result, 0);
    EXPECT_EQ(read_file(dir / "T"), std::string(16, '\0'));
    EXPECT_EQ(read_file(dir / "T_flag"), "\x01\x01\x01\x01");
    struct stat status {};
    ::stat((dir / "T").c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 0640U);
}

TEST(generate, too_wide_a_tile_fails_before_touching_any_file) {
    TempDir dir;
    for (DataType type : {DataType::INT64, DataType::FLOAT64}) {
        write_text(dir / "T", "old tile");
        write_text(dir / "T_flag", "old flag");
        const Outcome run = generate(dir / "T", 1U << 30, type);
        EXPECT_EQ(run.result, -1);
        EXPECT_EQ(run.output,
                  "failed to create tile: cannot create std::vector larger than max_size()\n");
        EXPECT_EQ(read_file(dir / "T"), "old tile");
        EXPECT_EQ(read_file(dir / "T_flag"), "old flag");
    }
    EXPECT_EQ(dir.names(), (std::set<std::string>{"T", "T_flag"}));
}

TEST(generate, names_that_cannot_be_written_fail_the_tile_stage) {
    TempDir dir;
    std::filesystem::create_directory(dir / "directory");
    const std::pair<std::string, std::string> cases[] = {
        {dir / "nodir/T", dir / "nodir/T: No such file or directory"},
        {dir / "directory", dir / "directory: Is a directory"},
        {"", "\"\": No such file or directory"},
    };
    for (const auto &[name, reason] : cases) {
        const Outcome run = generate(name, 3);
        EXPECT_EQ(run.result, -1);
        EXPECT_EQ(run.output, "failed to create tile: " + reason + "\n");
    }
    EXPECT_EQ(dir.names(), (std::set<std::string>{"directory"}));
    EXPECT_FALSE(std::filesystem::exists("_flag"));
}

TEST(generate, devices_and_symbolic_links_are_written_in_place) {
    TempDir dir;
    write_text(dir / "target", "old");
    std::filesystem::create_symlink(dir / "target", dir / "link");
    ASSERT_EQ(generate(dir / "link", 1).result, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    EXPECT_EQ(read_file(dir / "target"), std::string(4, '\0'));

    if (::mknod((dir / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "cannot make a device node here (needs root)";
    }
    const Outcome run = generate(dir / "full", 1);
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(run.output,
              "failed to create tile: " + (dir / "full") + ": No space left on device\n");
    EXPECT_TRUE(std::filesystem::is_character_file(dir / "full"));
}

TEST(generate, a_full_file_system_keeps_the_old_files_whole) {
    SmallTmpfs fs("256k");
    if (!fs.mounted()) {
        GTEST_SKIP() << fs.failure();
    }
    const std::string tile = fs.dir() / "T";
    write_text(tile, "old tile");
    write_text(tile + "_flag", "old flag");

    // 200 x 200 samples: 80000 bytes of 16-bit heights fit, 320000 bytes of 64-bit flags do not.
    Outcome run = generate(tile, 200, DataType::INT16, FlagType::INT64);
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(run.output, "failed to create mask: " + tile + "_flag: No space left on device\n");
    EXPECT_EQ(read_file(tile), std::string(80000, '\0'));
    EXPECT_EQ(read_file(tile + "_flag"), "old flag");

    run = generate(tile, 400, DataType::INT16);
    EXPECT_EQ(run.output, "failed to create tile: " + tile + ": No space left on device\n");
    EXPECT_EQ(read_file(tile), std::string(80000, '\0'));
    EXPECT_EQ(fs.dir().names(), (std::set<std::string>{"T", "T_flag"}));
}

} // namespace
