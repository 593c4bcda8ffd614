// The temporary file that a signal removes before it ends the process.
#include "remove_on_signal.hpp"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace writer {
namespace {

// Read by a signal handler, so of types that it may read whole.
volatile std::sig_atomic_t watched_directory = -1;
const char* volatile watched_name = nullptr;

} // namespace

RemoveOnSignal::~RemoveOnSignal() {
    forget();
}

void RemoveOnSignal::watch(int directory, const std::string& name) {
    watched_directory = directory;
    watched_name = name.c_str();
}

void RemoveOnSignal::forget() {
    watched_name = nullptr;
}

void remove_watched_file() {
    if (const char* name = watched_name) {
        ::unlinkat(watched_directory, name, 0);
    }
}

} // namespace writer
