#pragma once

// Signals held across the moments of a write that must not be cut.

#include <csignal>

namespace writer {

// While it lives, the ending signals (signal_dispositions.hpp) wait, to be delivered after.
class HoldSignals {
public:
    HoldSignals();
    ~HoldSignals();
    HoldSignals(const HoldSignals&) = delete;
    HoldSignals& operator=(const HoldSignals&) = delete;

private:
    sigset_t previous;
};

} // namespace writer
