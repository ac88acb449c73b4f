// Results compared with the files kept in tests/golden/: a frame as a picture, the bytes of a
// file the program wrote, or a text it printed. A difference fails the test, says where it
// starts and leaves the new result (for a picture also the differences in red) in the build
// folder; running the tests with RIMFORGE_UPDATE_GOLDEN=1 rewrites the kept files on purpose.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace testing_support {

void ExpectGoldenFrame(const std::string& name, std::span<const std::uint8_t> frame);
void ExpectGoldenBytes(const std::string& name, const std::vector<std::uint8_t>& bytes);
void ExpectGoldenText(const std::string& name, const std::string& text);

// One step of a transcript: what a person does, and the doing.
struct Step {
  std::string what;
  std::function<void()> act;
};
// Runs the steps and compares what they did, a line "WHAT: STATE" after each, with the
// transcript kept as `name`.
void ExpectTranscript(const std::string& name, const std::vector<Step>& steps,
                      const std::function<std::string()>& state);

}  // namespace testing_support
