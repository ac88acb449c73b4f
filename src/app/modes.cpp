#include "app/modes.h"

#include "app/editor_state.h"
#include "app/menu_state.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "render/level_select_state.h"

namespace app {

void EnterLevelSelect() {
  mouse.buttons = 0;
  render::marked_level = render::kNoMarkedLevel;
  editor.editor_mode = kLevelSelectMode;
  DisableEditMenus();
  level::edit_state.drawn_segment_limit = 16;
  mouse.wheel_delta = 0;
}

void EnterViewMode() {
  SetEditItemText("&Edit Level");
  editor.editor_mode = kViewMode;
  EnableEditMenus();
  level::edit_state.current_point = 0;
  mouse.wheel_delta = 0;
  level::edit_state.drawn_segment_limit = 16;
}

void EnterEditMode() {
  SetEditItemText("&End Edit");
  mouse.buttons = 0;
  level::edit_state.drawn_segment_limit = 1;
  level::edit_state.current_point = 0;
  editor.editor_mode = kEditMode;
  level::DeriveSegment(level::CurrentShape(), 1);
  mouse.wheel_delta = 0;
}

}  // namespace app
