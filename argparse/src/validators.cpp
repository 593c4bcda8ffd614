// The validators that a program may attach to an entry: a range, a set, an existing file.
#include <argparse/text.hpp>
#include <argparse/validators.hpp>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <sys/stat.h>

namespace argparse {

void Range::operator()(const std::string& text) const {
    char* end = nullptr;
    const long double value = std::strtold(text.c_str(), &end);
    if (end == text.c_str() || value < min || value > max) {
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
