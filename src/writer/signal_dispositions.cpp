// What signals do while a file is written: the watched temporary files removed before a signal
// ends the process, and the signals that would end a write silently made to fail it.
#include "signal_dispositions.hpp"

#include "remove_on_signal.hpp"

namespace writer {
namespace {

void remove_and_reraise(int signal) {
    remove_watched_files();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

bool is_default(int signal) {
    struct sigaction current {};
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_DFL;
}

} // namespace

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

} // namespace writer
