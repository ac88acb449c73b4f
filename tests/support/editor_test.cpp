#include "support/editor_test.h"

#include <map>
#include <sstream>

#include "level/level_store.h"
#include "resources/command_ids.h"
#include "resources/tool_dialogs.h"
#include "support/golden.h"

namespace testing_support {
namespace {

int VirtualKey(const std::string& name) {
  static const std::map<std::string, int> named{
      {"LEFT", VK_LEFT},       {"RIGHT", VK_RIGHT},     {"UP", VK_UP},
      {"DOWN", VK_DOWN},       {"SPACE", VK_SPACE},     {"BACK", VK_BACK},
      {"PRIOR", VK_PRIOR},     {"NEXT", VK_NEXT},       {"INSERT", VK_INSERT},
      {"DELETE", VK_DELETE},   {"HOME", VK_HOME},       {"F1", VK_F1},
      {"F2", VK_F2},           {"ADD", VK_ADD},         {"SUBTRACT", VK_SUBTRACT},
      {"NUMPAD4", VK_NUMPAD4}, {"NUMPAD6", VK_NUMPAD6}, {"APPS", VK_APPS}};
  const auto found = named.find(name);
  if (found != named.end()) return found->second;
  EXPECT_EQ(name.size(), 1u) << "no key " << name;
  return name[0];
}

UINT Buttons(const std::string& letters) {
  UINT buttons = 0;
  for (const char letter : letters)
    buttons |= letter == 'L'   ? MK_LBUTTON
               : letter == 'M' ? MK_MBUTTON
               : letter == 'R' ? MK_RBUTTON
                               : MK_SHIFT;
  return buttons;
}

// The menu item reached through these texts, '&'s left out, e.g. "Tools/Rotate/90".
int MenuItemId(const app::Menu& menu, const std::string& path) {
  const std::string first = path.substr(0, path.find('/'));
  for (const app::MenuItem& item : menu.items) {
    std::string text = item.text;
    std::erase(text, '&');
    if (text != first) continue;
    if (first.size() == path.size()) return item.id;
    if (item.submenu) return MenuItemId(*item.submenu, path.substr(first.size() + 1));
  }
  ADD_FAILURE() << "no menu item " << path;
  return 0;
}

}  // namespace

void EditorTest::Act(const std::string& script) {
  std::istringstream steps(script);
  std::string step;
  bool posted = false;  // a message waits for the frame that ends the script
  while (std::getline(steps, step, ',')) {
    std::istringstream words(step);
    std::string verb, what;
    int x = 0, y = 0;
    words >> verb;
    if (verb == "hold") {
      int frames = 1;
      words >> what >> frames;
      std::istringstream keys(what);
      for (std::string key; std::getline(keys, key, '+');)
        host.HoldKey(VirtualKey(key));
      host.RunFrames(frames);
      keys = std::istringstream(what);
      for (std::string key; std::getline(keys, key, '+');)
        host.ReleaseKey(VirtualKey(key));
    } else if (verb == "tap") {
      int times = 1;
      words >> what >> times;
      for (int i = 0; i < times; ++i)
        Act("hold " + what);
    } else if (verb == "down" || verb == "up") {
      words >> what;
      verb == "down" ? host.HoldKey(VirtualKey(what)) : host.ReleaseKey(VirtualKey(what));
    } else if (verb == "menu" || verb == "popup") {
      std::getline(words >> std::ws, what);
      const bool popup = verb == "popup";
      host.ChooseMenuItem(
          MenuItemId(popup ? *app::GetSubMenu(app::PopupMenu(), 0) : app::MainMenu(), what), popup);
      host.HandleMessages();
    } else if (verb == "move" || verb == "press" || verb == "release") {
      if (verb != "move") words >> what;
      words >> x >> y;
      std::string held;
      if (verb == "move") words >> held;
      const UINT button = Buttons(what) & ~MK_SHIFT;
      const UINT message =
          verb == "move"         ? WM_MOUSEMOVE
          : button == MK_LBUTTON ? (verb == "press" ? WM_LBUTTONDOWN : WM_LBUTTONUP)
          : button == MK_MBUTTON ? (verb == "press" ? WM_MBUTTONDOWN : WM_MBUTTONUP)
                                 : (verb == "press" ? WM_RBUTTONDOWN : WM_RBUTTONUP);
      host.Post(message,
                verb == "move"    ? Buttons(held)
                : verb == "press" ? Buttons(what)
                                  : 0,
                MAKELPARAM(static_cast<unsigned>(x), static_cast<unsigned>(y)));
      posted = true;
    } else if (verb == "wheel") {
      while (words >> x)
        host.Post(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<unsigned>(x * WHEEL_DELTA)));
      posted = true;
    } else if (verb == "size") {
      words >> x >> y;
      host.Post(WM_SIZE, 0, MAKELPARAM(static_cast<unsigned>(x), static_cast<unsigned>(y)));
      posted = true;
    } else if (verb == "send") {
      words >> what;
      host.Post(what == "move" ? WM_MOVE : what == "paint" ? WM_PAINT : WM_CLOSE);
      posted = true;
    } else if (verb == "pick") {
      words >> x;
      PickLevel(x);
    } else if (verb == "frames") {
      words >> x;
      host.RunFrames(x);
    } else if (verb == "behind" || verb == "front") {
      host.foreground = verb == "front";
    } else if (verb == "angle" || verb == "level" || verb == "scale") {
      // The rest of the step is typed as it stands; for Scale Points a second number after a
      // space is the Y scale, typed with "Scale equally" cleared.
      std::string x = step.substr(std::min(step.size(), step.find(verb) + verb.size() + 1));
      std::string y;
      if (verb == "scale" && x.find(' ') != std::string::npos) {
        y = x.substr(x.find(' ') + 1);
        x.resize(x.find(' '));
      }
      const int dialog = verb == "angle"   ? resources::kAngleStepDialogId
                         : verb == "level" ? resources::kScaleLevelDialogId
                                           : resources::kScalePointsDialogId;
      host.ActInDialog(dialog, [this, x, y, step](FakeDialog& dialog) {
        shown_in_dialog = dialog.GetItemText(resources::kToolNumberEdit);
        if (!y.empty()) dialog.Click(resources::kScaleEquallyCheck);
        dialog.Type(resources::kToolNumberEdit, x);
        if (!y.empty()) dialog.Type(resources::kScaleYEdit, y);
        const std::size_t boxes = host.message_boxes.size();
        dialog.Click(resources::kToolOk);
        if (dialog.HasEnded()) return;
        EXPECT_GT(host.message_boxes.size(), boxes) << "OK neither ended nor refused " << step;
        dialog.Click(resources::kToolCancel);
      });
      Choose(verb == "angle"   ? resources::kSetAngleStep
             : verb == "level" ? resources::kScaleLevel
                               : resources::kScalePoints);
    } else {
      ADD_FAILURE() << "no step " << step;
    }
  }
  if (posted) host.RunFrames();
}

void EditorTest::ExpectRomValuesRounded() {
  for (int i = 0; i < level::kPointCount; ++i) {
    for (const auto& [accurate, rom] :
         {std::pair{level::accurate_x[i], level::XByte(i / 16, i % 16)},
          {level::accurate_y[i], level::YByte(i / 16, i % 16)}}) {
      const double v = accurate + 0.5;
      ASSERT_EQ(rom, !(v >= 0) ? 0 : v >= 255 ? 255 : static_cast<int>(v)) << i << ": " << accurate;
    }
  }
}

void EditorTest::ExpectScripts(const std::string& name, const std::vector<std::string>& scripts,
                               const std::function<std::string()>& state) {
  std::string transcript;
  for (const std::string& script : scripts) {
    Act(script);
    transcript += script + ": " + state() + "\n";
  }
  ExpectGoldenText(name, transcript);
}

}  // namespace testing_support
