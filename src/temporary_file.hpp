#pragma once

#include "descriptor.hpp"
#include "remove_on_signal.hpp"

#include <string>

namespace cli {

// A new, empty file in a directory, which takes another file's name once it is complete.
// Where the file system allows, it has no name until then (O_TMPFILE), so that a process
// killed halfway leaves nothing behind; elsewhere, or when asked, it is named .mavrel-XXXXXX
// and removed when a termination signal ends the process. It gets the permissions a plain
// open with mode 0666 would: the umask and any default ACL of the directory apply.
class TemporaryFile {
public:
    // Makes the file in the directory open as directory (O_PATH will do), which must outlive
    // this object; descriptor() is -1, with errno set, where it could not be made.
    TemporaryFile(int directory, bool named);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int descriptor() const { return fd.get(); }

    // Gives an unnamed file a name of its own; false with errno set where the kernel refuses.
    bool link();

    // Gives the linked file the name target, replacing any file of that name; returns false
    // with errno set, the file's own name then being removed at once.
    bool take_name(const std::string& target);

    // Closes the file; false with errno set where the close reports a late write error.
    bool close() { return fd.close(); }

private:
    int directory;
    std::string name;       // while the file has a name of its own
    RemoveOnSignal removal; // declared after name, so that it stops watching name first
    Descriptor fd;
    bool named_through_proc = false;

    int open_unnamed();
    int open_named();
    void remove_name();
};

} // namespace cli
