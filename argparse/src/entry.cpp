// An entry: splitting its key list, writing its names as typed, making and binding it.
#include <argparse/entry.hpp>
#include <argparse/text.hpp>

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace argparse {

std::vector<std::string> split_keys(const std::string& key_list) {
    std::vector<std::string> keys;
    std::istringstream stream(key_list);
    std::string piece;
    while (std::getline(stream, piece, ',')) {
        if (!piece.empty() && piece.back() == '\0') {
            piece.pop_back();
        }
        keys.push_back(piece);
    }
    return keys;
}

std::string dashed(const std::string& key) {
    return (key.size() == 1 ? "-" : "--") + key;
}

std::string Entry::_get_keys() const {
    std::vector<std::string> names = keys;
    if (kind != Kind::POSITIONAL) {
        std::transform(names.begin(), names.end(), names.begin(), dashed);
    }
    return joined(names, ",");
}

Entry::Entry(Kind kind, const std::string& key_list, const std::string& help,
             const std::optional<std::string>& implicit_value)
    : kind(kind), keys(split_keys(key_list)), help_text(help), implicit_value(implicit_value),
      target_converter(std::make_unique<ConvertType<std::string>>()) {}

void Entry::refuse_multi_valued() const {
    throw std::invalid_argument(std::string(kind == Kind::POSITIONAL ? "argument" : "option") +
                                " \"" + joined(keys, ",") +
                                "\": several words need a std::vector or std::string member");
}

} // namespace argparse
