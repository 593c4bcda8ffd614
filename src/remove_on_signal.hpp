#pragma once

#include <csignal>
#include <string>

namespace cli {

// While it lives, a hang-up, interrupt or termination signal removes the file it watches
// before it ends the process as it otherwise would; signals that were ignored stay ignored.
class RemoveOnSignal {
public:
    RemoveOnSignal();
    ~RemoveOnSignal();
    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;

    // Watches the file at path, which must outlive this object.
    void watch(const std::string& path);
};

// While it lives, hang-up, interrupt and termination signals wait, to be delivered after.
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
