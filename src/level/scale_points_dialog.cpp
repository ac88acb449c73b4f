#include "level/scale_points_dialog.h"

#include "level/geometry_tools.h"
#include "level/number_dialog.h"
#include "platform/host.h"
#include "resources/tool_dialogs.h"

namespace level {
namespace {

// 0 while "Scale equally" is checked: the Y scale is the X scale.
int separate = 0;

// Reads both scales; the Y edit only while it is in use.
bool ReadScales(const platform::Dialog& dialog, double& x, double& y) {
  if (ReadNumberText(dialog, resources::kToolNumberEdit, x) != NumberText::kNumber) return false;
  if (separate == 0) {
    y = x;
    return true;
  }
  return ReadNumberText(dialog, resources::kScaleYEdit, y) == NumberText::kNumber;
}

INT_PTR ScalePointsDialogProc(platform::Dialog& dialog, UINT message, WPARAM wParam,
                              LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      dialog.SetItemText(resources::kToolNumberEdit, "100");
      dialog.SetItemText(resources::kScaleYEdit, "100");
      dialog.SetChecked(resources::kScaleEquallyCheck, true);
      separate = 0;
      return 1;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case resources::kScaleEquallyCheck:
          if (HIWORD(wParam) != BN_CLICKED) return 0;
          separate = 1 - separate;
          dialog.EnableItem(resources::kScaleYEdit, separate == 1);
          dialog.EnableItem(resources::kScaleYLabel, separate == 1);
          return 1;
        case resources::kToolOk: {
          double x = 0.0;
          double y = 0.0;
          if (!ReadScales(dialog, x, y)) {
            ReportBadNumber("Please enter numbers");
            return 1;
          }
          ScaleShape(x * 0.01, y * 0.01);
          dialog.EndDialog(IDOK);
          return 1;
        }
        case resources::kToolCancel:
          dialog.EndDialog(IDCANCEL);
          return 1;
        default:
          return 0;
      }
    case WM_CLOSE:
      dialog.EndDialog(IDCANCEL);
      return 1;
    default:
      return 0;
  }
}

}  // namespace

void ScalePoints() {
  platform::CurrentHost().RunModalDialog(resources::ScalePointsDialog(), nullptr,
                                         ScalePointsDialogProc);
}

void ResetScalePointsDialog() {
  separate = 0;
}

}  // namespace level
