#include "hosts/win32/text_codec.h"

#include <windows.h>

namespace hosts::win32 {
namespace {

constexpr UINT kWindows1252 = 1252;

std::wstring Widen(UINT code_page, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// Characters that Windows-1252 lacks become '?', as the narrow calls of Windows would make them.
std::string Narrow(UINT code_page, std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::string narrow(static_cast<std::size_t>(WideCharToMultiByte(code_page, 0, text.data(), size,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
  WideCharToMultiByte(code_page, 0, text.data(), size, narrow.data(),
                      static_cast<int>(narrow.size()), nullptr, nullptr);
  return narrow;
}

}  // namespace

std::wstring FromWindows1252(std::string_view text) {
  return Widen(kWindows1252, text);
}

std::string ToWindows1252(std::wstring_view text) {
  return Narrow(kWindows1252, text);
}

}  // namespace hosts::win32
