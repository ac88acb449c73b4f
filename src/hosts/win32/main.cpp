// Rimforge on Windows: makes the main window, starts the editor in its intro and runs the
// message loop with its frames until the person leaves through "Exit Rimforge?".
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hosts/common/start_up_arguments.h"
#include "hosts/win32/text_codec.h"
#include "hosts/win32/win32_host.h"
#include "platform/file_system.h"

namespace {

// The command line as UTF-8, whatever characters the names on it hold.
std::vector<std::string> CommandLineArguments() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i)
    arguments.push_back(platform::Utf8FromPath(wide[i]));
  LocalFree(wide);
  return arguments;
}

// A windowed program has no standard output of its own unless it was given one; started from a
// console, it writes --help and --version there.
void UseParentConsole() {
  if (GetStdHandle(STD_OUTPUT_HANDLE) == nullptr && AttachConsole(ATTACH_PARENT_PROCESS)) {
    std::FILE* ignored = std::freopen("CONOUT$", "w", stdout);
    static_cast<void>(ignored);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  const std::vector<std::string> arguments = CommandLineArguments();
  std::vector<const char*> argv;
  for (const std::string& argument : arguments)
    argv.push_back(argument.c_str());
  UseParentConsole();
  if (const std::optional<int> status =
          hosts::AnswerInfoArguments(static_cast<int>(argv.size()), argv.data())) {
    return *status;
  }
  hosts::win32::Win32Host host(instance);
  host.StartEditorWindow(show_command);
  hosts::OpenNamedFiles(
      host, static_cast<int>(argv.size()), argv.data(),
      [](const char* argument) {
        return hosts::win32::ToWindows1252(platform::PathFromUtf8(argument).wstring());
      },
      [&host](std::string path) { host.AnswerNextOpenDialog(std::move(path)); });
  return host.RunMessageLoop();
}
