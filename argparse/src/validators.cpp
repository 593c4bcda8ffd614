// The validators that a program may attach to an entry: a range, a set, an existing file.
#include <argparse/text.hpp>
#include <argparse/validators.hpp>

#include <algorithm>
#include <limits>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>

namespace argparse {

namespace {

// The number that a member of another type than a number's would be: the word as a double, or
// NaN, which no range holds.
long double text_number(const std::string& text) {
    try {
        return double_from_text(text);
    } catch (const std::logic_error&) {
        return std::numeric_limits<long double>::quiet_NaN();
    }
}

} // namespace

void Range::operator()(const std::string& text, const ConvertBase& converted) const {
    const std::optional<long double> number = converted.number();
    const long double value = number ? *number : text_number(text);
    if (!(value >= min && value <= max)) {
        throw std::runtime_error("must be a number " + shown);
    }
}

void OneOf::operator()(const std::string& text) const {
    if (std::find(texts.begin(), texts.end(), text) == texts.end()) {
        throw std::runtime_error("must be one of [" + joined(texts, ", ") + "]");
    }
}

void ExistingFile::operator()(const std::string& text) const {
    struct stat status {};
    if (::stat(text.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        throw std::runtime_error("not an existing file");
    }
}

} // namespace argparse
