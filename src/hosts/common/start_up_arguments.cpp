#include "hosts/common/start_up_arguments.h"

#include <cstdio>
#include <filesystem>
#include <string>

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

int LoadCommandForFile(std::string_view path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return extension == ".118" ? resources::kLoadRom : extension == ".TLD" ? resources::kLoadTld : 0;
}

}  // namespace hosts
