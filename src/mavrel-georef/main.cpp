// mavrel-georef: writes the headers through which GIS tools open a mavrel tile where it lies.
#include "cli.hpp"
#include "georef.hpp"

#include <string>

namespace {

// The project version, which the build passes in.
const std::string version = MAVREL_VERSION;

} // namespace

int main(int argc, char** argv) {
    return cli::georef(cli::init_georef(argc, argv, version));
}
