#pragma once

#include <csignal>
#include <string>

// What a signal does while a file is written: it may not leave a temporary file behind, and a
// write that the kernel refuses with a signal is reported as a failure instead.
namespace cli {

// Makes every signal whose default action ends the process (SIGKILL and SIGSTOP aside) remove
// the file that a RemoveOnSignal watches before it ends the process; signals that were ignored
// stay ignored. A file grown past the size limit, and a pipe whose reader has gone, make the
// write fail rather than end the process, so that the failure is reported. Call it before the
// first write; calling it again changes nothing.
void handle_signals_while_writing();

// While it lives, the signals above remove the file it watches.
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

// While it lives, the signals above wait, to be delivered after.
class HoldSignals {
public:
    HoldSignals();
    ~HoldSignals();
    HoldSignals(const HoldSignals&) = delete;
    HoldSignals& operator=(const HoldSignals&) = delete;

private:
    sigset_t previous;
};

} // namespace cli
