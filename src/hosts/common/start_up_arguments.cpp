#include "hosts/common/start_up_arguments.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/shell.h"
#include "resources/command_ids.h"

namespace hosts {

std::optional<int> AnswerInfoArguments(int argc, const char* const* argv) {
  if (argc != 2) return std::nullopt;
  const std::string_view argument = argv[1];
  if (argument == "--version") {
    std::printf("rimforge %s\n", RIMFORGE_VERSION);
    return 0;
  }
  if (argument != "--help" && argument != "-h") return std::nullopt;
  std::printf(
      "Usage: rimforge [FILE]\n"
      "\n"
      "Rimforge edits the tube shapes of the arcade game Tempest. FILE, a level ROM (.118) or a\n"
      "level file (.TLD), is opened as File > Load ROM or Load TLD File would open it.\n"
      "\n"
      "  --help      show this and end\n"
      "  --version   show the version and end\n");
  return 0;
}

namespace {

// Load ROM for .118, Load TLD File for .TLD (in any letter case), 0 for anything else.
int LoadCommandForFile(std::string_view path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return extension == ".118" ? resources::kLoadRom : extension == ".TLD" ? resources::kLoadTld : 0;
}

}  // namespace

void OpenNamedFiles(platform::Host& host, int argc, const char* const* argv,
                    const std::function<std::string(const char* argument)>& shown,
                    const std::function<void(std::string path)>& answer_next_open_dialog) {
  if (argc < 2) return;
  const int command = LoadCommandForFile(argv[1]);
  if (argc > 2 || command == 0) {
    host.ShowMessageBox(
        "Rimforge opens one level ROM (.118) or level file (.TLD) at a time, not \"" +
            shown(argc > 2 ? argv[2] : argv[1]) + "\".",
        "Rimforge", MB_OK | MB_ICONEXCLAMATION);
    if (command == 0) return;
  }
  answer_next_open_dialog(argv[1]);
  app::MainWindowProc(WM_COMMAND, static_cast<WPARAM>(command), 0);
}

}  // namespace hosts
