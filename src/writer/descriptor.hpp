#pragma once

// An open file descriptor that closes itself.

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

    // Closes it now; false with errno set where close reports a late write error.
    bool close() { return ::close(std::exchange(fd, -1)) == 0; }

private:
    int fd;
};

} // namespace writer
