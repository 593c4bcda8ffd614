// Signals held across the moments of a write that must not be cut.
#include "hold_signals.hpp"

#include "signal_dispositions.hpp"

namespace writer {

HoldSignals::HoldSignals() : previous() {
    const sigset_t held = ending_signals();
    ::sigprocmask(SIG_BLOCK, &held, &previous);
}

HoldSignals::~HoldSignals() {
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
}

} // namespace writer
