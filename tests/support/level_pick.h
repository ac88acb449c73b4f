// Opening a level for editing as a person does: the mouse over its cell in level select, then a
// left click.
#pragma once

#include "support/fake_host.h"

namespace testing_support {

// The client point in the middle of a level's cell of level select, at zoom 1.
POINT LevelCellCentre(int level_index);

// Picks the level in level select (the editor must be there, e.g. after a load) and lets the
// button go again; the editor is then in view mode on that level.
void PickLevel(FakeHost& host, int level_index);

}  // namespace testing_support
