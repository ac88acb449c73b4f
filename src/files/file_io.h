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

// The first `max_bytes` bytes of a file, or all of it when it is shorter. Nothing when the file
// cannot be opened or read (a missing file, a folder).
std::optional<std::vector<std::uint8_t>> ReadFileStart(const std::string& path,
                                                       std::size_t max_bytes);
// The whole file, in one allocation of its size.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);

// Writes the bytes to a new file beside `path` and renames it over `path`. On failure the new
// file is removed and whatever was at `path` is left untouched; returns false.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Message boxes on the main window, caption "Rimforge", OK button and exclamation icon:
// Could not open "<path>".
void ReportCouldNotOpen(const std::string& path);
// Could not write "<path>".
void ReportCouldNotWrite(const std::string& path);
// Not a valid <kind> file   (e.g. kind "Tempest ROM 118")
void ReportNotValid(std::string_view kind);

}  // namespace files
