// Runs a built program as a person runs it from a terminal, for the tests of the command-line
// tool: arguments in, exit status and both output streams out.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct ProgramRun {
  int exit_status = -1;  // -1 when the program did not end by itself (a signal)
  std::string out;       // stdout
  std::string err;       // stderr
};

// Starts `program` with `args` and no input, and waits for it to end.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace testing_support
