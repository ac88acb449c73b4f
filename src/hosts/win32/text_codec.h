// Texts between the editor and Windows: the editor's texts are in Windows-1252, the wide
// (UTF-16) calls of Windows take them converted. Paths go through platform/file_system.h.
#pragma once

#include <string>
#include <string_view>

namespace hosts::win32 {

std::wstring FromWindows1252(std::string_view text);
std::string ToWindows1252(std::wstring_view text);

}  // namespace hosts::win32
