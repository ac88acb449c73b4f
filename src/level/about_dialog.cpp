#include "level/about_dialog.h"

#include "platform/host.h"
#include "resources/tool_dialogs.h"

namespace level {
namespace {

INT_PTR AboutDialogProc(platform::Dialog& dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      return 1;
    case WM_COMMAND:
      if (LOWORD(wParam) != resources::kToolOk) return 0;
      dialog.EndDialog(IDOK);
      return 1;
    case WM_CLOSE:
      dialog.EndDialog(IDOK);
      return 1;
    default:
      return 0;
  }
}

}  // namespace

void ShowAbout() {
  platform::CurrentHost().RunModalDialog(resources::AboutDialog(), nullptr, AboutDialogProc);
}

}  // namespace level
