// The state of every key as GetAsyncKeyState reports it: bit 15 while the key is down, bit 0
// when it went down since the previous poll of that key (the poll clears it). Fed from Qt's key
// events, translated to virtual keys with the numeric keypad apart from the main keys.
#pragma once

#include <Qt>
#include <QtGlobal>
#include <array>
#include <cstdint>
#include <map>

namespace hosts::qt {

// The virtual key of a Qt key; 0 for keys the editor has no name for.
int VirtualKeyFromQt(int qt_key, Qt::KeyboardModifiers modifiers);

class KeyTable {
 public:
  // A key event as Qt reports it. `scan_code` identifies the physical key (0 when the platform
  // gives none): its release is matched with its press, because NumLock or Shift may make the
  // two events name different keys.
  void Press(int qt_key, Qt::KeyboardModifiers modifiers, quint32 scan_code);
  void Release(int qt_key, Qt::KeyboardModifiers modifiers, quint32 scan_code);
  // Every key up, as when the window loses the keyboard.
  void ReleaseAll();

  std::int16_t Poll(int virtual_key);

 private:
  struct KeyState {
    bool down = false;
    bool pressed = false;
  };
  std::array<KeyState, 256> keys_{};
  // Physical key (scan code, or the virtual key itself without one) -> virtual key it pressed.
  std::map<quint64, int> held_;
};

}  // namespace hosts::qt
