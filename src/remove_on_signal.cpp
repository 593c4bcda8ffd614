#include "remove_on_signal.hpp"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace cli {
namespace {

// Only one file is written at a time, so one name suffices.
volatile int doomed_directory = -1;
const char* volatile doomed_name = nullptr;

void remove_and_reraise(int signal) {
    if (const char* name = doomed_name) {
        ::unlinkat(doomed_directory, name, 0);
    }
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

constexpr int handled_signals[] = {SIGHUP, SIGINT, SIGQUIT, SIGALRM, SIGTERM, SIGUSR1, SIGUSR2};

bool is_default(int signal) {
    struct sigaction current {};
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_DFL;
}

void install_handlers_once() {
    static const bool installed = [] {
        for (int signal : handled_signals) {
            if (is_default(signal)) {
                struct sigaction action {};
                action.sa_handler = remove_and_reraise;
                sigemptyset(&action.sa_mask);
                ::sigaction(signal, &action, nullptr);
            }
        }
        if (is_default(SIGXFSZ)) {
            ::signal(SIGXFSZ, SIG_IGN);
        }
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace

RemoveOnSignal::RemoveOnSignal() {
    install_handlers_once();
}

RemoveOnSignal::~RemoveOnSignal() {
    forget();
}

void RemoveOnSignal::watch(int directory, const std::string& name) {
    doomed_directory = directory;
    doomed_name = name.c_str();
}

void RemoveOnSignal::forget() {
    doomed_name = nullptr;
}

HoldSignals::HoldSignals() : previous() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : handled_signals) {
        sigaddset(&held, signal);
    }
    ::sigprocmask(SIG_BLOCK, &held, &previous);
}

HoldSignals::~HoldSignals() {
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
}

} // namespace cli
