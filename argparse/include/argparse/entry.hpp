#pragma once

#include <argparse/convert.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace argparse {

// Record of one declared argument; binds to the member it initialises.
class Entry {
public:
    enum class Kind : std::uint32_t { POSITIONAL = 0, OPTION = 1 };

    Kind kind;
    std::vector<std::string> keys;
    std::string help_text;
    std::optional<std::string> value_text;
    std::optional<std::string> implicit_value;
    std::optional<std::string> default_text;
    std::string error_message;
    // Until the entry is bound to a member, a string converter: an entry declared without a
    // member takes its values as text, which nothing reads.
    std::unique_ptr<ConvertBase> target_converter;
    std::unique_ptr<ConvertBase> default_converter;
    bool multi_valued = false;

    Entry(Kind kind, const std::string& key_list, const std::string& help,
          const std::optional<std::string>& implicit_value);
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

    // Records a default. A character string, and an integer of a type that has no converter (1,
    // -1, 2L), are kept as text only, to be converted when applied: set_default(1) suits an
    // unsigned int member, and parse reports a default that does not fit.
    template <typename V> Entry& set_default(const V& value) {
        if constexpr (std::is_enum_v<V>) {
            default_text = to_lower(magic_enum::enum_name(value));
        } else {
            std::ostringstream text;
            text << std::boolalpha << value;
            default_text = text.str();
        }
        if constexpr (!is_character_string<V> && !is_other_integer<V>) {
            default_converter = std::make_unique<ConvertType<V>>(value);
        }
        return *this;
    }

    // Makes the entry take several command-line words, joined by commas.
    Entry& set_multi_valued(bool value = true) {
        multi_valued = value;
        return *this;
    }

    // Binds a member of type T to storage owned by a new target converter.
    template <typename T> operator T&() {
        auto converter = std::make_unique<ConvertType<T>>();
        T& data = converter->data;
        target_converter = std::move(converter);
        return data;
    }

    void _convert(const std::string& text);
    void _apply_default();
    std::string _get_keys() const;
    std::string info() const;

private:
    template <typename V>
    static constexpr bool is_character_string =
        std::is_array_v<V> || std::is_same_v<std::decay_t<V>, const char*> ||
        std::is_same_v<std::decay_t<V>, char*>;
    template <typename V>
    static constexpr bool is_other_integer =
        std::is_integral_v<V> && !std::is_same_v<V, bool> && !std::is_same_v<V, unsigned int>;
};

// Returns an option name as the user types it: -d for a one-letter name, --data-type otherwise.
std::string dashed(const std::string& key);

// Splits a comma-separated key list as std::getline would, dropping one trailing NUL per piece.
std::vector<std::string> split_keys(const std::string& key_list);

} // namespace argparse
