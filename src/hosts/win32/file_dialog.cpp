#include "hosts/win32/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "hosts/win32/text_codec.h"
#include "platform/file_system.h"

namespace hosts::win32 {
namespace {

// Room for the longest path Windows knows, beyond MAX_PATH.
constexpr std::size_t kPathRoom = 32768;

// "description\0pattern\0\0", the filter pair list that the dialogs take.
std::wstring FilterOf(const platform::FileDialogRequest& request) {
  std::wstring filter = FromWindows1252(request.filter_description);
  filter.push_back(L'\0');
  filter += FromWindows1252(request.filter_pattern);
  filter.push_back(L'\0');
  return filter;  // c_str() adds the closing '\0'
}

}  // namespace

std::optional<std::string> RunFileDialog(HWND owner, const platform::FileDialogRequest& request,
                                         bool save) {
  const std::wstring filter = FilterOf(request);
  const std::wstring title = FromWindows1252(request.title);
  const std::wstring extension = FromWindows1252(request.default_extension);
  std::vector<wchar_t> path(kPathRoom, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = request.flags;
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return platform::Utf8FromPath(path.data());
}

}  // namespace hosts::win32
