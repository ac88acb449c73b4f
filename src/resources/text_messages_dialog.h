// The Text Messages dialog (105): the text, number, language, position, colour and size of the
// selected message above the list of all 120 messages.
#pragma once

#include "platform/dialog_template.h"

namespace resources {

constexpr int kTextMessagesDialogId = 105;

constexpr int kMessageTextEdit = 1000;
constexpr int kMessageNumberLabel = 1029;  // "Message : %d"
constexpr int kMessageLanguageLabel = 1008;
constexpr int kMessageXEdit = 1004;
constexpr int kMessageYEdit = 1005;
constexpr int kMessageColourList = 1038;
constexpr int kMessageSizeList = 1037;
constexpr int kMessageList = 1014;
constexpr int kTextMessagesOk = 1001;
constexpr int kTextMessagesCancel = 1003;

const platform::DialogTemplate& TextMessagesDialog();

}  // namespace resources
