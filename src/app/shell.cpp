#include "app/shell.h"

#include "app/menu_state.h"
#include "app/view_flags.h"
#include "app/window_geometry.h"
#include "files/arcade_hits.h"
#include "files/colours.h"
#include "files/level_rom_file.h"
#include "files/text_messages.h"
#include "files/text_rom.h"
#include "gfx/frame_buffer.h"
#include "level/edit_state.h"
#include "level/interactive_input.h"
#include "level/level_store.h"
#include "level/scale_points_dialog.h"
#include "platform/host.h"
#include "render/intro.h"
#include "render/level_select.h"
#include "render/tube_view.h"

namespace app {
namespace {

constexpr std::uint32_t kFrameMilliseconds = 16;

}  // namespace

void ResetEditor() {
  editor = EditorState{};
  mouse = MouseState{};
  view_flags = ViewFlags{};
  level::ResetLevelStore();
  level::ResetEditState();
  level::ResetScalePointsDialog();
  files::ResetLevelRomFile();
  files::ResetArcadeHits();
  files::ResetTextRom();
  files::ResetTextMessages();
  files::ResetColours();
  render::ResetLevelSelect();
  render::ResetIntro();
  render::ResetTubeView();
}

void StartEditor() {
  gfx::CreateFrameBuffer();
  gfx::BuildPalette();
  InitMenus();
  InitEditorState();
}

void InitEditorState() {
  level::InitLevelTable();
  editor.angle_step = 15.0;
  editor.current_level = kNoLevel;
  DisableEditMenus();
  editor.editor_mode = kIntroMode;
}

void RunFrame() {
  platform::Host& host = platform::CurrentHost();
  host.BlitFrame();
  gfx::ClearFrameBuffer();
  switch (editor.editor_mode) {
    case kViewMode:
    case kEditMode: {
      const int shape = level::CurrentShape();
      render::DrawTube(shape);
      if (host.IsMainWindowForeground()) {
        if (editor.editor_mode == kViewMode) {
          level::ViewModeInput(shape);
        } else {
          level::EditModeInput(shape);
        }
      }
      break;
    }
    case kLevelSelectMode:
      render::DrawLevelSelect();
      break;
    case kIntroMode:
      render::DrawIntro();
      break;
    default:
      break;
  }
  host.WaitUntilElapsed(editor.last_frame_time, kFrameMilliseconds);
  editor.last_frame_time = host.TimeGetTime();
}

void SetZoom(double zoom) {
  if (zoom > 1.0) zoom = 1.0;
  editor.zoom_factor = zoom;
  const Size client = ClientSizeForZoom(zoom);
  platform::CurrentHost().SetClientSize(client.width, client.height);
}

void ConfirmExit() {
  platform::Host& host = platform::CurrentHost();
  if (host.ShowMessageBox("Exit Rimforge?", "Rimforge", MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
    host.DestroyMainWindow();
  }
}

}  // namespace app
