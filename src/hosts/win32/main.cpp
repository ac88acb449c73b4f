// Rimforge on Windows: makes the main window, starts the editor in its intro and runs the
// message loop with its frames until the person leaves through "Exit Rimforge?".
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/shell.h"
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

// One level ROM (.118) or level file (.TLD) named on the command line is loaded through Load ROM
// or Load TLD File, with their checks and messages; anything else is told in a message box.
void OpenNamedFiles(hosts::win32::Win32Host& host, const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return;
  const int command = hosts::LoadCommandForFile(arguments[1]);
  if (arguments.size() > 2 || command == 0) {
    const std::string& named = arguments.size() > 2 ? arguments[2] : arguments[1];
    host.ShowMessageBox(std::string(hosts::kNamedFileMessageStart) +
                            hosts::win32::ToWindows1252(platform::PathFromUtf8(named).wstring()) +
                            "\".",
                        "Rimforge", MB_OK | MB_ICONEXCLAMATION);
    if (command == 0) return;
  }
  host.AnswerNextOpenDialog(arguments[1]);
  app::MainWindowProc(WM_COMMAND, static_cast<WPARAM>(command), 0);
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
  OpenNamedFiles(host, arguments);
  return host.RunMessageLoop();
}
