#pragma once

// An open file descriptor that closes itself.

#include "file_error.hpp"

#include <system_error>
#include <unistd.h>
#include <utility>

namespace writer {

// An open file descriptor, or -1, closed when this goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd(fd) {}
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Descriptor(Descriptor&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd, other.fd);
        return *this;
    }

    int get() const { return fd; }
    bool valid() const { return fd >= 0; }

    // Closes it now; the error where close reports a late write error.
    std::error_code close() { return call_error(::close(std::exchange(fd, -1))); }

private:
    int fd;
};

} // namespace writer
