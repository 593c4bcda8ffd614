// How many columns of a terminal a UTF-8 text takes, from its characters' widths.
#include "display_width.hpp"

namespace argparse {
namespace {

struct CodeRange {
    char32_t first;
    char32_t last;
};

// Combining marks and zero-width characters, which take no column of their own.
constexpr CodeRange zero_width[] = {{0x0300, 0x036F}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
                                    {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0xFE00, 0xFE0F},
                                    {0xFE20, 0xFE2F}};

// East Asian wide and fullwidth characters, and the emoji blocks, which take two.
constexpr CodeRange wide[] = {
    {0x1100, 0x115F}, {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},  {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF}, {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE30, 0xFE4F},  {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD}};

template <std::size_t N> bool within(const CodeRange (&ranges)[N], char32_t code) {
    for (const auto& range : ranges) {
        if (code >= range.first && code <= range.last) {
            return true;
        }
    }
    return false;
}

// Reads the character that starts at text[at] into code; returns its length in bytes, or 0
// where no valid UTF-8 character starts there.
std::size_t decoded(const std::string& text, std::size_t at, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80       ? 1
                               : lead >> 5 == 6  ? 2
                               : lead >> 4 == 14 ? 3
                               : lead >> 3 == 30 ? 4
                                                 : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if (next >> 6 != 2) {
            return 0;
        }
        code = code << 6 | (next & 0x3F);
    }
    return length;
}

} // namespace

std::size_t display_width(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        const std::size_t length = decoded(text, at, code);
        width += length == 0 ? 1 : within(zero_width, code) ? 0 : within(wide, code) ? 2 : 1;
        at += length == 0 ? 1 : length;
    }
    return width;
}

} // namespace argparse
