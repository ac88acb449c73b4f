// The dialog a test acts in: the editor's in-memory dialog, where any step that cannot be done
// (a missing or disabled control, a place beyond a list) fails the test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/memory_dialog.h"

namespace testing_support {

class FakeDialog final : public platform::MemoryDialog {
 public:
  using MemoryDialog::MemoryDialog;

 private:
  void Problem(platform::DialogProblem /*problem*/, const std::string& what) const override {
    ADD_FAILURE() << what;
  }
};

}  // namespace testing_support
