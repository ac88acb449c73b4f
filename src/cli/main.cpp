// rimforge-tool: the editor's file commands and pictures from the command line.
#include <string>
#include <vector>

#include "cli/subcommand.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return cli::RunTool(args);
}
