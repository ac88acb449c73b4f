#include "hosts/win32/text_codec.h"

#include <windows.h>

namespace hosts::win32 {
namespace {

constexpr UINT kWindows1252 = 1252;

}  // namespace

std::wstring FromWindows1252(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(kWindows1252, 0, text.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(kWindows1252, 0, text.data(), size, wide.data(),
                      static_cast<int>(wide.size()));
  return wide;
}

// Characters that Windows-1252 lacks become '?', as the narrow calls of Windows would make them.
std::string ToWindows1252(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::string narrow(static_cast<std::size_t>(WideCharToMultiByte(
                         kWindows1252, 0, text.data(), size, nullptr, 0, nullptr, nullptr)),
                     '\0');
  WideCharToMultiByte(kWindows1252, 0, text.data(), size, narrow.data(),
                      static_cast<int>(narrow.size()), nullptr, nullptr);
  return narrow;
}

}  // namespace hosts::win32
