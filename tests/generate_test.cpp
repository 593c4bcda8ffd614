#include "generate.hpp"

#include "temp_dir.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct Outcome {
    int result;
    std::string output;
};

Outcome generate(const std::string& tile, std::uint32_t width,
                 DataType data_type = DataType::FLOAT32, FlagType flag_type = FlagType::INT8) {
    testing::internal::CaptureStdout();
    const int result = cli::generate({tile, width, data_type, flag_type, 1});
    return {result, testing::internal::GetCapturedStdout()};
}

TEST(generate, writes_every_sample_type_byte_for_byte) {
    const std::size_t height_bytes[] = {2, 4, 8, 4, 8};
    const std::size_t flag_bytes[] = {1, 2, 4, 8};
    const std::string one("\x01\0\0\0\0\0\0\0", 8);
    TempDir dir;
    for (std::uint32_t width : {0U, 1U, 2U, 3U}) {
        const std::size_t samples = std::size_t{width} * width;
        for (int type = 0; type < 5; ++type) {
            const Outcome outcome = generate(dir / "T", width, DataType(type), FlagType(type % 4));
            EXPECT_EQ(outcome.result, 0);
            EXPECT_EQ(outcome.output, "");
            EXPECT_EQ(read_file(dir / "T"), std::string(height_bytes[type] * samples, '\0'))
                << type;
            std::string flags;
            for (std::size_t i = 0; i < samples; ++i) {
                flags += one.substr(0, flag_bytes[type % 4]);
            }
            EXPECT_EQ(read_file(dir / "T_flag"), flags) << type;
        }
    }
    EXPECT_EQ(dir.names(), (std::set<std::string>{"T", "T_flag"}));
}

TEST(generate, replaces_longer_files_keeping_their_mode_and_gives_new_ones_the_umask) {
    TempDir dir;
    write_text(dir / "T", std::string(100, 'x'));
    ::chmod((dir / "T").c_str(), 0640);
    const mode_t old_umask = ::umask(077);
    ASSERT_EQ(generate(dir / "T", 2).result, 0);
    ::umask(old_umask);
    struct stat tile {
    }, flag{};
    ::stat((dir / "T").c_str(), &tile);
    ::stat((dir / "T_flag").c_str(), &flag);
    EXPECT_EQ(read_file(dir / "T"), std::string(16, '\0'));
    EXPECT_EQ(tile.st_mode & 07777, 0640U);
    EXPECT_EQ(flag.st_mode & 07777, 0600U);
}

TEST(generate, too_wide_a_tile_fails_before_touching_any_file) {
    TempDir dir;
    write_text(dir / "T", "old tile");
    for (DataType type : {DataType::INT64, DataType::FLOAT64}) {
        const Outcome outcome = generate(dir / "T", 1U << 30, type);
        EXPECT_EQ(outcome.result, -1);
        EXPECT_EQ(outcome.output,
                  "failed to create tile: cannot create std::vector larger than max_size()\n");
    }
    EXPECT_EQ(read_file(dir / "T"), "old tile");
    EXPECT_EQ(dir.names(), std::set<std::string>{"T"});
}

TEST(generate, names_that_cannot_be_written_fail_the_tile_stage_and_links_are_followed) {
    TempDir dir;
    std::filesystem::create_directory(dir / "directory");
    const std::pair<std::string, std::string> failures[] = {
        {dir / "nodir/T", dir / "nodir/T: No such file or directory"},
        {dir / "directory", dir / "directory: Is a directory"},
        {"", "\"\": No such file or directory"},
    };
    for (const auto& [name, reason] : failures) {
        EXPECT_EQ(generate(name, 3).output, "failed to create tile: " + reason + "\n");
    }
    EXPECT_FALSE(std::filesystem::exists("_flag"));

    write_text(dir / "target", "old");
    std::filesystem::create_symlink(dir / "target", dir / "link");
    ASSERT_EQ(generate(dir / "link", 1).result, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    EXPECT_EQ(read_file(dir / "target"), std::string(4, '\0'));
    EXPECT_EQ(dir.names(), (std::set<std::string>{"directory", "link", "link_flag", "target"}));
}

} // namespace
