// The names that the writer's temporary files take beside the files they replace.
#include "temporary_name.hpp"

#include <chrono>
#include <cstdint>
#include <sys/random.h>

namespace writer {
namespace {

// Six letters and digits from bits, as mkstemp chooses them.
std::string suffix_of(std::uint64_t bits) {
    static const char symbols[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 6; ++i, bits /= 62) {
        suffix += symbols[bits % 62];
    }
    return suffix;
}

} // namespace

std::string random_name() {
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != sizeof bits) {
        // Without the kernel's randomness a clock will do: a name already taken is drawn again.
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        bits = static_cast<std::uint64_t>(now) * 0x9E3779B97F4A7C15U;
    }
    return ".mavrel-" + suffix_of(bits);
}

// FNV-1a, which needs no table and spreads short names well.
std::string name_for(const std::string& target) {
    std::uint64_t hash = 0xcbf29ce484222325U;
    for (const char c : target) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3U;
    }
    return ".mavrel-" + suffix_of(hash);
}

} // namespace writer
