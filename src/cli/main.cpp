// rimforge-tool: the editor's file commands and pictures from the command line.
#include <string>
#include <vector>

#include "cli/subcommand.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "platform/file_system.h"

// The wide entry point (linked with -municode): the narrow argv holds the arguments in the ANSI
// code page, which cannot name every file; the wide one holds them whole, and they go on as UTF-8.
int wmain(int argc, wchar_t** argv) {
  // Bytes out as they are, line ends included, so that the output is the Linux build's.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i)
    args.push_back(platform::Utf8FromPath(argv[i]));
  return cli::RunTool(args);
}
#else
int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return cli::RunTool(args);
}
#endif
