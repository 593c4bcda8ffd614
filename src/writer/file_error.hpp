#pragma once

// How the writer carries the error of a failed call, and how it reports one on a file.
//
// One convention holds in every part of the writer: the error of a call that fails is taken
// from errno where that call returns, and then either thrown there, as std::system_error
// naming the file, or returned as a std::error_code (empty for success) to the caller, which
// decides what it means. No function leaves its error in errno for its caller, and nothing
// decides from an errno that an earlier call set.

#include <cerrno>
#include <initializer_list>
#include <string>
#include <system_error>

namespace writer {

// The error of the call that has just failed; taken before any other call.
inline std::error_code last_error() {
    return {errno, std::generic_category()};
}

// The error of a system call that returned result: none unless it returned -1.
inline std::error_code call_error(long result) {
    return result == -1 ? last_error() : std::error_code();
}

inline std::error_code error_of(int value) {
    return {value, std::generic_category()};
}

// error, or none where it is one of harmless: what a file system says when it has nothing of
// the kind.
inline std::error_code except(std::error_code error, std::initializer_list<int> harmless) {
    for (const int value : harmless) {
        if (error.value() == value) {
            return {};
        }
    }
    return error;
}

// Throws error as "NAME: reason", with the name as the caller gave it; whoever prints the
// message makes it printable.
[[noreturn]] inline void throw_file_error(const std::string& name, std::error_code error) {
    throw std::system_error(error, name);
}

// Throws the error of the call that has just failed.
[[noreturn]] inline void throw_last_error(const std::string& name) {
    throw_file_error(name, last_error());
}

inline void throw_if_failed(const std::string& name, std::error_code error) {
    if (error) {
        throw_file_error(name, error);
    }
}

} // namespace writer
