// Texts between the editor and Windows: the editor's texts are in Windows-1252, its paths in
// UTF-8; the wide (UTF-16) calls of Windows take both.
#pragma once

#include <string>
#include <string_view>

namespace hosts::win32 {

std::wstring FromWindows1252(std::string_view text);
std::string ToWindows1252(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);
std::string ToUtf8(std::wstring_view text);

}  // namespace hosts::win32
