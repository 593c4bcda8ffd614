#pragma once

// The writer's temporary files (.mavrel-*) in a batch's directories: judged through their own
// descriptors, and the dead ones removed on request.

#include <string>
#include <unordered_set>
#include <vector>

namespace batch {

struct TemporaryRules {
    long dead_after = 600; // seconds unwritten, with a free lock, before a temporary is dead
    bool remove_dead = false;
};

struct TemporaryCounts {
    std::size_t dead = 0;
    std::size_t removed = 0;
    std::size_t live = 0;   // a run holds its lock, or its lock is free but it was just written
    std::size_t others = 0; // another user's, or no regular file
};

// Judges each .mavrel-* name of names, the entries of the directory open as directory (O_PATH),
// shown as shown
// (its name as the list gives it, "" for the working directory): a regular file is opened
// without following a link and without waiting, and is live while a run holds its lock or
// was written less than dead_after seconds ago (locks are not shared on every file system),
// dead otherwise; with remove_dead, a dead one of this user's (any user's, for root, in a
// directory that no link leads to) is removed, holding its lock, while its name still names
// the file judged. Another user's temporary and anything else are reported, never opened for
// more than a look. Appends a line for each to lines, and counts them.
void judge_temporaries(int directory, const std::unordered_set<std::string>& names,
                       const std::string& shown, const TemporaryRules& rules,
                       std::vector<std::string>& lines, TemporaryCounts& counts);

} // namespace batch
