// Ending the program once standard output has taken what was written to it.
#include <argparse/exit.hpp>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace argparse {

void exit_after_output(int status) {
    if (!std::cout.flush()) {
        std::cerr << "cannot write standard output: " << std::strerror(errno) << std::endl;
        std::exit(-1);
    }
    std::exit(status);
}

} // namespace argparse
