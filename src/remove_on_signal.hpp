#pragma once

#include <csignal>
#include <string>

namespace cli {

// While it lives, a signal that would end the process (hang-up, interrupt, quit, alarm,
// termination, user signals) removes the file it watches first; signals that were ignored
// stay ignored. A file grown past the size limit makes its write fail rather than end the
// process, so that the failure is reported.
class RemoveOnSignal {
public:
    RemoveOnSignal();
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
