#include "support/fake_host.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "app/menu_model.h"
#include "app/shell.h"
#include "gfx/frame_buffer.h"

namespace testing_support {
namespace {

// Whether a person can reach the item: it and every menu on the way to it are enabled.
bool ReachableAndEnabled(const app::Menu& menu, int id) {
  for (const app::MenuItem& item : menu.items) {
    if (item.kind == resources::MenuTemplateItem::kCommand && item.id == id) return !item.grayed;
    if (item.submenu && !item.grayed && ReachableAndEnabled(*item.submenu, id)) return true;
  }
  return false;
}

// The next answer of a queue, or (with a failure) `otherwise` when none is left.
template <typename Answer>
Answer Next(std::deque<Answer>& answers, Answer otherwise, const std::string& question) {
  if (answers.empty()) {
    ADD_FAILURE() << "unanswered: " << question;
    return otherwise;
  }
  Answer answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

void FakeHost::ChooseMenuItem(int id, bool popup) {
  const app::Menu& menu = popup ? *app::GetSubMenu(app::PopupMenu(), 0) : app::MainMenu();
  EXPECT_TRUE(ReachableAndEnabled(menu, id)) << "menu item " << id << " is greyed";
  Post(WM_COMMAND, static_cast<WPARAM>(id));
}

void FakeHost::HandleMessages() {
  while (!queue_.empty()) {
    const auto [message, wParam, lParam] = queue_.front();
    queue_.pop_front();
    app::MainWindowProc(message, wParam, lParam);
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
  if (now - since < milliseconds) now = since + milliseconds;
}

std::int16_t FakeHost::GetAsyncKeyState(int virtual_key) {
  auto& [down, pressed] = keys_[virtual_key];
  const auto state = static_cast<std::uint16_t>((down ? 0x8000 : 0) | (pressed ? 1 : 0));
  pressed = false;
  return static_cast<std::int16_t>(state);
}

void FakeHost::BlitFrame() {
  ++blits;
  screen.assign(gfx::FrameBuffer(), gfx::FrameBuffer() + gfx::kFrameSize);
}

void FakeHost::TrackPopupMenu(POINT screen_point) {
  popup_points.push_back(screen_point);
  if (popup_answers_.empty()) return;
  if (const std::optional<int> command = Next(popup_answers_, {}, ""))
    ChooseMenuItem(*command, true);
}

int FakeHost::ShowMessageBox(std::string_view text, std::string_view caption, UINT type) {
  message_boxes.push_back({std::string(text), std::string(caption), type});
  if (box_answers_.empty() && (type & 0xF) == MB_OK) return IDOK;
  return Next(box_answers_, (type & 0xF) == MB_YESNO ? IDNO : IDCANCEL, std::string(text));
}

std::optional<std::string> FakeHost::AnswerFile(bool save,
                                                const platform::FileDialogRequest& request) {
  file_dialogs.emplace_back(save, request);
  return Next(file_answers_, {}, request.title);
}

std::string FakeHost::FileDialogsShown() const {
  std::string lines;
  for (const auto& [save, shown] : file_dialogs) {
    lines += std::string(save ? "save | " : "open | ") + shown.title + " | " +
             shown.filter_description + " | " + shown.filter_pattern + " | " +
             shown.default_extension + " | ";
    char flags[16];
    std::snprintf(flags, sizeof flags, "%#x\n", shown.flags);
    lines += flags;
  }
  return lines;
}

INT_PTR FakeHost::RunModalDialog(const platform::DialogTemplate& dialog_template,
                                 platform::Dialog* /*owner*/, platform::DialogProc procedure) {
  dialogs_run.push_back(dialog_template.id);
  FakeDialog dialog(dialog_template, procedure);
  dialog.Send(WM_INITDIALOG);
  if (people_.empty() || people_.front().first != dialog_template.id) {
    ADD_FAILURE() << "nobody acts in dialog " << dialog_template.id;
    return -1;
  }
  Next(people_, {}, "").second(dialog);
  EXPECT_TRUE(dialog.HasEnded()) << "dialog " << dialog_template.id << " was left open";
  return dialog.Result();
}

}  // namespace testing_support
