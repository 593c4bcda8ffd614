// mavrel-georef's command line and its start-up.
#include "mavrel-georef/command_line.hpp"

#include <iostream>

namespace cli {

void GeorefArgs::welcome(std::ostream& out) {
    out << "mavrel-georef - write headers that place a mavrel tile for GIS tools.\n"
        << authors << "\n"
        << std::endl;
}

Config init_georef(int argc, char** argv, const std::string& version) {
    answer_version(argc, argv, "mavrel-georef", version);
    GeorefArgs args;
    return parsed(args, argc, argv);
}

} // namespace cli
