#include "resources/text_messages_dialog.h"

namespace resources {
namespace {

using platform::ControlKind;
using platform::DialogControl;

constexpr int kUnaddressed = -1;

constexpr DialogControl kControls[] = {
    {kMessageTextEdit, ControlKind::kEdit, 26, 17, 168, 12, "",
     ES_UPPERCASE | ES_AUTOHSCROLL | WS_TABSTOP},
    {kMessageNumberLabel, ControlKind::kLabel, 26, 34, 62, 8, "Message :", 0},
    {kMessageLanguageLabel, ControlKind::kLabel, 91, 34, 102, 8, "Language : English", 0},
    {kUnaddressed, ControlKind::kLabel, 26, 51, 14, 8, "X", 0},
    {kMessageXEdit, ControlKind::kEdit, 44, 49, 57, 13, "", ES_NUMBER | WS_TABSTOP},
    {kUnaddressed, ControlKind::kLabel, 111, 52, 14, 8, "Y", 0},
    {kMessageYEdit, ControlKind::kEdit, 129, 50, 57, 13, "", ES_NUMBER | WS_TABSTOP},
    {kUnaddressed, ControlKind::kLabel, 26, 76, 16, 8, "Col", 0},
    {kMessageColourList, ControlKind::kDropDownList, 44, 74, 57, 74, "", WS_VSCROLL | WS_TABSTOP},
    {kUnaddressed, ControlKind::kLabel, 111, 76, 16, 8, "Size", 0},
    {kMessageSizeList, ControlKind::kDropDownList, 129, 74, 57, 74, "", WS_VSCROLL | WS_TABSTOP},
    {kMessageList, ControlKind::kListBox, 26, 99, 168, 136, "",
     LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP},
    {kTextMessagesOk, ControlKind::kPushButton, 26, 247, 70, 16, "OK", WS_TABSTOP},
    {kTextMessagesCancel, ControlKind::kPushButton, 124, 247, 70, 16, "Cancel", WS_TABSTOP},
};

constexpr platform::DialogTemplate kTemplate{kTextMessagesDialogId, 220, 286,      "Text Messages",
                                             "MS Sans Serif",       8,   kControls};

}  // namespace

const platform::DialogTemplate& TextMessagesDialog() {
  return kTemplate;
}

}  // namespace resources
