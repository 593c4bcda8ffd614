#pragma once

#include <string>

namespace argparse {

// Returns text with each control character written as a C escape (\n, \t, \033), so that a
// word quoted in a message can never break it into lines or drive a terminal; every other
// byte stays as it is.
std::string printable(const std::string& text);

} // namespace argparse
