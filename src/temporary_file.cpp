#include "temporary_file.hpp"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>

namespace cli {
namespace {

// Six letters and digits, as mkstemp chooses them.
std::string random_suffix() {
    static const char symbols[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != sizeof bits) {
        // Without the kernel's randomness a clock will do: a name already taken is drawn again.
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        bits = static_cast<std::uint64_t>(now) * 0x9E3779B97F4A7C15U;
    }
    std::string suffix;
    for (int i = 0; i < 6; ++i, bits /= 62) {
        suffix += symbols[bits % 62];
    }
    return suffix;
}

// Sets name to fresh names until make succeeds with one; returns false, with name empty and
// errno set, once make fails other than for a name already taken.
template <typename Make> bool with_free_name(std::string& name, Make make) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = ".mavrel-" + random_suffix();
        if (make(name.c_str())) {
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    name.clear();
    return false;
}

std::string proc_path(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

// Whether /proc shows this process's descriptor fd: an unnamed file is linked through it.
bool proc_shows(int fd) {
    struct stat by_proc {};
    struct stat by_descriptor {};
    return ::stat(proc_path(fd).c_str(), &by_proc) == 0 && ::fstat(fd, &by_descriptor) == 0 &&
           by_proc.st_dev == by_descriptor.st_dev && by_proc.st_ino == by_descriptor.st_ino;
}

// Whether the process may link a descriptor itself (AT_EMPTY_PATH): CAP_DAC_READ_SEARCH.
bool may_link_descriptors() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    return ::syscall(SYS_capget, &header, data) == 0 &&
           (data[CAP_TO_INDEX(CAP_DAC_READ_SEARCH)].effective & CAP_TO_MASK(CAP_DAC_READ_SEARCH)) !=
               0;
}

// How file systems without unnamed files (NFS, FUSE, vfat, older kernels) refuse them.
bool unnamed_unsupported(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

} // namespace

TemporaryFile::TemporaryFile(int directory, bool named) : directory(directory) {
    fd = Descriptor(named ? -1 : open_unnamed());
    if (!fd.valid() && (named || unnamed_unsupported(errno))) {
        fd = Descriptor(open_named());
    }
}

TemporaryFile::~TemporaryFile() {
    remove_name();
}

// An unnamed file, if it can be named later: that is decided before anything is written.
int TemporaryFile::open_unnamed() {
    const int unnamed = ::openat(directory, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (unnamed < 0) {
        return -1;
    }
    named_through_proc = proc_shows(unnamed);
    if (named_through_proc || may_link_descriptors()) {
        return unnamed;
    }
    ::close(unnamed);
    errno = EOPNOTSUPP;
    return -1;
}

int TemporaryFile::open_named() {
    const HoldSignals held; // one that came between creating and watching would leave the file
    int created = -1;
    if (with_free_name(name, [this, &created](const char* free) {
            created = ::openat(directory, free, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            return created >= 0;
        })) {
        removal.watch(directory, name);
    }
    return created;
}

bool TemporaryFile::link() {
    if (!name.empty()) {
        return true;
    }
    const HoldSignals held; // as when a named file is made
    const std::string source = proc_path(fd.get());
    if (!with_free_name(name, [this, &source](const char* free) {
            return named_through_proc
                       ? ::linkat(AT_FDCWD, source.c_str(), directory, free, AT_SYMLINK_FOLLOW) == 0
                       : ::linkat(fd.get(), "", directory, free, AT_EMPTY_PATH) == 0;
        })) {
        return false;
    }
    removal.watch(directory, name);
    return true;
}

bool TemporaryFile::take_name(const std::string& target) {
    if (::renameat(directory, name.c_str(), directory, target.c_str()) != 0) {
        const int error = errno;
        remove_name();
        errno = error;
        return false;
    }
    removal.forget();
    name.clear();
    return true;
}

void TemporaryFile::remove_name() {
    if (!name.empty()) {
        ::unlinkat(directory, name.c_str(), 0);
        removal.forget();
        name.clear();
    }
}

} // namespace cli
