#include "files/file_io.h"

namespace files {
namespace {

constexpr UINT kOpenDialogFlags =
    OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
constexpr UINT kSaveDialogFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

platform::FileDialogRequest DialogRequest(std::string_view title, const FileKind& kind,
                                          UINT flags) {
  return {std::string(title), std::string(kind.filter_description),
          std::string(kind.filter_pattern), std::string(kind.default_extension), flags};
}

}  // namespace

void ReportProblem(const std::string& text) {
  platform::CurrentHost().ShowMessageBox(text, "Rimforge", MB_OK | MB_ICONEXCLAMATION);
}

platform::FileDialogRequest OpenDialogRequest(std::string_view title, const FileKind& kind) {
  return DialogRequest(title, kind, kOpenDialogFlags);
}

platform::FileDialogRequest SaveDialogRequest(std::string_view title, const FileKind& kind) {
  return DialogRequest(title, kind, kSaveDialogFlags);
}

void ReportCouldNotOpen(const std::string& path) {
  ReportProblem("Could not open \"" + path + "\".");
}

void ReportCouldNotWrite(const std::string& path) {
  ReportProblem("Could not write \"" + path + "\".");
}

void ReportNotValid(std::string_view kind) {
  ReportProblem("Not a valid " + std::string(kind) + " file");
}

}  // namespace files
