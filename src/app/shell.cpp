#include "app/shell.h"

#include "app/menu_state.h"
#include "app/view_flags.h"
#include "app/window_geometry.h"
#include "files/level_rom_file.h"
#include "gfx/frame_buffer.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "platform/host.h"
#include "render/level_select_state.h"

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
  files::ResetLevelRomFile();
  render::marked_level = render::kNoMarkedLevel;
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
      static_cast<void>(shape);
      break;
    }
    case kLevelSelectMode:
      break;
    case kIntroMode:
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
