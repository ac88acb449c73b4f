// Texts cross the seam to the editor in the Windows-1252 character set (the game's texts use
// 0xBD for one half and 0xA9 for the copyright sign); Qt speaks Unicode.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace hosts::qt {

QString FromWindows1252(std::string_view text);
// Characters that Windows-1252 cannot hold become '?'.
std::string ToWindows1252(const QString& text);

}  // namespace hosts::qt
