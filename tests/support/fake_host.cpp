#include "support/fake_host.h"

#include <gtest/gtest.h>

#include "app/menu_model.h"
#include "app/shell.h"
#include "gfx/frame_buffer.h"

namespace testing_support {
namespace {

LPARAM Position(int x, int y) {
  return MAKELPARAM(static_cast<unsigned>(x), static_cast<unsigned>(y));
}

// Whether a person can reach the item: it and every menu on the way to it are enabled.
bool ReachableAndEnabled(const app::Menu& menu, int id) {
  for (const app::MenuItem& item : menu.items) {
    if (item.kind == resources::MenuTemplateItem::kCommand && item.id == id) return !item.grayed;
    if (item.submenu && !item.grayed && ReachableAndEnabled(*item.submenu, id)) return true;
  }
  return false;
}

}  // namespace

void FakeHost::HoldKey(int virtual_key) {
  keys_[virtual_key] = {true, true};
}

void FakeHost::ReleaseKey(int virtual_key) {
  keys_[virtual_key] = {false, false};
}

void FakeHost::ActInDialog(int template_id, std::function<void(FakeDialog&)> person) {
  dialog_people_.emplace_back(template_id, std::move(person));
}

void FakeHost::Post(UINT message, WPARAM wParam, LPARAM lParam) {
  queue_.push_back({message, wParam, lParam});
}

void FakeHost::MoveMouse(int x, int y, UINT buttons) {
  Post(WM_MOUSEMOVE, buttons, Position(x, y));
}

void FakeHost::PressButton(UINT down_message, int x, int y, UINT buttons) {
  Post(down_message, buttons, Position(x, y));
}

void FakeHost::ReleaseButton(UINT up_message, int x, int y) {
  Post(up_message, 0, Position(x, y));
}

void FakeHost::TurnWheel(int notches) {
  Post(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<unsigned>(notches * WHEEL_DELTA)));
}

void FakeHost::ChooseMenuItem(int id) {
  EXPECT_TRUE(ReachableAndEnabled(app::MainMenu(), id))
      << "menu item " << id << " is greyed or missing in the main menu";
  Post(WM_COMMAND, static_cast<WPARAM>(id));
}

void FakeHost::ChoosePopupItem(int id) {
  EXPECT_TRUE(ReachableAndEnabled(*app::GetSubMenu(app::PopupMenu(), 0), id))
      << "menu item " << id << " is greyed or missing in the popup menu";
  Post(WM_COMMAND, static_cast<WPARAM>(id));
}

void FakeHost::HandleMessages() {
  while (!queue_.empty()) {
    const PostedMessage posted = queue_.front();
    queue_.pop_front();
    app::MainWindowProc(posted.message, posted.wParam, posted.lParam);
  }
}

void FakeHost::RunFrames(int frames) {
  for (int i = 0; i < frames; ++i) {
    HandleMessages();
    app::RunFrame();
  }
}

void FakeHost::WaitUntilElapsed(std::uint32_t since, std::uint32_t milliseconds) {
  waits.emplace_back(since, milliseconds);
  const std::uint32_t elapsed = now - since;
  if (elapsed < milliseconds) now += milliseconds - elapsed;
}

std::int16_t FakeHost::GetAsyncKeyState(int virtual_key) {
  KeyState& key = keys_[virtual_key];
  const auto state = static_cast<std::uint16_t>((key.down ? 0x8000 : 0) | (key.pressed ? 1 : 0));
  key.pressed = false;
  return static_cast<std::int16_t>(state);
}

void FakeHost::BlitFrame() {
  ++blits;
  screen.assign(gfx::FrameBuffer(), gfx::FrameBuffer() + gfx::kFrameSize);
}

void FakeHost::DestroyMainWindow() {
  window_destroyed = true;
  Post(WM_DESTROY);
}

void FakeHost::TrackPopupMenu(POINT screen_point) {
  popup_points.push_back(screen_point);
  if (popup_answers_.empty()) return;
  const std::optional<int> command = popup_answers_.front();
  popup_answers_.pop_front();
  if (command) ChoosePopupItem(*command);
}

int FakeHost::ShowMessageBox(std::string_view text, std::string_view caption, UINT type) {
  message_boxes.push_back({std::string(text), std::string(caption), type});
  if (!message_box_answers_.empty()) {
    const int answer = message_box_answers_.front();
    message_box_answers_.pop_front();
    return answer;
  }
  if ((type & 0xF) == MB_OK) return IDOK;
  ADD_FAILURE() << "unanswered question: " << text;
  return (type & 0xF) == MB_YESNO ? IDNO : IDCANCEL;
}

std::optional<std::string> FakeHost::AnswerFile(bool save,
                                                const platform::FileDialogRequest& request) {
  file_dialogs.push_back({save, request});
  if (file_answers_.empty()) {
    ADD_FAILURE() << "unanswered file dialog: " << request.title;
    return std::nullopt;
  }
  std::optional<std::string> answer = file_answers_.front();
  file_answers_.pop_front();
  return answer;
}

INT_PTR FakeHost::RunModalDialog(const platform::DialogTemplate& dialog_template,
                                 platform::Dialog* /*owner*/, platform::DialogProc procedure) {
  dialogs_run.push_back(dialog_template.id);
  FakeDialog dialog(dialog_template, procedure);
  dialog.Send(WM_INITDIALOG);
  if (dialog_people_.empty() || dialog_people_.front().first != dialog_template.id) {
    ADD_FAILURE() << "nobody acts in dialog " << dialog_template.id;
    return -1;
  }
  auto person = std::move(dialog_people_.front().second);
  dialog_people_.pop_front();
  person(dialog);
  EXPECT_TRUE(dialog.HasEnded()) << "dialog " << dialog_template.id << " was left open";
  return dialog.Result();
}

}  // namespace testing_support
