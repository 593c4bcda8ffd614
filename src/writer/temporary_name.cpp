// The names that the writer's temporary files take beside the files they replace.
#include "temporary_name.hpp"

#include <chrono>
#include <climits>
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

std::string temporary_name(const std::string& leaf, const std::string& suffix) {
    const std::string named = ".mavrel-" + leaf + "." + suffix;
    return named.size() <= NAME_MAX ? named : ".mavrel-" + suffix;
}

std::string random_name(const std::string& leaf) {
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != sizeof bits) {
        // Without the kernel's randomness a clock will do: a name already taken is drawn again.
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        bits = static_cast<std::uint64_t>(now) * 0x9E3779B97F4A7C15U;
    }
    return temporary_name(leaf, suffix_of(bits));
}

} // namespace writer
