// The open and save file dialogs of Windows (GetOpenFileNameW, GetSaveFileNameW) with the
// request's title, its one filter, default extension and OFN_ flags. The chosen path comes
// back in UTF-8, whatever characters it holds.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/host.h"

namespace hosts::win32 {

std::optional<std::string> RunFileDialog(HWND owner, const platform::FileDialogRequest& request,
                                         bool save);

}  // namespace hosts::win32
