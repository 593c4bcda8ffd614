#pragma once

#include "remove_on_signal.hpp"

#include <string>

namespace cli {

// A new, empty file in a directory, which takes another file's name once it is complete.
// Where the file system allows, it has no name until then (O_TMPFILE), so that a process
// killed halfway leaves nothing behind; elsewhere it is named .mavrel-XXXXXX and removed when
// a termination signal ends the process. It gets the permissions a plain open with mode
// 0666 would: the umask and any default ACL of the directory apply.
class TemporaryFile {
public:
    // Makes the file in directory ("" for the working directory, else ending in '/');
    // descriptor() is -1, with errno set, where it could not be made.
    explicit TemporaryFile(std::string directory);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int descriptor() const { return fd; }

    // Closes the file and gives it the name target, replacing any file of that name; returns
    // false with errno set, the file then being removed.
    bool take_name(const std::string& target);

private:
    std::string directory;
    std::string path;       // while the file has a name of its own
    RemoveOnSignal removal; // declared after path, so that it stops watching path first
    int fd = -1;
    bool named_through_proc = false;

    int open_unnamed();
    int open_named();
    bool link_unnamed();
    bool close_descriptor();
};

} // namespace cli
