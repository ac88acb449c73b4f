#include "hosts/qt/message_box.h"

#include <QMessageBox>

#include "hosts/qt/text_codec.h"

namespace hosts::qt {
namespace {

constexpr UINT kButtonsMask = 0x000F;
constexpr UINT kIconMask = 0x00F0;

QMessageBox::Icon IconFor(UINT type) {
  switch (type & kIconMask) {
    case MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

int RunMessageBox(QWidget* owner, std::string_view text, std::string_view caption, UINT type) {
  QMessageBox box(IconFor(type), FromWindows1252(caption), FromWindows1252(text),
                  QMessageBox::NoButton, owner);
  switch (type & kButtonsMask) {
    case MB_OKCANCEL:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
    case MB_YESNO:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Ok);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok:
      return IDOK;
    case QMessageBox::Yes:
      return IDYES;
    case QMessageBox::No:
      return IDNO;
    default:
      // A box closed without a button: its cancelling answer.
      return (type & kButtonsMask) == MB_OK ? IDOK
                                            : ((type & kButtonsMask) == MB_YESNO ? IDNO : IDCANCEL);
  }
}

}  // namespace hosts::qt
