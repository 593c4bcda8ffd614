// The new file of a replacement: made unnamed where the file system allows, named and private
// elsewhere, locked while it lives, and given the target's name once complete.
#include "temporary_file.hpp"

#include "file_error.hpp"
#include "hold_signals.hpp"
#include "privileges.hpp"
#include "same_file.hpp"
#include "temporary_name.hpp"

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace writer {
namespace {

// Sets name to the first of fresh names for target that make, given it, does not find taken;
// returns make's error where it fails otherwise.
template <typename Make>
std::error_code with_free_name(const std::string& target, std::string& name, Make make) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = random_name(target);
        const std::error_code error = make(candidate.c_str());
        if (!error) {
            name = candidate;
        }
        if (error.value() != EEXIST) {
            return error;
        }
    }
    return error_of(EEXIST);
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

// How file systems without unnamed files (NFS, FUSE, vfat, older kernels) refuse them.
bool unnamed_unsupported(std::error_code error) {
    return error.value() == EOPNOTSUPP || error.value() == EISDIR || error.value() == EINVAL;
}

} // namespace

TemporaryFile::TemporaryFile(int directory, std::string target)
    : directory(directory), target(std::move(target)) {}

TemporaryFile::~TemporaryFile() {
    remove_name();
}

std::error_code TemporaryFile::open(bool named) {
    std::error_code error = named ? std::error_code() : open_unnamed();
    if (named || unnamed_unsupported(error)) {
        made_named = true;
        error = open_named();
    }
    return error ? error : lock();
}

// An unnamed file, if it can be named later: that is decided before anything is written. The
// privilege to link a descriptor itself (AT_EMPTY_PATH) is CAP_DAC_READ_SEARCH.
std::error_code TemporaryFile::open_unnamed() {
    fd = Descriptor(::openat(directory, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        return last_error();
    }
    named_through_proc = proc_shows(fd.get());
    if (!named_through_proc && !has_capability(CAP_DAC_READ_SEARCH)) {
        fd = Descriptor();
        return error_of(EOPNOTSUPP);
    }
    return {};
}

std::error_code TemporaryFile::open_named() {
    const HoldSignals held; // one that came between creating and watching would leave the file
    const std::error_code error = with_free_name(target, name, [this](const char* free) {
        fd = Descriptor(::openat(directory, free, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        return call_error(fd.get());
    });
    if (!error) {
        removal.watch(directory, name);
    }
    return error;
}

// The exclusive lock waits for a process that checks whether the file is dead. A file system
// that keeps no locks lets nobody take the file for dead by its lock alone.
std::error_code TemporaryFile::lock() {
    const std::error_code error =
        except(call_error(::flock(fd.get(), LOCK_EX)), {ENOLCK, EOPNOTSUPP, ENOSYS});
    if (error) {
        remove_name();
        fd = Descriptor();
    }
    return error;
}

std::error_code TemporaryFile::link() {
    if (!name.empty()) {
        return {};
    }
    const HoldSignals held;
    const std::string source = proc_path(fd.get());
    const std::error_code error = with_free_name(target, name, [this, &source](const char* free) {
        return call_error(
            named_through_proc
                ? ::linkat(AT_FDCWD, source.c_str(), directory, free, AT_SYMLINK_FOLLOW)
                : ::linkat(fd.get(), "", directory, free, AT_EMPTY_PATH));
    });
    if (!error) {
        removal.watch(directory, name);
    }
    return error;
}

std::error_code TemporaryFile::plain_sibling(Descriptor& sibling) const {
    const HoldSignals held; // one would leave the empty file behind
    std::string free;
    const std::error_code error = with_free_name(target, free, [&](const char* candidate) {
        sibling = Descriptor(
            ::openat(directory, candidate, O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        return call_error(sibling.get());
    });
    return error ? error : call_error(::unlinkat(directory, free.c_str(), 0));
}

std::error_code TemporaryFile::take_name() {
    if (::renameat(directory, name.c_str(), directory, target.c_str()) != 0) {
        return last_error();
    }
    removal.forget();
    name.clear();
    return names_file(directory, target, fd.get());
}

// Only while the name still is this file: no other is ever removed.
void TemporaryFile::remove_name() {
    if (!name.empty() && !names_file(directory, name, fd.get())) {
        ::unlinkat(directory, name.c_str(), 0);
    }
    removal.forget();
    name.clear();
}

} // namespace writer
