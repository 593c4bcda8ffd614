#pragma once

// Ending a program once what it wrote has reached standard output.

namespace argparse {

// Ends the program with status once standard output has taken everything written to it;
// where it could not (a full disk, a closed pipe), says why on standard error and ends the
// program with status 255, as for any other error.
[[noreturn]] void exit_after_output(int status);

} // namespace argparse
