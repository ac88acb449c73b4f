#include "app/editor_state.h"

namespace app {

EditorState editor;
MouseState mouse;

}  // namespace app
