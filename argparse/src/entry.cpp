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

void Entry::bind(std::unique_ptr<ConvertBase> converter, bool takes_several_words) {
    if (multi_valued && !takes_several_words) {
        throw std::invalid_argument(std::string(kind == Kind::POSITIONAL ? "argument" : "option") +
                                    " \"" + joined(keys, ",") +
                                    "\": several words need a std::vector or std::string member");
    }
    if (kind == Kind::POSITIONAL) {
        check_order();
    }
    target_converter = std::move(converter);
    // A number default of another type is shown as the member holds it (3.1415927 for a float
    // given 3.14159265358979); parse reports a default that does not fit.
    if (default_converter && default_converter->get_type_id() != target_converter->get_type_id() &&
        target_converter->number_text()) {
        try {
            target_converter->set_default(default_converter, *default_text);
            default_text = target_converter->number_text();
        } catch (const std::exception&) {
        }
    }
}

} // namespace argparse
