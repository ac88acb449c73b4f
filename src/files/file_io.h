// What every file command of the editor shares: its file dialogs, reading a file, saving one
// without ever harming the file that was there, and the message boxes that report a failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"

namespace files {

// The one filter entry of a file dialog and its default extension ("" for none).
struct FileKind {
  std::string_view filter_description;  // e.g. "ROM 118 Files (*.118)"
  std::string_view filter_pattern;      // e.g. "*.118"
  std::string_view default_extension;   // e.g. "118"
};

// The path and file must exist; the read-only box is hidden.
platform::FileDialogRequest OpenDialogRequest(std::string_view title, const FileKind& kind);
// The path must exist; the dialog asks before overwriting a file.
platform::FileDialogRequest SaveDialogRequest(std::string_view title, const FileKind& kind);

// The largest file read whole: many times the largest program file there is, and still a size
// that every machine can hold in memory.
constexpr std::size_t kLargestWholeFile = std::size_t{64} << 20;

// The first `max_bytes` bytes of a file, or all of it when it is shorter. Nothing when the file
// cannot be opened or read (a missing file, a folder, a device) or the memory for it cannot be
// had.
std::optional<std::vector<std::uint8_t>> ReadFileStart(const std::string& path,
                                                       std::size_t max_bytes);
// The whole file, in one allocation of its size; nothing for a file above kLargestWholeFile.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);

// Saves the bytes as `path` so that a failure never harms what was there. Where it is safe
// (nothing there yet, or a regular file with no other name, in a folder that takes a new file)
// the bytes go to a new file beside it that is then renamed over it. Anything else (a file with
// other names, a device, a file in a folder that takes no new file) is written in place, once
// its room is had, so that it stays what it is. Returns false on any failure; the old file is
// then untouched wherever the failure came before writing.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Message boxes on the main window, caption "Rimforge", OK button and exclamation icon: any text,
void ReportProblem(const std::string& text);
// Could not open "<path>".
void ReportCouldNotOpen(const std::string& path);
// Could not write "<path>".
void ReportCouldNotWrite(const std::string& path);
// Not a valid <kind> file   (e.g. kind "Tempest ROM 118")
void ReportNotValid(std::string_view kind);

}  // namespace files
