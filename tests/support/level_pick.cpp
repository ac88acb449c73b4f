#include "support/level_pick.h"

#include <gtest/gtest.h>

#include "app/editor_state.h"

namespace testing_support {

POINT LevelCellCentre(int level_index) {
  // Cells of 128 pixels from (4, 64), four to a row.
  return {4 + 128 * (level_index % 4) + 64, 64 + 128 * (level_index / 4) + 64};
}

void PickLevel(FakeHost& host, int level_index) {
  const POINT cell = LevelCellCentre(level_index);
  // The button that closed the file dialog goes up; then the mouse comes to the cell.
  host.ReleaseButton(WM_LBUTTONUP, cell.x, cell.y);
  host.MoveMouse(cell.x, cell.y);
  host.RunFrames(1);
  host.PressButton(WM_LBUTTONDOWN, cell.x, cell.y, MK_LBUTTON);
  host.RunFrames(1);
  host.ReleaseButton(WM_LBUTTONUP, cell.x, cell.y);
  host.HandleMessages();
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  EXPECT_EQ(app::editor.current_level, level_index);
}

}  // namespace testing_support
