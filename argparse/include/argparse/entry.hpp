#pragma once

// One declared argument: its names, texts, default and converters, and the member it binds.

#include <argparse/convert.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace argparse {

// A test of the values an entry receives; Entry::validate makes one from a function.
class Validator {
public:
    virtual ~Validator() = default;
    // Tests a value: the text given, and the converter that holds it once converted.
    virtual void operator()(const std::string& text, const ConvertBase& converted) const = 0;
};

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
    // An option that takes no value and counts how often it is given (Args::count).
    bool counted = false;
    // The names that set a flag false again: --no-color for --color (Args::negatable).
    std::vector<std::string> negations;
    std::optional<std::string> env_name;
    std::vector<std::unique_ptr<const Validator>> validators;
    // Whether the value came from the command line or the environment, not from a default.
    bool given = false;
    // For a positional argument, those declared before it: the words reach them in an order
    // that its declaration must fit, which binding it checks.
    std::vector<std::shared_ptr<const Entry>> earlier;

    Entry(Kind kind, const std::string& key_list, const std::string& help,
          const std::optional<std::string>& implicit_value);
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

    // Records a default: a value of the member's type, a character string read as a
    // command-line value would be, or a value of another type (set_default(1) for an unsigned
    // int), read from its text; parse reports a default that does not convert.
    template <typename V> Entry& set_default(const V& value) {
        if constexpr (is_character_string<V>) {
            default_text = std::string(value);
        } else {
            default_text = Converter<V>::to_text(value);
            default_converter = std::make_unique<ConvertType<V>>(value);
        }
        return *this;
    }

    // Makes the entry take several command-line words: each an element of a std::vector
    // member, or all joined by commas into a std::string member.
    Entry& set_multi_valued(bool value = true) {
        multi_valued = value;
        return *this;
    }

    // Takes the value of the environment variable name, where it is set, when the command line
    // gives none; the declared default comes after it.
    Entry& set_env(const std::string& name) {
        env_name = name;
        return *this;
    }

    // Adds a test of every value the entry receives, once converted: test(text), or
    // test(text, converted) to see the value as the member holds it, throws std::runtime_error
    // with the reason for a value it refuses (<argparse/validators.hpp>).
    template <typename F> Entry& validate(F test) {
        struct Test : Validator {
            F test;
            explicit Test(F test) : test(std::move(test)) {}
            void operator()(const std::string& text, const ConvertBase& converted) const override {
                if constexpr (std::is_invocable_v<const F&, const std::string&,
                                                  const ConvertBase&>) {
                    test(text, converted);
                } else {
                    test(text);
                }
            }
        };
        validators.push_back(std::make_unique<Test>(std::move(test)));
        return *this;
    }

    // Binds a member of type T to storage owned by a new target converter.
    template <typename T> operator T&() {
        auto converter = std::make_unique<ConvertType<T>>();
        T& data = converter->data;
        bind(std::move(converter), detail::is_vector<T> || std::is_same_v<T, std::string>);
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

    void bind(std::unique_ptr<ConvertBase> converter, bool takes_several_words);
    void check_order() const;
};

// Returns an option name as the user types it: -d for a one-letter name, --data-type otherwise.
std::string dashed(const std::string& key);

// Splits a comma-separated key list as std::getline would, dropping one trailing NUL per piece.
std::vector<std::string> split_keys(const std::string& key_list);

} // namespace argparse
