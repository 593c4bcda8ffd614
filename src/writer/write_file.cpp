// Writing a file so that success means its bytes and its name are on stable storage, and
// failure leaves any old file as it was: which way each file is written.
#include "write_file.hpp"

#include "file_error.hpp"
#include "identity.hpp"
#include "in_place.hpp"
#include "name_resolution.hpp"
#include "names.hpp"
#include "replacement.hpp"
#include "signal_dispositions.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace writer {
namespace {

// A directory that is append-only or immutable (chattr +a, +i) lets no file be replaced, nor
// a temporary file be removed: nothing is written there.
void refuse_fixed_directory(int directory, const std::string& name) {
    struct statx status {};
    constexpr auto fixed = STATX_ATTR_APPEND | STATX_ATTR_IMMUTABLE;
    if (::statx(directory, "", AT_EMPTY_PATH, STATX_BASIC_STATS, &status) == 0 &&
        (status.stx_attributes & status.stx_attributes_mask & fixed) != 0) {
        throw_file_error(name, EPERM);
    }
}

} // namespace

void write_file(const std::string& name, const void* bytes, std::size_t count) {
    check_name(name);
    handle_signals_while_writing();
    FileTarget target = find_target(name);
    if (target.through_proc || (target.file.valid() && !S_ISREG(target.status.st_mode))) {
        return write_in_place(target, name, bytes, count);
    }
    refuse_fixed_directory(target.directory.get(), name);
    Identity identity;
    if (target.file.valid() && !read_identity(target.file.get(), target.status, identity)) {
        if (!may_not_keep(errno)) {
            throw_file_error(name);
        }
        return write_in_place(target, name, bytes, count);
    }
    const Identity* old = target.file.valid() ? &identity : nullptr;
    Replacement replacement = replace(target, old, false, name, bytes, count);
    if (replacement == Replacement::link_refused) {
        replacement = replace(target, old, true, name, bytes, count); // the bytes are written again
    }
    if (replacement == Replacement::refused) {
        write_in_place(target, name, bytes, count);
    }
}

} // namespace writer
