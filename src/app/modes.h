// The switches between the editor modes. Each is a plain sequence of assignments that does not
// look at the mode it comes from.
#pragma once

namespace app {

void EnterLevelSelect();
void EnterViewMode();
// Lays the current shape anew from its first segment.
void EnterEditMode();

}  // namespace app
