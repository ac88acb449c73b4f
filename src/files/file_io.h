// What every file command of the editor shares: its file dialogs, reading a file, saving one
// without ever harming the file that was there, and the message boxes that report a failure.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
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

// Reading and saving files are the platform's file primitives.
using platform::kLargestWholeFile;
using platform::ReadFileStart;
using platform::ReadWholeFile;
using platform::WriteFileAtomically;

// Message boxes on the main window, caption "Rimforge", OK button and exclamation icon: any text,
void ReportProblem(const std::string& text);
// Could not open "<path>".
void ReportCouldNotOpen(const std::string& path);
// Could not write "<path>".
void ReportCouldNotWrite(const std::string& path);
// Not a valid <kind> file   (e.g. kind "Tempest ROM 118")
void ReportNotValid(std::string_view kind);

}  // namespace files
