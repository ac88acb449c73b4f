#include "hosts/qt/key_table.h"

#include "platform/win32_names.h"

namespace hosts::qt {
namespace {

// Virtual keys that the editor itself does not name.
constexpr int kVkTab = 0x09;
constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkMenu = 0x12;  // Alt
constexpr int kVkPause = 0x13;
constexpr int kVkCapital = 0x14;
constexpr int kVkEscape = 0x1B;
constexpr int kVkNumpad0 = 0x60;
constexpr int kVkMultiply = 0x6A;
constexpr int kVkDecimal = 0x6E;
constexpr int kVkDivide = 0x6F;
constexpr int kVkOemPlus = 0xBB;
constexpr int kVkOemComma = 0xBC;
constexpr int kVkOemMinus = 0xBD;
constexpr int kVkOemPeriod = 0xBE;

// Keys that mean the same on the keypad (with NumLock off) and on the main block.
int NavigationKey(int qt_key) {
  switch (qt_key) {
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Delete:
      return VK_DELETE;
    case Qt::Key_Enter:
    case Qt::Key_Return:
      return VK_RETURN;
    default:
      return 0;
  }
}

int KeypadKey(int qt_key) {
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) return kVkNumpad0 + (qt_key - Qt::Key_0);
  switch (qt_key) {
    case Qt::Key_Plus:
      return VK_ADD;
    case Qt::Key_Minus:
      return VK_SUBTRACT;
    case Qt::Key_Asterisk:
      return kVkMultiply;
    case Qt::Key_Slash:
      return kVkDivide;
    case Qt::Key_Period:
    case Qt::Key_Comma:
      return kVkDecimal;
    default:
      return NavigationKey(qt_key);
  }
}

int MainBlockKey(int qt_key) {
  if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) || (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9))
    return qt_key;  // letters and digits share their codes with Qt
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24) return VK_F1 + (qt_key - Qt::Key_F1);
  switch (qt_key) {
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return kVkTab;
    case Qt::Key_Escape:
      return kVkEscape;
    case Qt::Key_Menu:
      return VK_APPS;
    case Qt::Key_Shift:
      return kVkShift;
    case Qt::Key_Control:
      return kVkControl;
    case Qt::Key_Alt:
      return kVkMenu;
    case Qt::Key_Pause:
      return kVkPause;
    case Qt::Key_CapsLock:
      return kVkCapital;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      return kVkOemPlus;
    case Qt::Key_Minus:
      return kVkOemMinus;
    case Qt::Key_Comma:
      return kVkOemComma;
    case Qt::Key_Period:
      return kVkOemPeriod;
    default:
      return NavigationKey(qt_key);
  }
}

quint64 PhysicalKey(int virtual_key, quint32 scan_code) {
  return scan_code != 0 ? (quint64{1} << 32) | scan_code : static_cast<quint64>(virtual_key);
}

}  // namespace

int VirtualKeyFromQt(int qt_key, Qt::KeyboardModifiers modifiers) {
  return modifiers.testFlag(Qt::KeypadModifier) ? KeypadKey(qt_key) : MainBlockKey(qt_key);
}

void KeyTable::Press(int qt_key, Qt::KeyboardModifiers modifiers, quint32 scan_code) {
  const int virtual_key = VirtualKeyFromQt(qt_key, modifiers);
  if (virtual_key == 0) return;
  held_[PhysicalKey(virtual_key, scan_code)] = virtual_key;
  keys_[static_cast<std::size_t>(virtual_key)] = {true, true};
}

void KeyTable::Release(int qt_key, Qt::KeyboardModifiers modifiers, quint32 scan_code) {
  int virtual_key = VirtualKeyFromQt(qt_key, modifiers);
  const auto held = held_.find(PhysicalKey(virtual_key, scan_code));
  if (held != held_.end()) {
    virtual_key = held->second;
    held_.erase(held);
  }
  if (virtual_key == 0) return;
  // A press that nobody polled yet still counts once.
  keys_[static_cast<std::size_t>(virtual_key)].down = false;
}

void KeyTable::ReleaseAll() {
  keys_.fill({});
  held_.clear();
}

std::int16_t KeyTable::Poll(int virtual_key) {
  if (virtual_key < 0 || virtual_key > 255) return 0;
  KeyState& key = keys_[static_cast<std::size_t>(virtual_key)];
  std::uint16_t state = key.down ? 0x8000 : 0;
  if (key.pressed) state |= 0x0001;
  key.pressed = false;
  return static_cast<std::int16_t>(state);
}

}  // namespace hosts::qt
