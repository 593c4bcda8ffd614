// The new file of a replacement: made unnamed where the file system allows, named and private
// elsewhere, locked while it lives, and given the target's name once complete.
#include "temporary_file.hpp"

#include "hold_signals.hpp"
#include "temporary_name.hpp"

#include <cerrno>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>

namespace writer {
namespace {

// Takes the exclusive lock on fd, waiting for a run that checks whether it is dead; true also
// where the file system keeps no locks, as then nobody can take it for dead.
bool lock(int fd) {
    return ::flock(fd, LOCK_EX) == 0 || errno == ENOLCK || errno == EOPNOTSUPP;
}

bool same_file(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether name in directory still is the file open as fd.
bool still_named(int directory, const std::string& name, int fd) {
    struct stat named {};
    struct stat opened {};
    return ::fstatat(directory, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::fstat(fd, &opened) == 0 && same_file(named, opened);
}

// Removes name from directory where it is a temporary file of this user whose process died,
// which its free lock shows; the lock is held while the name goes, so that nobody takes the
// file for dead in between. Leaves errno as it was.
bool remove_if_dead(int directory, const std::string& name) {
    const int error = errno;
    constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    Descriptor file(::openat(directory, name.c_str(), O_WRONLY | flags));
    if (!file.valid()) {
        file = Descriptor(::openat(directory, name.c_str(), O_RDONLY | flags));
    }
    struct stat status {};
    const bool removed =
        file.valid() && ::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) &&
        status.st_uid == ::geteuid() && ::flock(file.get(), LOCK_EX | LOCK_NB) == 0 &&
        still_named(directory, name, file.get()) && ::unlinkat(directory, name.c_str(), 0) == 0;
    errno = error;
    return removed;
}

// Sets name to first, unless that is empty, then, where that is taken by a live file, to fresh
// names, until make succeeds with one; returns false, with name empty and errno set, once
// make fails other than for a name already taken.
template <typename Make>
bool with_free_name(int directory, const std::string& first, std::string& name, Make make) {
    errno = EEXIST;
    if (!first.empty() &&
        (make((name = first).c_str()) ||
         (errno == EEXIST && remove_if_dead(directory, name) && make(name.c_str())))) {
        return true;
    }
    for (int attempt = 0; attempt < 100 && errno == EEXIST; ++attempt) {
        name = random_name();
        if (make(name.c_str())) {
            return true;
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
           same_file(by_proc, by_descriptor);
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

TemporaryFile::TemporaryFile(int directory, const std::string& target, bool named)
    : directory(directory), target(target) {
    fd = Descriptor(named ? -1 : open_unnamed());
    if (!fd.valid() && (named || unnamed_unsupported(errno))) {
        made_named = true;
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
        static_cast<void>(::flock(unnamed, LOCK_EX)); // nobody else can reach it yet
        return unnamed;
    }
    ::close(unnamed);
    errno = EOPNOTSUPP;
    return -1;
}

int TemporaryFile::open_named() {
    const HoldSignals held; // one that came between creating and watching would leave the file
    int created = -1;
    // Locked once made; a run that took the new file for dead before that has removed it.
    if (with_free_name(directory, name_for(target), name, [this, &created](const char* free) {
            created = ::openat(directory, free, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (created >= 0 && (!lock(created) || !still_named(directory, free, created))) {
                ::close(created);
                created = -1;
                errno = EEXIST;
            }
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
    const std::string source = proc_path(fd.get());
    if (!with_free_name(directory, name_for(target), name, [this, &source](const char* free) {
            return named_through_proc
                       ? ::linkat(AT_FDCWD, source.c_str(), directory, free, AT_SYMLINK_FOLLOW) == 0
                       : ::linkat(fd.get(), "", directory, free, AT_EMPTY_PATH) == 0;
        })) {
        return false;
    }
    removal.watch(directory, name);
    return true;
}

Descriptor TemporaryFile::plain_sibling() const {
    const HoldSignals held; // one would leave the empty file behind
    std::string free;
    int created = -1;
    if (with_free_name(directory, "", free, [this, &created](const char* candidate) {
            created = ::openat(directory, candidate, O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            return created >= 0;
        })) {
        ::unlinkat(directory, free.c_str(), 0);
    }
    return Descriptor(created);
}

TemporaryFile::Naming TemporaryFile::take_name() {
    const HoldSignals held;
    if (!link()) {
        return Naming::link_failed;
    }
    if (::renameat(directory, name.c_str(), directory, target.c_str()) != 0) {
        const int error = errno;
        remove_name();
        errno = error;
        return Naming::rename_failed;
    }
    removal.forget();
    name.clear();
    return Naming::done;
}

void TemporaryFile::remove_name() {
    if (!name.empty()) {
        ::unlinkat(directory, name.c_str(), 0);
        removal.forget();
        name.clear();
    }
}

} // namespace writer
