// Results compared with the files kept in tests/golden/: a frame as a picture, or a text such as
// a transcript of steps and what each left. A difference fails the test, says where it
// starts and leaves the new result (for a picture also the differences in red) in the build
// folder; running the tests with RIMFORGE_UPDATE_GOLDEN=1 rewrites the kept files on purpose.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace testing_support {

void ExpectGoldenFrame(const std::string& name, std::span<const std::uint8_t> frame);
void ExpectGoldenText(const std::string& name, const std::string& text);

}  // namespace testing_support
