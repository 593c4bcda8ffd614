// Files written together: which way each file is written, and how the staged files then take
// their names.
#include "file_set.hpp"

#include "file_error.hpp"
#include "file_io.hpp"
#include "hold_signals.hpp"
#include "identity.hpp"
#include "in_place.hpp"
#include "name_resolution.hpp"
#include "names.hpp"
#include "privileges.hpp"
#include "replacement.hpp"
#include "same_file.hpp"
#include "shared_directory.hpp"
#include "signal_dispositions.hpp"
#include "temporary_file.hpp"

#include <cstdint>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <unistd.h>

namespace writer {
namespace {

// The statx attributes of the file open as fd that its file system reports.
std::uint64_t attributes_of(int fd, const std::string& name) {
    struct statx status {};
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS, &status) != 0) {
        throw_last_error(name);
    }
    return status.stx_attributes & status.stx_attributes_mask;
}

// A directory that is append-only or immutable (chattr +a, +i) lets no file be replaced, nor
// a temporary file be removed: nothing is written there.
void refuse_fixed_directory(int directory, const std::string& name) {
    if ((attributes_of(directory, name) & (STATX_ATTR_APPEND | STATX_ATTR_IMMUTABLE)) != 0) {
        throw_file_error(name, error_of(EPERM));
    }
}

struct stat status_of(int fd, const std::string& name) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        throw_last_error(name);
    }
    return status;
}

// Whether the sticky bit of directory lets the process rename over or remove file there.
bool sticky_allows(const struct stat& directory, const struct stat& file) {
    return may_replace(directory, file, ::geteuid()) || has_capability(CAP_FOWNER);
}

// Whether the old file may be renamed over: not a mount point of its own, and not kept by the
// sticky bit.
bool replaceable(const FileTarget& target, const std::string& name) {
    return (attributes_of(target.file.get(), name) & STATX_ATTR_MOUNT_ROOT) == 0 &&
           sticky_allows(status_of(target.directory.get(), name), target.status);
}

// Whether the target is to be replaced rather than rewritten in place, reading the old file's
// identity into identity where there is an old file.
bool replaced(const FileTarget& target, const std::string& name, Identity& identity) {
    if (target.through_proc || (target.file.valid() && !S_ISREG(target.status.st_mode))) {
        return false;
    }
    refuse_fixed_directory(target.directory.get(), name);
    if (!target.file.valid()) {
        return true;
    }
    const std::error_code error = read_identity(target.file.get(), target.status, identity);
    if (error && !may_not_keep(error)) {
        throw_file_error(name, error);
    }
    return !error && replaceable(target, name);
}

} // namespace

FileSet::FileSet() = default;
FileSet::~FileSet() = default;

void FileSet::stage(const std::string& name, const void* bytes, std::size_t count) {
    const std::size_t number = next_number++;
    check_name(name);
    handle_signals_while_writing();
    FileTarget target = find_target(name);
    Identity identity;
    std::unique_ptr<TemporaryFile> file;
    if (replaced(target, name, identity)) {
        const Identity* old = target.file.valid() ? &identity : nullptr;
        file = write_beside(target, old, name, bytes, count);
    }
    if (!file) {
        return write_in_place(target, name, bytes, count);
    }
    staged.push_back({name, number, std::move(target.directory), std::move(file)});
}

void FileSet::stage_removal(const std::string& name) {
    const std::size_t number = next_number++;
    check_name(name);
    Descriptor directory = find_directory(directory_of(name));
    const std::string leaf = leaf_of(name);
    Descriptor file(::openat(directory.get(), leaf.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (!file.valid()) {
        throw_if_failed(name, except(last_error(), {ENOENT}));
        return; // nothing to remove
    }
    const struct stat file_status = status_of(file.get(), name);
    const struct stat directory_status = status_of(directory.get(), name);
    if (!S_ISREG(file_status.st_mode)) {
        return;
    }
    if (planted(directory_status, file_status, ::geteuid())) {
        throw_file_error(name, error_of(EACCES));
    }
    if (!sticky_allows(directory_status, file_status)) {
        throw_file_error(name, error_of(EPERM));
    }
    removals.push_back({name, number, std::move(directory), leaf, std::move(file)});
}

void FileSet::commit() {
    {
        const HoldSignals held; // only SIGKILL can come between the renames
        for (Staged& file : staged) {
            if (const std::error_code error = file.file->take_name()) {
                throw CommitError(error, file.name, file.number);
            }
        }
        for (const Removal& removal : removals) {
            if (names_file(removal.directory.get(), removal.leaf, removal.file.get())) {
                continue; // changed since it was judged: not ours to remove
            }
            if (::unlinkat(removal.directory.get(), removal.leaf.c_str(), 0) != 0) {
                throw CommitError(last_error(), removal.name, removal.number);
            }
        }
    }
    for (Staged& file : staged) {
        std::error_code error = sync_name(file.directory.get(), file.file->descriptor());
        if (!error) {
            error = file.file->close();
        }
        if (error) {
            throw CommitError(error, file.name, file.number);
        }
    }
    staged.clear();
    removals.clear();
}

} // namespace writer
