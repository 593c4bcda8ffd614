#pragma once

// The new file of a replacement, written beside the file it replaces.

#include "descriptor.hpp"
#include "remove_on_signal.hpp"

#include <string>
#include <system_error>

namespace writer {

// A new file in a directory, which takes another file's name once it is complete. Where the
// file system allows, it has no name while it is written (O_TMPFILE), so that a process killed
// then leaves nothing behind, and it gets the permissions a plain open with mode 0666 would.
// Elsewhere, or when asked, it is named from the start, and made with mode 0600, so that
// nobody else can open it while it is written (plain_sibling() then tells what it should get).
// Its name, .mavrel-TARGET.XXXXXX (temporary_name.hpp), is drawn at random and made with
// O_EXCL, so that no other run takes it; the process holds an exclusive flock(2) lock on the
// file for as long as it lives, and a signal that ends the process removes its name.
class TemporaryFile {
public:
    // A file to be made in the directory open as directory (O_PATH will do), which must
    // outlive this object, to take the name target there.
    TemporaryFile(int directory, std::string target);
    // Removes the file's own name, if it still has one.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Makes the file, unnamed unless named, and locks it. Where the lock fails other than for
    // a file system that keeps no locks, the file is removed and that is the error.
    std::error_code open(bool named);

    int descriptor() const { return fd.get(); }

    // Whether the file was made with a name, and so with mode 0600.
    bool named() const { return made_named; }

    // Sets sibling to a new, empty file, made beside this one as a plain open with mode 0666
    // makes a file there (the umask, a default ACL, whatever the file system does) and removed
    // at once.
    std::error_code plain_sibling(Descriptor& sibling) const;

    // Gives an unnamed file a name of its own; signals wait from the link until a signal
    // would remove the name.
    std::error_code link();

    // Renames the file over the target, replacing any file of that name, then checks that the
    // target's name is this file: ESTALE where another file took the name in between. Call it
    // with the ending signals held (hold_signals.hpp). On failure the file's own name, if it
    // still has it, stays until this object goes.
    std::error_code take_name();

    // Closes the file; the error where the close reports a late write error.
    std::error_code close() { return fd.close(); }

private:
    int directory;
    std::string target;
    std::string name;       // while the file has a name of its own
    RemoveOnSignal removal; // declared after name, so that it stops watching name first
    Descriptor fd;
    bool made_named = false;
    bool named_through_proc = false;

    std::error_code open_unnamed();
    std::error_code open_named();
    std::error_code lock();
    void remove_name();
};

} // namespace writer
