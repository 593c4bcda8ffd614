// mavrel-georef: writes the headers through which GIS tools open a mavrel tile where it lies.
#include "mavrel-georef/command_line.hpp"
#include "mavrel-georef/georef.hpp"

int main(int argc, char** argv) {
    return cli::georef(cli::init_georef(argc, argv, MAVREL_VERSION));
}
