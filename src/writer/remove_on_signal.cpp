// The temporary files that a signal removes before it ends the process.
#include "remove_on_signal.hpp"

#include "hold_signals.hpp"

#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace writer {
namespace {

// The watched files, a list that changes only while the ending signals wait, so that their
// handler never sees it half changed.
RemoveOnSignal* watched = nullptr;

} // namespace

RemoveOnSignal::~RemoveOnSignal() {
    forget();
}

void RemoveOnSignal::watch(int directory, const std::string& name) {
    const HoldSignals held;
    if (this->name == nullptr) {
        next = std::exchange(watched, this);
    }
    this->directory = directory;
    this->name = name.c_str();
}

void RemoveOnSignal::forget() {
    if (name == nullptr) {
        return;
    }
    const HoldSignals held;
    for (RemoveOnSignal** link = &watched; *link != nullptr; link = &(*link)->next) {
        if (*link == this) {
            *link = next;
            break;
        }
    }
    name = nullptr;
}

void remove_watched_files() {
    for (const RemoveOnSignal* file = watched; file != nullptr; file = file->next) {
        ::unlinkat(file->directory, file->name, 0);
    }
}

} // namespace writer
