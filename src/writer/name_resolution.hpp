#pragma once

// Resolving a name to the file it refers to, as the kernel would for any program.

#include "descriptor.hpp"

#include <string>
#include <sys/stat.h>

namespace writer {

// The file that a name finally refers to, found as the kernel finds it for any program.
struct FileTarget {
    Descriptor directory;      // holding the file (O_PATH)
    std::string leaf;          // the file's name in directory
    Descriptor file;           // the existing file, open for writing; -1 where there is none
    struct stat status {};     // of file
    bool through_proc = false; // named by an open descriptor, as /dev/stdout is: not a path
};

// Walks name one entry at a time and follows symbolic links, to directories too, only where
// the kernel's fs.protected_symlinks would, whatever it is set to: a link in a sticky,
// world-writable directory only when the process or the directory's owner owns it. Opens an
// existing file without creating one (a FIFO waits for its reader), but refuses with EACCES,
// as the kernel's fs.protected_regular and fs.protected_fifos refuse the shell's >, a regular
// file or FIFO that another user may have planted in a shared sticky directory
// (shared_directory.hpp). Throws std::system_error naming name.
FileTarget find_target(const std::string& name);

// Opens the directory path (O_PATH), walked as find_target walks a name's directory part.
// Throws std::system_error naming path.
Descriptor find_directory(const std::string& path);

} // namespace writer
