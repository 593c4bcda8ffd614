// The process entry of mavrel.
#include "mavrel/command_line.hpp"
#include "mavrel/generate.hpp"

#include <string>

namespace {

// The project version, which the build passes in.
const std::string version = MAVREL_VERSION;

} // namespace

int main(int argc, char** argv) {
    return cli::generate(cli::init(argc, argv, version));
}
