// The fixture of every test that drives the editor: a fresh editor in its start state on a fake
// host, and a temporary folder for files.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/menu_model.h"
#include "app/shell.h"
#include "platform/host.h"
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

  // Exactly one message box was shown: a warning with this text.
  void ExpectOnlyMessage(const std::string& text) {
    ASSERT_EQ(host.message_boxes.size(), 1u);
    EXPECT_EQ(host.message_boxes[0].text, text);
    EXPECT_EQ(host.message_boxes[0].caption, "Rimforge");
    EXPECT_EQ(host.message_boxes[0].type, MB_OK | MB_ICONEXCLAMATION);
  }

  // Whether an item of the main menu is greyed.
  static bool Grayed(int id) { return app::FindMenuItem(app::MainMenu(), id)->grayed; }

  FakeHost host;
  TempDir temp;
};

}  // namespace testing_support
