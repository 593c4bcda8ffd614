#pragma once

// mavrel-georef's command line: mavrel's, to describe the tile that mavrel wrote.

#include "mavrel/command_line.hpp"

namespace cli {

// A header for other types than the tile's would be silently wrong, so a mistyped option or an
// extra word is an error here, where mavrel only warns.
class GeorefArgs : public CliArgs {
public:
    GeorefArgs() { settings.strict = true; }
    void welcome(std::ostream& out) override;
};

// Answers a bare --version, otherwise parses the command line; ends the process on a
// version or help request and on a command-line error.
Config init_georef(int argc, char** argv, const std::string& version);

} // namespace cli
