#pragma once

// The temporary files that a signal removes before it ends the process.

#include <string>

namespace writer {

// While it watches a file, the ending signals (signal_dispositions.hpp) remove that file.
// Several may watch at once: a staged file waits under its name while the next is written.
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

private:
    friend void remove_watched_files();
    RemoveOnSignal* next = nullptr;
    int directory = -1;
    const char* name = nullptr;
};

// Removes every watched file; safe to call from a signal handler.
void remove_watched_files();

} // namespace writer
