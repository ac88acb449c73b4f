// A dialog as its resource describes it: size and control places in dialog units, caption,
// font and controls. Hosts build their windows from it; the editor's dialog procedures only
// see the open dialog through platform::Dialog.
#pragma once

#include <span>
#include <string_view>

#include "platform/win32_names.h"

namespace platform {

enum class ControlKind {
  kPushButton,
  kDefaultPushButton,
  kCheckBox,     // automatic check box
  kRadioButton,  // automatic radio button
  kEdit,
  kLabel,  // static text
  kGroupBox,
  kListBox,
  kDropDownList,  // combo box that only offers its list
  kIcon,          // static icon, `image` names the icon resource
  kBitmap,        // static bitmap, `image` names the bitmap resource
};

struct DialogControl {
  int id;  // -1 for controls that are never addressed
  ControlKind kind;
  int x, y, width, height;  // dialog units
  std::string_view text;
  UINT style;     // WS_, ES_, LBS_ bits that matter to the control
  int image = 0;  // icon or bitmap resource for image controls and icon buttons
};

struct DialogTemplate {
  int id;
  int width, height;  // dialog units
  std::string_view caption;
  std::string_view font_name;
  int font_size;
  std::span<const DialogControl> controls;
};

}  // namespace platform
