// A dialog template of the editor as Windows takes it in memory: a DLGTEMPLATE with its font
// (DS_SETFONT) and one DLGITEMTEMPLATE per control, places and sizes in dialog units as they
// stand, texts in UTF-16. Image controls name their icon or bitmap resource by number.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/dialog_template.h"

namespace hosts::win32 {

// The words of the template; DWORD-aligned where Windows needs it, given storage that is.
std::vector<WORD> BuildDialogTemplate(const platform::DialogTemplate& dialog_template);

}  // namespace hosts::win32
