#include "hosts/win32/icons.h"

#include <optional>

#include "hosts/win32/resource_ids.h"
#include "resources/colour_dialogs.h"
#include "resources/tool_dialogs.h"

namespace hosts::win32 {
namespace {

// The .rc file's numbers are the ones the dialog templates name.
static_assert(RIMFORGE_PROGRAM_ICON == resources::kProgramIconResource);
static_assert(RIMFORGE_LOGO_BITMAP == resources::kLogoBitmapResource);

constexpr int kIconSize = 32;
constexpr int kSwatchBorder = 2;

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
  const std::optional<resources::SwatchRgb> colour = resources::SwatchIconColour(icon_resource);
  if (!colour) return nullptr;
  auto [place, added] = made_.try_emplace(icon_resource, nullptr);
  if (added) place->second = MakeSwatch(RGB(colour->red, colour->green, colour->blue));
  return place->second;
}

}  // namespace hosts::win32
