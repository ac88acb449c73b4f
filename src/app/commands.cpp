#include "app/commands.h"

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "app/menu_state.h"
#include "app/modes.h"
#include "app/shell.h"
#include "app/view_flags.h"
#include "files/arcade_hits.h"
#include "files/colours.h"
#include "files/level_file.h"
#include "files/level_rom_file.h"
#include "files/text_messages.h"
#include "level/about_dialog.h"
#include "level/edit_state.h"
#include "level/geometry_tools.h"
#include "level/kaleidoscope.h"
#include "level/level_store.h"
#include "level/number_dialog.h"
#include "level/scale_points_dialog.h"
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
    case kLoadTld:
      files::LoadLevelFile();
      break;
    case kSaveTld:
      files::SaveLevelFile();
      break;
    case kHackArcadeHits:
      files::HackArcadeHits();
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
    case kFlipVertically:
      level::FlipVertical();
      break;
    case kFlipHorizontally:
      level::FlipHorizontal();
      break;
    case kCentre:
      level::CentreShape();
      break;
    case kRotate22_5:
      level::RotateShape(22.5);
      break;
    case kRotate45:
      level::RotateShape(45.0);
      break;
    case kRotate90:
      level::RotateShape(90.0);
      break;
    case kRotate180:
      level::RotateShape(180.0);
      break;
    case kRotate270:
      level::RotateShape(270.0);
      break;
    case kScalePoints:
      level::ScalePoints();
      break;
    case kScaleLevel:
      level::EditLevelScale();
      break;
    case kReverse:
      level::ReverseShape();
      break;
    case kOneAxisRotate:
      level::OneAxisRotate();
      break;
    case kTwoAxisRotate:
      level::TwoAxisRotate();
      break;
    case kOneAxisMirror:
      level::OneAxisMirror();
      break;
    case kTwoAxisMirror:
      level::TwoAxisMirror();
      break;
    case kSetAngleStep:
      level::EditAngleStep();
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
    case kAbout:
      level::ShowAbout();
      break;
    case kEditColours:
      files::EditColours();
      break;
    case kEditText:
      files::EditTextMessages();
      break;
    default:
      // Identifiers without a command, and the commands of features not yet built.
      break;
  }
}

}  // namespace app
