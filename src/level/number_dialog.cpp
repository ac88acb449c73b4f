#include "level/number_dialog.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "app/editor_state.h"
#include "resources/tool_dialogs.h"

namespace level {
namespace {

constexpr std::size_t kMaxNumberCharacters = 31;

// The double that the open Number dialog edits.
double* edited_number = nullptr;

INT_PTR NumberDialogProc(platform::Dialog& dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: {
      char text[64];
      std::snprintf(text, sizeof text, "%g", *edited_number);
      dialog.SetItemText(resources::kToolNumberEdit, text);
      return 1;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == resources::kToolOk) {
        if (ReadNumberText(dialog, resources::kToolNumberEdit, *edited_number) ==
            NumberText::kNotANumber) {
          ReportBadNumber("Please enter a number");
          return 1;
        }
        dialog.EndDialog(IDOK);
        return 1;
      }
      if (LOWORD(wParam) == resources::kToolCancel) {
        dialog.EndDialog(IDCANCEL);
        return 1;
      }
      return 0;
    case WM_CLOSE:
      dialog.EndDialog(IDCANCEL);
      return 1;
    default:
      return 0;
  }
}

}  // namespace

NumberText ReadNumberText(const platform::Dialog& dialog, int id, double& value) {
  char text[kMaxNumberCharacters + 1] = {};
  dialog.GetItemText(id).copy(text, kMaxNumberCharacters);
  double number = 0.0;
  const int converted = std::sscanf(text, "%lf", &number);
  if (converted == EOF) return NumberText::kBlank;
  if (converted != 1 || !std::isfinite(number)) return NumberText::kNotANumber;
  value = number;
  return NumberText::kNumber;
}

void ReportBadNumber(std::string_view text) {
  platform::CurrentHost().ShowMessageBox(text, "Rimforge", MB_OK | MB_ICONEXCLAMATION);
}

void RunNumberDialog(const platform::DialogTemplate& dialog_template, double& value) {
  edited_number = &value;
  platform::CurrentHost().RunModalDialog(dialog_template, nullptr, NumberDialogProc);
  edited_number = nullptr;
}

void EditAngleStep() {
  RunNumberDialog(resources::AngleStepDialog(), app::editor.angle_step);
}

}  // namespace level
