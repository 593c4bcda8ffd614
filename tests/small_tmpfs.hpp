#pragma once

#include "temp_dir.hpp"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/mount.h>

// A tmpfs of a few KiB mounted in a temporary directory, to run out of space on purpose.
// Mounting needs root; why it failed is kept for the test's skip message.
class SmallTmpfs {
public:
    explicit SmallTmpfs(const std::string &size) {
        const std::string options = "size=" + size;
        if (::mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, options.c_str()) == 0) {
            mounted_ = true;
        } else {
            failure_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
        }
    }
    ~SmallTmpfs() {
        if (mounted_) {
            ::umount2(dir_.path().c_str(), MNT_DETACH);
        }
    }

    bool mounted() const { return mounted_; }
    const std::string &failure() const { return failure_; }
    const TempDir &dir() const { return dir_; }

private:
    TempDir dir_;
    bool mounted_ = false;
    std::string failure_;
};
