// The About box: the program's icon, its logo and its version.
#pragma once

namespace level {

// The About Rimforge command.
void ShowAbout();

}  // namespace level
