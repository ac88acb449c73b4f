// The fixture of every test that drives the editor: a fresh editor in its start state on a fake
// host, and a temporary folder for files.
#pragma once

#include <gtest/gtest.h>

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

  FakeHost host;
  TempDir temp;
};

}  // namespace testing_support
