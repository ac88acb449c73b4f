// The fixture of every test that drives the editor: a fresh editor in its start state on a fake
// host, a temporary folder for files, and the steps a person takes most often.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/menu_model.h"
#include "app/shell.h"
#include "platform/host.h"
#include "support/builders.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace testing_support {

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetHost(&host);
    app::ResetEditor();
    app::StartEditor();
  }
  void TearDown() override { platform::SetHost(nullptr); }

  // A menu command, handled at once.
  void Choose(int id) {
    host.ChooseMenuItem(id);
    host.HandleMessages();
  }
  // A menu command that starts with a file dialog, answered with `path` (nothing: cancelled).
  void ChooseFile(int id, std::optional<std::string> path) {
    host.AnswerFileDialog(std::move(path));
    Choose(id);
  }
  // Writes `bytes` as `name` into the temporary folder and opens it with the command.
  void Load(int id, const Bytes& bytes, const std::string& name) {
    ChooseFile(id, temp.Write(name, bytes));
  }
  // A command that opens the file at `path` and runs the dialog `dialog_id` on it ("&Edit
  // Text...", "Edit &Colours...", "Hack 'Atari Arcade Hits'..."): the person acts in the dialog,
  // and `save` answers the save dialog that follows when there is one (an empty answer cancels).
  using FileAnswer = std::optional<std::string>;
  void EditData(int id, int dialog_id, const std::string& path,
                std::function<void(FakeDialog&)> person, std::optional<FileAnswer> save = {}) {
    host.AnswerFileDialog(path);
    host.ActInDialog(dialog_id, std::move(person));
    if (save) host.AnswerFileDialog(*save);
    Choose(id);
  }

  // Does what the script says, as a person would. Steps are separated by commas:
  //   hold KEYS [FRAMES]   keys (joined by +, letters as themselves: "UP+LEFT", "Z") held for
  //                        FRAMES frames, then let go; tap KEY [TIMES] for presses of a
  //                        frame each; down KEY and up KEY for one key alone
  //   menu PATH, popup PATH   the item reached through these texts less their &s, e.g.
  //                        "Tools/Rotate/90"
  //   move X Y [BUTTONS], press BUTTONS X Y, release BUTTON X Y   the mouse (buttons L, M, R,
  //                        S for Shift); wheel NOTCHES...; size WIDTH HEIGHT; send move, paint
  //                        or close. A script that sends such messages ends with a frame.
  //   pick LEVEL           as PickLevel
  //   frames N; behind, front: another window in front of the editor, or not
  //   angle TEXT, level TEXT, scale X [Y]   Set Angle Step, Scale Level or Scale Points, the
  //                        text typed and OK clicked (then Cancel, if the dialog refused it);
  //                        shown_in_dialog keeps what the dialog showed on opening
  void Act(const std::string& script);
  // Acts each script in turn and compares "SCRIPT: STATE" after each with the transcript kept
  // as `name` in tests/golden/.
  void ExpectScripts(const std::string& name, const std::vector<std::string>& scripts,
                     const std::function<std::string()>& state);

  // The middle of a level's cell in level select, in client pixels at zoom 1.
  static POINT Cell(int level_index) {
    return {68 + 128 * (level_index % 4), 128 + 128 * (level_index / 4)};
  }
  // In level select: the button that closed the file dialog goes up, the mouse comes to the
  // level's cell and clicks it. The editor is then in view mode on that level.
  void PickLevel(int level_index) {
    const POINT cell = Cell(level_index);
    const std::string at = std::to_string(cell.x) + " " + std::to_string(cell.y);
    Act("release L " + at + ", move " + at);
    Act("press L " + at + ", release L " + at);
    ASSERT_EQ(app::editor.editor_mode, app::kViewMode);
    ASSERT_EQ(app::editor.current_level, level_index);
  }

  // Exactly one message box was shown: a warning with this text.
  void ExpectOnlyMessage(const std::string& text) {
    ASSERT_EQ(host.message_boxes.size(), 1u);
    EXPECT_EQ(host.message_boxes[0].text, text);
    EXPECT_EQ(host.message_boxes[0].caption, "Rimforge");
    EXPECT_EQ(host.message_boxes[0].type, MB_OK | MB_ICONEXCLAMATION);
  }

  // Every ROM value is its accurate coordinate rounded half up and kept to 0..255, NaN as 0.
  static void ExpectRomValuesRounded();

  static const app::MenuItem& MainItem(int id) { return *app::FindMenuItem(app::MainMenu(), id); }
  static bool Grayed(int id) { return MainItem(id).grayed; }

  FakeHost host;
  TempDir temp;
  std::string shown_in_dialog;
};

}  // namespace testing_support
