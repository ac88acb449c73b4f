// Message boxes with the caption, icon and buttons that MB_ flags ask for.
#pragma once

#include <string_view>

#include "platform/win32_names.h"

class QWidget;

namespace hosts::qt {

// Returns IDOK, IDCANCEL, IDYES or IDNO.
int RunMessageBox(QWidget* owner, std::string_view text, std::string_view caption, UINT type);

}  // namespace hosts::qt
