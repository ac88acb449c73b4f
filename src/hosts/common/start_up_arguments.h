// The command line of the desktop program, the same on every desktop: --help and --version, or
// one level ROM (.118) or level file (.TLD) to open at start.
#pragma once

#include <optional>
#include <string_view>

namespace hosts {

// --help and --version, answered on stdout before any window is made: the exit status then, and
// nothing for any other command line.
std::optional<int> AnswerInfoArguments(int argc, const char* const* argv);

// The command that loads a file named on the command line: Load ROM for .118, Load TLD File
// for .TLD (in any letter case), 0 for anything else.
int LoadCommandForFile(std::string_view path);

// What the program says when the command line names more or other than one such file.
constexpr std::string_view kNamedFileMessageStart =
    "Rimforge opens one level ROM (.118) or level file (.TLD) at a time, not \"";

}  // namespace hosts
