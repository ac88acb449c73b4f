#include "app/commands.h"

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "app/menu_state.h"
#include "app/modes.h"
#include "app/shell.h"
#include "app/view_flags.h"
#include "files/level_rom_file.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "platform/host.h"
#include "resources/command_ids.h"

namespace app {
namespace {

using namespace resources;

// Edit Level ends an edit, or in view mode re-lays the existing shape with all its segments.
void EditLevelCommand() {
  if (editor.editor_mode != kViewMode) {
    EnterViewMode();
    return;
  }
  EnterEditMode();
  level::edit_state.drawn_segment_limit = 15;
  level::edit_state.current_point = 0;
  level::DeriveSegment(level::CurrentShape(), 1);
}

void ToggleBend() {
  view_flags.bend = 1 - view_flags.bend;
  const UINT state = view_flags.bend == 1 ? MFS_CHECKED : MFS_UNCHECKED;
  SetMenuItemState(MainMenu(), kBend, state);
  SetMenuItemState(PopupMenu(), kBend, state);
}

void SelectRadio(std::int32_t& flag, std::int32_t value, int first, int last, int chosen) {
  flag = value;
  CheckMenuRadioItem(MainMenu(), first, last, chosen);
}

}  // namespace

void DispatchCommand(WPARAM wParam) {
  const int id = static_cast<int>(LOWORD(wParam));
  switch (id) {
    case kLoadRom:
      files::LoadLevelRom();
      break;
    case kSaveRom:
      files::SaveLevelRom();
      break;
    case kExit:
      ConfirmExit();
      break;
    case kSelectLevel:
      EnterLevelSelect();
      break;
    case kUndo:
      level::UndoShape();
      break;
    case kCopy:
      level::CopyShape();
      break;
    case kPaste:
      level::PasteShape();
      break;
    case kEditLevel:
      EditLevelCommand();
      break;
    case kNewLevel:
      EnterEditMode();
      break;
    case kOpen:
      level::SetOpen();
      break;
    case kClosed:
      level::SetClosed();
      break;
    case kBend:
      ToggleBend();
      break;
    case kView3D:
      SelectRadio(view_flags.view_2d, 0, kView3D, kView2D, kView3D);
      break;
    case kView2D:
      SelectRadio(view_flags.view_2d, 1, kView3D, kView2D, kView2D);
      break;
    case kRomValues:
      SelectRadio(view_flags.rom_values, 1, kRomValues, kAccurateValues, kRomValues);
      break;
    case kAccurateValues:
      SelectRadio(view_flags.rom_values, 0, kRomValues, kAccurateValues, kAccurateValues);
      break;
    case kSafeFrame:
      ToggleFlag(view_flags.safe_frame, kSafeFrame);
      break;
    case kBoundingBox:
      ToggleFlag(view_flags.bounding_box, kBoundingBox);
      break;
    case kClaw:
      ToggleFlag(view_flags.claw, kClaw);
      break;
    case kReadMe:
      platform::CurrentHost().OpenReadMe();
      break;
    default:
      // Identifiers without a command, and the commands of features not yet built.
      break;
  }
}

}  // namespace app
