#pragma once

// The help text of the tool's command line, after the description lines.
inline const char* const tool_help_text =
    "Usage: mavrel TILE WIDTH  [options...]\n"
    "             TILE : name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W') "
    "[required]\n"
    "            WIDTH : tile width in pixels (tiles are square) [required]\n"
    "\n"
    "Options:\n"
    "   -d,--data-type : type for height data [allowed: <int16, int32, int64, float32, "
    "float64>, default: float32]\n"
    "   -f,--flag-type : type for flag data [allowed: <int8, int16, int32, int64>, "
    "default: int8]\n"
    "        --version : show version information and exit [implicit: \"true\", "
    "default: false]\n"
    "        -?,--help : print help [implicit: \"true\", default: false]\n";
