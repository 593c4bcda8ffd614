#pragma once

// What signals do while a file is written: none may leave a temporary file behind, and a write
// that the kernel refuses with a signal is reported as a failure instead.

#include <csignal>

namespace writer {

// Every signal whose default action ends the process and that a handler may catch (SIGKILL and
// SIGSTOP aside), but the two that fail a write instead (SIGXFSZ, SIGPIPE).
sigset_t ending_signals();

// Makes each of the ending signals remove the files that RemoveOnSignal objects watch before it
// ends the process; signals that were ignored stay ignored. A file grown past the size limit,
// and a pipe whose reader has gone, make the write fail rather than end the process, so that
// the failure is reported. Call it before the first write; calling it again changes nothing.
void handle_signals_while_writing();

} // namespace writer
