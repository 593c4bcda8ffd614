// The string helpers: joining words, and words shown in a one-line message.
#include <argparse/text.hpp>

namespace argparse {

std::string joined(const std::vector<std::string>& words, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        text += (i == 0 ? "" : separator) + words[i];
    }
    return text;
}

std::string printable(const std::string& text) {
    static const char letters[] = "abtnvfr"; // the escapes of bytes 7 to 13
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            result += c;
        } else if (byte >= 7 && byte <= 13) {
            result += {'\\', letters[byte - 7]};
        } else {
            result +=
                {'\\', static_cast<char>('0' + (byte >> 6)),
                 static_cast<char>('0' + ((byte >> 3) & 7)), static_cast<char>('0' + (byte & 7))};
        }
    }
    return result;
}

} // namespace argparse
