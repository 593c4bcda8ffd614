#pragma once

// printable, for programs that include this header: it is declared in <argparse/text.hpp>.

#include <argparse/text.hpp>
