// Signals while a file is written: a temporary file removed before a signal ends the process,
// and signals held across the moments that must not be cut.
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

// Every signal whose default action ends the process and that a handler may catch, but the
// two that fail a write instead.
sigset_t ending_signals() {
    static constexpr int fixed[] = {
        SIGHUP,  SIGINT,  SIGQUIT, SIGILL,    SIGTRAP, SIGABRT,   SIGBUS,  SIGFPE, SIGUSR1, SIGSEGV,
        SIGUSR2, SIGALRM, SIGTERM, SIGSTKFLT, SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,  SIGPWR,  SIGSYS};
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : fixed) {
        sigaddset(&signals, signal);
    }
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
        sigaddset(&signals, signal);
    }
    return signals;
}

bool is_default(int signal) {
    struct sigaction current {};
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_DFL;
}

} // namespace

void handle_signals_while_writing() {
    static const bool installed = [] {
        const sigset_t signals = ending_signals();
        struct sigaction action {};
        action.sa_handler = remove_and_reraise;
        action.sa_mask = signals; // one removal at a time
        for (int signal = 1; signal < NSIG; ++signal) {
            if (sigismember(&signals, signal) == 1 && is_default(signal)) {
                ::sigaction(signal, &action, nullptr);
            }
        }
        for (int signal : {SIGXFSZ, SIGPIPE}) {
            if (is_default(signal)) {
                ::signal(signal, SIG_IGN);
            }
        }
        return true;
    }();
    static_cast<void>(installed);
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
    const sigset_t held = ending_signals();
    ::sigprocmask(SIG_BLOCK, &held, &previous);
}

HoldSignals::~HoldSignals() {
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
}

} // namespace cli
