#pragma once

#include <argparse/enum_names.hpp>

#include <cstddef>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>

namespace argparse {

// Typed half of an argument entry: holds one value and sets it from text.
class ConvertBase {
public:
    virtual ~ConvertBase() = default;
    virtual void convert(const std::string& text) = 0;
    virtual void set_default(const std::unique_ptr<ConvertBase>& default_converter,
                             const std::string& default_text) = 0;
    virtual std::size_t get_type_id() const = 0;
    virtual std::string get_allowed_entries() const = 0;
};

// Returns true for "true" in any letter case and for "1"; false for every other text.
bool bool_from_text(const std::string& text);

// Returns the decimal number read as strtoul reads it; throws std::invalid_argument when
// there is no digit and std::out_of_range when the number is negative (other than -0) or
// does not fit in unsigned int.
unsigned int unsigned_from_text(const std::string& text);

template <typename T> T value_from_text(const std::string& text) {
    if constexpr (std::is_enum_v<T>) {
        return get<T>(text);
    } else if constexpr (std::is_same_v<T, bool>) {
        return bool_from_text(text);
    } else if constexpr (std::is_same_v<T, unsigned int>) {
        return unsigned_from_text(text);
    } else {
        static_assert(std::is_same_v<T, std::string>, "no converter for this value type");
        return text;
    }
}

template <typename T> class ConvertType : public ConvertBase {
public:
    T data{};

    ConvertType() = default;
    explicit ConvertType(T value) : data(std::move(value)) {}

    // Assigns only after a successful conversion, so a failure keeps the old value.
    void convert(const std::string& text) override { data = value_from_text<T>(text); }

    void set_default(const std::unique_ptr<ConvertBase>& default_converter,
                     const std::string& default_text) override {
        if (default_converter->get_type_id() == get_type_id()) {
            data = static_cast<const ConvertType&>(*default_converter).data;
        } else {
            convert(default_text);
        }
    }

    std::size_t get_type_id() const override { return typeid(T).hash_code(); }

    std::string get_allowed_entries() const override {
        if constexpr (std::is_enum_v<T>) {
            return allowed_names<T>();
        } else {
            return {};
        }
    }
};

} // namespace argparse
