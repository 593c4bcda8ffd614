#include "cli.hpp"
#include "generate.hpp"

#include <string>

namespace {
const std::string version = "0.1";
}

int main(int argc, char **argv) {
    return cli::generate(cli::init(argc, argv, version));
}
