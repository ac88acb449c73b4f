// Dispatch of menu commands 40001..40062 to their handlers.
#pragma once

#include "platform/win32_names.h"

namespace app {

// The command identifier is the low word of wParam; others are ignored.
void DispatchCommand(WPARAM wParam);

}  // namespace app
