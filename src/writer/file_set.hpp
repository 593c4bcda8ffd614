#pragma once

// The durable writer's entry point: files written together, such as a tile's height and flag
// files, so that success means all their bytes under their names on stable storage, and a
// failure changes none of them.
//
//     writer::FileSet files;
//     files.stage("N45E007", heights, size);      // complete, synced, under a name of its own
//     files.stage("N45E007_flag", flags, size);   // the heights' bytes may be gone by now
//     files.commit();                             // both renamed, each name synced
//
// Errors: the writer throws std::system_error whose message is "NAME: reason", with the name
// as the caller gave it (whoever prints it makes it printable). Inside, each failing call's
// error is taken where that call returns and thrown there, or returned as a std::error_code
// to a caller that decides what it means; nothing decides from an errno that an earlier call
// set (file_error.hpp).

#include "descriptor.hpp"

#include <cstddef>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace writer {

class TemporaryFile;

// A failure of FileSet::commit: the error of the file that it names, and which of the
// FileSet's stage() and stage_removal() calls that file came from, counted from 0.
class CommitError : public std::system_error {
public:
    CommitError(std::error_code error, const std::string& name, std::size_t file)
        : std::system_error(error, name), file(file) {}
    std::size_t file;
};

class FileSet {
public:
    FileSet();
    // Removes the temporary files of what was staged and not committed: the old files stay.
    ~FileSet();
    FileSet(const FileSet&) = delete;
    FileSet& operator=(const FileSet&) = delete;

    // Writes count bytes for the file called name, all but its name: on return they are on
    // stable storage, in a new file beside the old one that waits under a name of its own,
    // .mavrel-LEAF.XXXXXX, for commit(). The name is resolved as the kernel would resolve it
    // for any program: symbolic links are followed only where fs.protected_symlinks would
    // follow them, and a regular file or FIFO that another user may have planted in a shared
    // sticky directory is refused with EACCES, as fs.protected_regular=2 and
    // fs.protected_fifos=2 refuse the shell's >. The new file gets the old one's owner, group,
    // mode, ACL, extended attributes, file capability and chattr flags; an error reading or
    // giving them fails, but where the process may not keep them, or the directory lets it
    // neither make nor replace a file, or the old file is a mount point of its own, a
    // writable file is rewritten in place now, and synced, as are devices, FIFOs and files
    // named by an open descriptor (/dev/stdout). An append-only or immutable directory is
    // refused. Throws std::system_error naming name.
    void stage(const std::string& name, const void* bytes, std::size_t count);

    // Has commit() remove the file called name, found as stage() finds it but for a symbolic
    // link there, which is not followed, where it is a regular file: a file that the new ones
    // make stale. Nothing else is removed, and a planted file is refused with EACCES. Throws
    // std::system_error naming name.
    void stage_removal(const std::string& name);

    // Renames each staged file over its old one, in the order staged, and checks at once
    // that each name then is the file renamed (ESTALE where another took the name in between);
    // then removes what was staged for removal, where its name still is the file judged; the
    // ending signals wait across all of it. Then brings each name to stable storage. A failure
    // before the first rename leaves every old file as it was and no temporary file; after it,
    // the files renamed so far are new. Throws CommitError.
    void commit();

private:
    struct Staged {
        std::string name;
        std::size_t number;
        Descriptor directory;
        std::unique_ptr<TemporaryFile> file;
    };
    struct Removal {
        std::string name;
        std::size_t number;
        Descriptor directory;
        std::string leaf;
        Descriptor file; // O_PATH, as judged
    };
    std::vector<Staged> staged;
    std::vector<Removal> removals;
    std::size_t next_number = 0; // of the next stage() or stage_removal()
};

} // namespace writer
