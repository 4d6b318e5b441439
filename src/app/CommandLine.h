#pragma once
// The options Zek answers before anything else, so that they work without a display:
// --help and --version print and end the program.
#include <cstdio>
#include <optional>

namespace command_line {

// When argv asks for help or the version, prints the answer to out and gives the exit
// code; otherwise nullopt and the program starts as usual.
std::optional<int> answerInfoOptions(int argc, char** argv, std::FILE* out);

}  // namespace command_line
