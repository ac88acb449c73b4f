#include "hosts/win32/icons.h"

#include <optional>

#include "hosts/win32/resource_ids.h"

namespace hosts::win32 {
namespace {

constexpr int kIconSize = 32;
constexpr int kSwatchBorder = 2;

std::optional<COLORREF> SwatchColour(int icon_resource) {
  switch (icon_resource) {
    case 111:
      return RGB(255, 255, 255);
    case 112:
      return RGB(0, 0, 0);
    case 113:
      return RGB(255, 0, 0);
    case 114:
      return RGB(0, 255, 0);
    case 115:
      return RGB(0, 0, 255);
    case 116:
      return RGB(255, 0, 255);
    case 117:
      return RGB(0, 255, 255);
    case 118:
      return RGB(255, 255, 0);
    default:
      return std::nullopt;
  }
}

void Fill(HDC dc, RECT rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

// A square of the colour with a dark border, so that the white swatch does not look like an
// empty button.
HICON MakeSwatch(COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, kIconSize, kIconSize);
  HBITMAP mask = CreateBitmap(kIconSize, kIconSize, 1, 1, nullptr);
  const RECT whole{0, 0, kIconSize, kIconSize};
  HGDIOBJ original = SelectObject(dc, mask);
  Fill(dc, whole, RGB(0, 0, 0));  // every pixel opaque
  SelectObject(dc, picture);
  Fill(dc, whole, RGB(64, 64, 64));
  Fill(dc, {kSwatchBorder, kSwatchBorder, kIconSize - kSwatchBorder, kIconSize - kSwatchBorder},
       colour);
  SelectObject(dc, original);
  ICONINFO info{TRUE, 0, 0, mask, picture};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(picture);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return icon;
}

}  // namespace

Icons::~Icons() {
  for (const auto& [resource, icon] : made_)
    DestroyIcon(icon);
}

HICON Icons::Get(int icon_resource) {
  if (icon_resource == RIMFORGE_PROGRAM_ICON)
    return LoadIconW(instance_, MAKEINTRESOURCEW(RIMFORGE_PROGRAM_ICON));
  const std::optional<COLORREF> colour = SwatchColour(icon_resource);
  if (!colour) return nullptr;
  auto [place, added] = made_.try_emplace(icon_resource, nullptr);
  if (added) place->second = MakeSwatch(*colour);
  return place->second;
}

}  // namespace hosts::win32
