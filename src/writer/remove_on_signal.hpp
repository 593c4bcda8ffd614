#pragma once

// The temporary file that a signal removes before it ends the process.

#include <string>

namespace writer {

// While it lives, the ending signals (signal_dispositions.hpp) remove the file it watches.
// Only one file is written at a time, so one is watched at a time.
class RemoveOnSignal {
public:
    RemoveOnSignal() = default;
    ~RemoveOnSignal();
    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;

    // Watches the file called name in the directory open as directory; both must outlive
    // this object, or be forgotten first.
    void watch(int directory, const std::string& name);
    void forget();
};

// Removes the watched file, if any; safe to call from a signal handler.
void remove_watched_file();

} // namespace writer
