// mavrel's command line as mavrel itself declares it, for bench/parsers: prints what it parsed.
#include "mavrel/command_line.hpp"

#include <cstdio>

int main(int argc, char** argv) {
    cli::CliArgs args;
    args.parse(argc, argv, false);
    std::printf("%s %u %d %d\n", args.tile.c_str(), args.width, static_cast<int>(args.data_type),
                static_cast<int>(args.flag_type));
}
