#include "app/view_flags.h"

namespace app {

ViewFlags view_flags;

}  // namespace app
