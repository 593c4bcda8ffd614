// The writer's temporary files in a batch's directories, judged through their own descriptors.
#include "mavrel-batch/temporaries.hpp"

#include "writer/descriptor.hpp"

#include <argparse/printable.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iterator>
#include <linux/openat2.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace batch {
namespace {

bool same_file(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether directory is reached from the working directory without following any link, so
// that root removes nothing that a link another user planted leads to.
bool reached_without_links(int directory, const std::string& path) {
    open_how how{};
    how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_NO_SYMLINKS;
    const writer::Descriptor direct(
        static_cast<int>(::syscall(SYS_openat2, AT_FDCWD, path.c_str(), &how, sizeof how)));
    struct stat held {};
    struct stat found {};
    return direct.valid() && ::fstat(directory, &held) == 0 && ::fstat(direct.get(), &found) == 0 &&
           same_file(held, found);
}

// Removes name from directory while it still names the file open as file, whose lock is held.
bool remove_judged(int directory, const std::string& name, const struct stat& judged) {
    struct stat now {};
    return ::fstatat(directory, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
           same_file(now, judged) && ::unlinkat(directory, name.c_str(), 0) == 0;
}

class Judge {
public:
    Judge(int directory, const std::string& shown, const TemporaryRules& rules,
          std::vector<std::string>& lines, TemporaryCounts& counts)
        : directory(directory), shown(shown), rules(rules), lines(lines), counts(counts) {}

    void operator()(const std::string& name) {
        struct stat entry {};
        if (::fstatat(directory, name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
            return; // gone since it was listed
        }
        if (!S_ISREG(entry.st_mode)) {
            return other(name, "not a regular file, no temporary of a run");
        }
        const uid_t runner = ::geteuid();
        if (entry.st_uid != runner && runner != 0) {
            return other(name,
                         "another user's temporary (uid " + std::to_string(entry.st_uid) + ")");
        }
        const writer::Descriptor file(::openat(
            directory, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat opened {};
        if (!file.valid() || ::fstat(file.get(), &opened) != 0 || !same_file(opened, entry)) {
            return other(name, "changed while it was looked at");
        }
        judge(name, file.get(), opened, entry.st_uid != runner);
    }

private:
    int directory;
    const std::string& shown;
    const TemporaryRules& rules;
    std::vector<std::string>& lines;
    TemporaryCounts& counts;

    void say(const std::string& name, const std::string& what) {
        lines.push_back(argparse::printable(shown + name) + ": " + what);
    }

    void other(const std::string& name, const std::string& what) {
        ++counts.others;
        say(name, what);
    }

    // A shared lock, which a read-only descriptor may hold on NFS too, and which the writer's
    // exclusive lock excludes. Another user's temporary, which root looks at, fails no verify.
    void judge(const std::string& name, int file, const struct stat& status, bool foreign) {
        const std::string whose = foreign ? " of uid " + std::to_string(status.st_uid) : "";
        if (::flock(file, LOCK_SH | LOCK_NB) != 0) {
            ++(foreign ? counts.others : counts.live);
            return say(name, "live temporary" + whose + " (a run is writing it)");
        }
        const long unwritten = static_cast<long>(std::time(nullptr) - status.st_mtime);
        if (unwritten < rules.dead_after) {
            ++(foreign ? counts.others : counts.live);
            return say(name, "temporary" + whose + " with a free lock, written in the last " +
                                 std::to_string(rules.dead_after) + " s: not dead yet");
        }
        const bool removable = !foreign || reached_without_links(directory, shown + ".");
        if (rules.remove_dead && removable && remove_judged(directory, name, status)) {
            ++counts.removed;
            return say(name, "dead temporary" + whose + ", removed");
        }
        ++(foreign ? counts.others : counts.dead);
        say(name, "dead temporary" + whose);
    }
};

} // namespace

void judge_temporaries(int directory, const std::unordered_set<std::string>& names,
                       const std::string& shown, const TemporaryRules& rules,
                       std::vector<std::string>& lines, TemporaryCounts& counts) {
    std::vector<std::string> temporaries;
    std::copy_if(names.begin(), names.end(), std::back_inserter(temporaries),
                 [](const std::string& name) { return name.compare(0, 8, ".mavrel-") == 0; });
    std::sort(temporaries.begin(), temporaries.end());
    Judge judge(directory, shown, rules, lines, counts);
    std::for_each(temporaries.begin(), temporaries.end(), judge);
}

} // namespace batch
