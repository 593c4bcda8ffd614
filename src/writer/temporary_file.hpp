#pragma once

// The new file of a replacement, written beside the file it replaces.

#include "descriptor.hpp"
#include "remove_on_signal.hpp"

#include <string>

namespace writer {

// A new, empty file in a directory, which takes another file's name once it is complete.
// Where the file system allows, it has no name until then (O_TMPFILE), so that a process
// killed halfway leaves nothing behind, and it gets the permissions a plain open with mode
// 0666 would. Elsewhere, or when asked, it is named .mavrel-XXXXXX and made with mode 0600,
// so that nobody else can open it while it is written (plain_sibling() then tells what it
// should get), and removed when a signal ends the process. While it lives, the process holds an
// exclusive flock(2) lock on it: a .mavrel-* file whose lock is free was left by a process that
// died (SIGKILL, a lost node), and a later replacement of the same name removes it.
class TemporaryFile {
public:
    // Makes the file in the directory open as directory (O_PATH will do), which must outlive
    // this object, to take the name target there; descriptor() is -1, with errno set, where it
    // could not be made.
    TemporaryFile(int directory, const std::string& target, bool named);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int descriptor() const { return fd.get(); }

    // Whether the file was made with a name, and so with mode 0600.
    bool named() const { return made_named; }

    // Returns a new, empty file, made beside this one as a plain open with mode 0666 makes a
    // file there (the umask, a default ACL, whatever the file system does) and removed at once;
    // -1 with errno set where it could not be made.
    Descriptor plain_sibling() const;

    enum class Naming { done, link_failed, rename_failed };

    // Gives the file the target's name, replacing any file of that name: an unnamed file is
    // first linked under a name of its own. Signals wait from the link to the rename, so that
    // only SIGKILL can leave that name behind. On failure errno is set and the file's own name
    // is gone.
    Naming take_name();

    // Closes the file; false with errno set where the close reports a late write error.
    bool close() { return fd.close(); }

private:
    int directory;
    std::string target;
    std::string name;       // while the file has a name of its own
    RemoveOnSignal removal; // declared after name, so that it stops watching name first
    Descriptor fd;
    bool made_named = false;
    bool named_through_proc = false;

    int open_unnamed();
    int open_named();
    bool link();
    void remove_name();
};

} // namespace writer
