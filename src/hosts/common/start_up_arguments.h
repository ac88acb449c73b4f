// The command line of the desktop program, the same on every desktop: --help and --version, or
// one level ROM (.118) or level file (.TLD) to open at start.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/host.h"

namespace hosts {

// --help and --version, answered on stdout before any window is made: the exit status then, and
// nothing for any other command line.
std::optional<int> AnswerInfoArguments(int argc, const char* const* argv);

// The files named on the command line (as a file manager passes them, UTF-8): one level ROM
// (.118) or level file (.TLD, either in any letter case) is loaded through Load ROM or Load TLD
// File, with their checks and messages, the host giving the path as the open dialog's answer;
// anything else is told in a message box naming it (in Windows-1252, by `shown`), and the editor
// goes on as usual.
void OpenNamedFiles(platform::Host& host, int argc, const char* const* argv,
                    const std::function<std::string(const char* argument)>& shown,
                    const std::function<void(std::string path)>& answer_next_open_dialog);

}  // namespace hosts
