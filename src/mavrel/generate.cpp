// The generation run: the tile buffers, the two stages that write them, and their commit.
#include "mavrel/generate.hpp"

#include "mavrel/fresh_pages.hpp"
#include "writer/file_set.hpp"
#include "writer/names.hpp"
#include "writer/signal_dispositions.hpp"

#include <argparse/printable.hpp>

#include <cstdint>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {
namespace {

// Samples in memory fresh from the kernel, where zero costs nothing.
template <typename T> using Samples = std::vector<T, FreshPagesAllocator<T>>;

// Returns an empty vector with room for size samples, taken in one allocation; the length
// error comes before any allocation.
template <typename T> Samples<T> room_for(std::size_t size) {
    Samples<T> samples;
    if (size > samples.max_size()) {
        throw std::length_error("cannot create std::vector larger than max_size()");
    }
    samples.reserve(size);
    return samples;
}

// The samples of one square tile, all alike, held whole in memory.
template <typename T> class Tile {
public:
    std::size_t size;
    Samples<T> samples;

    // All zero: the fresh memory reads so already, and nothing is written into it.
    explicit Tile(std::uint32_t width)
        : size(std::size_t{width} * width), samples(room_for<T>(size)) {
        samples.resize(size);
    }

    Tile(std::uint32_t width, T fill)
        : size(std::size_t{width} * width), samples(room_for<T>(size)) {
        samples.assign(size, fill);
    }

    // Writes the samples into the file called name, all but its name, which files gives it
    // on commit together with the other file of the pair.
    void write_to_file(writer::FileSet& files, std::string name) const {
        files.stage(name, samples.data(), size * sizeof(T));
    }
};

// Each stage frees its tile before the next one is made: a staged file waits on disk.
template <typename T>
void stage_zero_tile(writer::FileSet& files, std::uint32_t width, const std::string& name) {
    Tile<T> tile(width);
    tile.write_to_file(files, name);
}

template <typename T>
void stage_tile(writer::FileSet& files, std::uint32_t width, T fill, const std::string& name) {
    Tile<T> tile(width, fill);
    tile.write_to_file(files, name);
}

std::string flag_name(const Config& config) {
    return config.tile + "_flag";
}

void stage_heights(writer::FileSet& files, const Config& config) {
    const std::string& name = config.tile;
    // A name that cannot be written fails the run before anything is, that of the flags too.
    writer::check_name(name);
    writer::check_name(flag_name(config));
    visit_samples(config.data_type,
                  [&](auto zero) { stage_zero_tile<decltype(zero)>(files, config.width, name); });
}

// Every flag sample holds the low bits of flag_value, zero-extended where wider.
void stage_flags(writer::FileSet& files, const Config& config) {
    visit_samples(config.flag_type, [&](auto zero) {
        using T = decltype(zero);
        stage_tile(files, config.width, static_cast<T>(config.flag_value), flag_name(config));
    });
}

// The failures of the stages that write the height file and the flag file, in that order.
const char* const failure_prefixes[] = {"failed to create tile: ", "failed to create mask: "};

// Prints a failure on one line on standard output, or on standard error where standard output
// takes nothing (a closed pipe, a full disk).
void report(const std::string& failure) {
    const std::string line = argparse::printable(failure);
    std::cout << line << std::endl;
    if (!std::cout) {
        std::cerr << line << std::endl;
    }
}

// Runs the stage of one file, the NUMBER-th; a failure becomes one line.
bool run_stage(std::size_t number, void (*stage)(writer::FileSet&, const Config&),
               writer::FileSet& files, const Config& config) {
    try {
        stage(files, config);
        return true;
    } catch (const std::exception& failure) {
        report(failure_prefixes[number] + std::string(failure.what()));
        return false;
    }
}

// Gives both files their names; a failure is that of the stage of the file it names.
bool committed(writer::FileSet& files) {
    try {
        files.commit();
        return true;
    } catch (const writer::CommitError& failure) {
        report(failure_prefixes[failure.file] + std::string(failure.what()));
        return false;
    }
}

} // namespace

int generate(const Config& config) {
    writer::handle_signals_while_writing();
    writer::FileSet files;
    if (!run_stage(0, stage_heights, files, config) || !run_stage(1, stage_flags, files, config) ||
        !committed(files)) {
        return -1;
    }
    return 0;
}

} // namespace cli
