// The generation run: the tile buffers and the two stages that write them.
#include "mavrel/generate.hpp"

#include "mavrel/fresh_pages.hpp"
#include "writer/names.hpp"
#include "writer/signal_dispositions.hpp"
#include "writer/write_file.hpp"

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

    void write_to_file(std::string name) const {
        writer::write_file(name, samples.data(), size * sizeof(T));
    }
};

template <typename T> void write_zero_tile(std::uint32_t width, const std::string& name) {
    Tile<T> tile(width);
    tile.write_to_file(name);
}

template <typename T> void write_tile(std::uint32_t width, T fill, const std::string& name) {
    Tile<T> tile(width, fill);
    tile.write_to_file(name);
}

std::string flag_name(const Config& config) {
    return config.tile + "_flag";
}

void write_height_tile(const Config& config) {
    const std::string& name = config.tile;
    // A name that cannot be written fails the run before anything is, that of the flags too.
    writer::check_name(name);
    writer::check_name(flag_name(config));
    visit_samples(config.data_type,
                  [&](auto zero) { write_zero_tile<decltype(zero)>(config.width, name); });
}

// Every flag sample holds the low bits of flag_value, zero-extended where wider.
void write_flag_tile(const Config& config) {
    visit_samples(config.flag_type, [&](auto zero) {
        using T = decltype(zero);
        write_tile(config.width, static_cast<T>(config.flag_value), flag_name(config));
    });
}

// Prints a failure on one line on standard output, or on standard error where standard output
// takes nothing (a closed pipe, a full disk).
void report(const std::string& failure) {
    const std::string line = argparse::printable(failure);
    std::cout << line << std::endl;
    if (!std::cout) {
        std::cerr << line << std::endl;
    }
}

// Runs one stage; a failure becomes one line.
bool run_stage(const char* failure_prefix, void (*stage)(const Config&), const Config& config) {
    try {
        stage(config);
        return true;
    } catch (const std::exception& failure) {
        report(failure_prefix + std::string(failure.what()));
        return false;
    }
}

} // namespace

int generate(const Config& config) {
    writer::handle_signals_while_writing();
    if (!run_stage("failed to create tile: ", write_height_tile, config) ||
        !run_stage("failed to create mask: ", write_flag_tile, config)) {
        return -1;
    }
    return 0;
}

} // namespace cli
