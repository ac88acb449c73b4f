#include "resources/menus.h"

#include "resources/command_ids.h"

namespace resources {
namespace {

using Item = MenuTemplateItem;

constexpr Item Command(int id, std::string_view text, bool grayed = false, bool checked = false) {
  return {Item::kCommand, id, text, grayed, checked, {}};
}
constexpr Item Separator() {
  return {Item::kSeparator, 0, {}, false, false, {}};
}
constexpr Item Submenu(std::string_view text, std::span<const Item> items) {
  return {Item::kSubmenu, 0, text, false, false, items};
}

constexpr Item kFileMenu[] = {
    Command(kLoadRom, "&Load ROM ..."),
    Command(kLoadTld, "Load &TLD File ..."),
    Command(kSaveRom, "&Save ROM ...", /*grayed=*/true),
    Command(kSaveTld, "Sa&ve TLD File ...", /*grayed=*/true),
    Separator(),
    Command(kHackArcadeHits, "Hack '&Atari Arcade Hits'...", /*grayed=*/true),
    Separator(),
    Command(kEditColours, "Edit &Colours..."),
    Command(kEditText, "&Edit Text..."),
    Separator(),
    Command(kExit, "E&xit"),
};

constexpr Item kEditMenu[] = {
    Command(kSelectLevel, "&Select Level"),
    Separator(),
    Command(kUndo, "&Undo"),
    Command(kCopy, "&Copy"),
    Command(kPaste, "&Paste", /*grayed=*/true),
    Separator(),
    Command(kEditLevel, "&Edit Level"),
    Command(kNewLevel, "&New Level"),
    Separator(),
    Command(kOpen, "&Open"),
    Command(kClosed, "C&losed"),
};

constexpr Item kFlipMenu[] = {
    Command(kFlipVertically, "&Vertically"),
    Command(kFlipHorizontally, "&Horizontally"),
};

constexpr Item kRotateMenu[] = {
    Command(kRotate22_5, "&22.5"), Command(kRotate45, "&45"),   Command(kRotate90, "&90"),
    Command(kRotate180, "&180"),   Command(kRotate270, "2&70"),
};

constexpr Item kScaleMenu[] = {
    Command(kScalePoints, "Scale &Points..."),
    Command(kScaleLevel, "Scale &Level..."),
};

constexpr Item kKaleidoscopeMenu[] = {
    Command(kOneAxisRotate, "&1-Axis Rotate"),
    Command(kTwoAxisRotate, "&2-Axis Rotate"),
    Separator(),
    Command(kOneAxisMirror, "1-Axis &Mirror"),
    Command(kTwoAxisMirror, "2-A&xis Mirror"),
};

constexpr Item kToolsMenu[] = {
    Submenu("&Flip", kFlipMenu),
    Command(kCentre, "&Centre"),
    Submenu("&Rotate", kRotateMenu),
    Submenu("&Scale", kScaleMenu),
    Command(kReverse, "Re&verse"),
    Submenu("&Kaleidoscope", kKaleidoscopeMenu),
    Separator(),
    Command(kSetAngleStep, "Set &Angle Step..."),
    Command(kBend, "&Bend", /*grayed=*/false, /*checked=*/true),
};

constexpr Item kDisplayMenu[] = {
    Command(kView3D, "&3D View", false, true),
    Command(kView2D, "&2D View"),
    Separator(),
    Command(kRomValues, "&ROM Values", false, true),
    Command(kAccurateValues, "&Accurate Values"),
    Separator(),
    Command(kSafeFrame, "Safe &Frame", false, true),
    Command(kBoundingBox, "&Bounding Box", false, true),
    Command(kClaw, "&Claw", false, true),
};

constexpr Item kHelpMenu[] = {
    Command(kReadMe, "ReadMe"),
    Command(kAbout, "&About Rimforge"),
};

constexpr Item kMainMenu[] = {
    Submenu("&File", kFileMenu),       Submenu("&Edit", kEditMenu), Submenu("&Tools", kToolsMenu),
    Submenu("&Display", kDisplayMenu), Submenu("&Help", kHelpMenu),
};

constexpr Item kPopupItems[] = {
    Command(kUndo, "&Undo"),
    Separator(),
    Command(kCopy, "&Copy"),
    Command(kPaste, "&Paste", /*grayed=*/true),
    Separator(),
    Command(kEditLevel, "&Edit Level"),
    Separator(),
    Submenu("&Flip", kFlipMenu),
    Command(kCentre, "Ce&ntre"),
    Submenu("&Rotate", kRotateMenu),
    Submenu("&Scale", kScaleMenu),
    Command(kReverse, "Re&verse"),
    Submenu("&Kaleidoscope", kKaleidoscopeMenu),
    Separator(),
    Command(kSetAngleStep, "Set &Angle Step..."),
    Command(kBend, "&Bend", /*grayed=*/false, /*checked=*/true),
};

constexpr Item kPopupMenu[] = {
    Submenu("PopUp!", kPopupItems),
};

}  // namespace

std::span<const MenuTemplateItem> MainMenuTemplate() {
  return kMainMenu;
}
std::span<const MenuTemplateItem> PopupMenuTemplate() {
  return kPopupMenu;
}

}  // namespace resources
