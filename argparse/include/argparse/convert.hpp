#pragma once

// Converting command-line words to values: Converter<T> for each member type, and the
// converters that hold an entry's value.

#include <argparse/enum_names.hpp>
#include <argparse/text.hpp>

#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

namespace argparse {

// Typed half of an argument entry: holds one value and sets it from text.
class ConvertBase {
public:
    virtual ~ConvertBase() = default;
    virtual void convert(const std::string& text) = 0;
    virtual void set_default(const std::unique_ptr<ConvertBase>& default_converter,
                             const std::string& default_text) = 0;
    virtual std::size_t get_type_id() const = 0;
    // The names that a value may take, in order: an enumeration's; none for other types.
    virtual std::vector<std::string> allowed_values() const { return {}; }
    // The names of allowed_values, each followed by ", ", for programs that read that form.
    virtual std::string get_allowed_entries() const {
        return detail::comma_terminated(allowed_values());
    }
    // True for a std::vector, to which each conversion adds one element.
    virtual bool is_list() const = 0;
    // The type of one value: T, or U for std::optional<U> and std::vector<U>.
    virtual const std::type_info& element_type() const = 0;
    // The value last converted, for a number type (NaN included): the member's own, the
    // optional's, the last element of a std::vector; none for other types or no value.
    virtual std::optional<long double> number() const = 0;
    // The value as Converter::to_text writes it, for a member of a number type; none for others.
    virtual std::optional<std::string> number_text() const = 0;
};

// Returns true for "true" in any letter case and for "1"; false for every other text.
bool bool_from_text(const std::string& text);

// Returns true for true, yes, on and 1, false for false, no, off and 0, in any letter case, as a
// getopt program reads them; throws std::runtime_error with the words for any other text.
bool strict_bool_from_text(const std::string& text);

// Returns the decimal number read as strtoul reads it; throws std::invalid_argument when
// there is no digit and std::out_of_range when the number is negative (other than -0) or
// does not fit in unsigned int.
unsigned int unsigned_from_text(const std::string& text);

// Each returns the whole of text read as a decimal number (an integer with an optional sign,
// or a real number such as -1.5e3 or inf); each throws std::invalid_argument for any other
// text, "5x", "1e4" for an integer and "3,601" included, and std::out_of_range for a number
// beyond the type. A real number too small for the type is what the type holds of it: 0 or a
// subnormal number, as strtod gives it.
long long signed_from_text(const std::string& text, long long min, long long max);
unsigned long long unsigned_long_from_text(const std::string& text, unsigned long long max);
double double_from_text(const std::string& text);
float float_from_text(const std::string& text);

// Returns a number as set_default records it: integers in decimal, reals in the shortest form
// that reads back to the same value of their type (0.1 for the float 0.1F).
std::string number_text(long long value);
std::string number_text(unsigned long long value);
std::string number_text(double value);
std::string number_text(float value);

template <typename T> struct Converter;

namespace detail {

template <typename T> struct Element { using type = T; };
template <typename U> struct Element<std::optional<U>> { using type = U; };
template <typename U> struct Element<std::vector<U>> { using type = U; };

template <typename T> constexpr bool is_vector = false;
template <typename U> constexpr bool is_vector<std::vector<U>> = true;
template <typename T> constexpr bool is_optional = false;
template <typename U> constexpr bool is_optional<std::optional<U>> = true;

// Returns number as a T, as an assignment gives it; throws std::out_of_range for a number
// beyond T.
template <typename T> T narrowed(long double number) {
    if (std::isfinite(number) && std::fabs(number) > std::numeric_limits<T>::max()) {
        throw std::out_of_range("beyond the member's type");
    }
    return static_cast<T>(number);
}

template <typename T> T integer_from_text(const std::string& text) {
    if constexpr (std::is_signed_v<T>) {
        return static_cast<T>(
            signed_from_text(text, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
    } else {
        return static_cast<T>(unsigned_long_from_text(text, std::numeric_limits<T>::max()));
    }
}

} // namespace detail

// Reads a value of type T from a command-line word and writes one back as text (for the default
// shown in help). A program adds a type of its own by specialising it with the same two static
// functions; from_text throws std::invalid_argument for a text it cannot read, or
// std::runtime_error with a reason that the error message shows.
template <typename T> struct Converter {
    static T from_text(const std::string& text) {
        if constexpr (std::is_enum_v<T>) {
            return get<T>(text);
        } else if constexpr (std::is_same_v<T, bool>) {
            return bool_from_text(text);
        } else if constexpr (std::is_same_v<T, unsigned int>) {
            return unsigned_from_text(text);
        } else if constexpr (std::is_same_v<T, double>) {
            return double_from_text(text);
        } else if constexpr (std::is_same_v<T, float>) {
            return float_from_text(text);
        } else if constexpr (std::is_integral_v<T>) {
            return detail::integer_from_text<T>(text);
        } else if constexpr (detail::is_optional<T>) {
            return T(Converter<typename T::value_type>::from_text(text));
        } else {
            // std::string, std::filesystem::path and every other type made from a string
            static_assert(std::is_constructible_v<T, const std::string&>,
                          "no argparse::Converter for this member type");
            return T(text);
        }
    }

    static std::string to_text(const T& value) {
        if constexpr (std::is_enum_v<T>) {
            return to_lower(magic_enum::enum_name(value));
        } else if constexpr (std::is_same_v<T, bool>) {
            return value ? "true" : "false";
        } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
            return number_text(static_cast<long long>(value));
        } else if constexpr (std::is_integral_v<T>) {
            return number_text(static_cast<unsigned long long>(value));
        } else if constexpr (std::is_same_v<T, float>) {
            return number_text(value);
        } else if constexpr (std::is_floating_point_v<T>) {
            return number_text(static_cast<double>(value));
        } else if constexpr (detail::is_optional<T>) {
            return value ? Converter<typename T::value_type>::to_text(*value) : "none";
        } else if constexpr (detail::is_vector<T>) {
            std::vector<std::string> texts;
            for (const auto& element : value) {
                texts.push_back(Converter<typename T::value_type>::to_text(element));
            }
            return value.empty() ? "none" : joined(texts, ",");
        } else {
            return std::string(value);
        }
    }
};

template <typename T> class ConvertType : public ConvertBase {
public:
    using Element = typename detail::Element<T>::type;

    T data{};

    ConvertType() = default;
    explicit ConvertType(T value) : data(std::move(value)) {}

    // Assigns, or appends to a std::vector, only after a successful conversion, so a failure
    // keeps the old value.
    void convert(const std::string& text) override {
        if constexpr (detail::is_vector<T>) {
            data.push_back(Converter<Element>::from_text(text));
        } else {
            data = Converter<T>::from_text(text);
        }
    }

    void set_default(const std::unique_ptr<ConvertBase>& default_converter,
                     const std::string& default_text) override {
        if (default_converter->get_type_id() == get_type_id()) {
            data = static_cast<const ConvertType&>(*default_converter).data;
        } else if constexpr (std::is_floating_point_v<T>) {
            // A number of another type is assigned, not read back from its text.
            const std::optional<long double> number = default_converter->number();
            number ? void(data = detail::narrowed<T>(*number)) : convert(default_text);
        } else {
            convert(default_text);
        }
    }

    std::size_t get_type_id() const override { return typeid(T).hash_code(); }

    std::vector<std::string> allowed_values() const override {
        if constexpr (std::is_enum_v<Element>) {
            return enum_names<Element>();
        } else {
            return {};
        }
    }

    bool is_list() const override { return detail::is_vector<T>; }

    const std::type_info& element_type() const override { return typeid(Element); }

    std::optional<std::string> number_text() const override {
        if constexpr (std::is_arithmetic_v<T>) {
            return Converter<T>::to_text(data);
        } else {
            return std::nullopt;
        }
    }

    std::optional<long double> number() const override {
        if constexpr (!std::is_arithmetic_v<Element> || std::is_same_v<Element, bool>) {
            return std::nullopt;
        } else if constexpr (detail::is_vector<T>) {
            return data.empty() ? std::nullopt : std::optional<long double>(data.back());
        } else if constexpr (detail::is_optional<T>) {
            return data ? std::optional<long double>(*data) : std::nullopt;
        } else {
            return data;
        }
    }
};

} // namespace argparse
