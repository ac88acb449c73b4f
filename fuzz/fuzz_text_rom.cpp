// "&Edit Text..." with any file: one without the signature, or with a message outside the image
// or not ended within 63 characters, is refused; any other is edited message by message. A
// record over the signature or pointer table is fixed: text and X greyed, never written. Cancel
// and the close box bring back the image as loaded.
//
// After the 2048 loaded, one byte after each selection: bits 0..1 do nothing, type a text, type
// X and Y, or choose colour and size; bit 2 then presses Enter; bits 3..7 count the bytes typed.
// A byte left over presses Cancel (bit 0) or the close box (bit 1) instead of OK.
#include <bitset>
#include <string_view>

#include "fuzz_host.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"

namespace fuzzing {
namespace {

using namespace files;
using namespace resources;
using Image = std::array<std::uint8_t, kTextRomSize>;

const std::string kLanguages[] = {"English", "French", "German", "Spanish"};
constexpr int kColours = 9;
constexpr int kSizes = 5;
// The game's codes 0..40, not the editor's table; beyond, a dash.
constexpr std::string_view kCharacters = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ -\xBD\xA9";

enum Action { kTypeText = 1, kTypeNumbers, kChooseLists };

UNCOUNTED char Normalise(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  if (c == '/') return '\xBD';
  if (c == '@') return '\xA9';
  return kCharacters.find(c) == std::string_view::npos ? '-' : c;
}

// From `start` through the one with bit 7, at most 63 and within the image.
UNCOUNTED std::string DecodeAt(const Image& image, std::size_t start) {
  std::string text;
  for (std::size_t at = start; at < image.size() && text.size() < kMaxMessageLength; ++at) {
    const std::size_t code = (image[at] >> 1) & 63;
    text.push_back(code < kCharacters.size() ? kCharacters[code] : '-');
    if ((image[at] & 0x80) != 0) break;
  }
  return text;
}

// The low byte of an optionally signed decimal number of any length.
UNCOUNTED std::optional<std::uint8_t> NumberByte(std::string_view text) {
  const bool minus = text.starts_with('-');
  if (minus || text.starts_with('+')) text.remove_prefix(1);
  if (text.empty() || text.find_first_not_of("0123456789") != text.npos) return std::nullopt;
  unsigned value = 0;
  for (const char digit : text) {
    value = (value * 10 + digit - '0') % 256;
  }
  return minus ? 256 - value : value;
}

// The scripted person, and what the commits should make of the messages as opened.
struct Edit {
  Bytes script;
  std::size_t at = 0;
  std::array<std::size_t, kMessageCount> records{};
  std::array<std::size_t, kMessageCount> lengths{};
  std::array<std::string, kMessageCount> texts;  // in the image
  std::array<std::string, kMessageCount> lines;  // in the list
  // With X positions and attribute pairs as committed.
  Image image{};
  // Records apart from each other and from the tables.
  bool apart = true;
  // Where the image may differ from `image`: the characters, or all commits may write.
  std::bitset<kTextRomSize> unforeseen;

  // Whether it ends with OK.
  bool Act(FuzzDialog& dialog) {
    CheckList(dialog);
    for (int m = 0; m < kMessageCount; ++m) {
      if (m > 0) ExpectCommit(dialog, m - 1);
      dialog.Select(kMessageList, m);
      CheckShown(dialog, m);
      DoScriptedAction(dialog, m);
    }
    const int end = std::max(Next(), 0) & 3;
    if (end == 0) ExpectCommit(dialog, kMessageCount - 1);
    if (end < 2) dialog.Click(end == 1 ? kTextMessagesCancel : kTextMessagesOk);
    if (end >= 2) dialog.Close();
    CheckList(dialog);
    return end == 0;
  }

  // -1 after the end.
  int Next() { return at < script.size() ? script[at++] : -1; }

  std::string NextText(std::size_t count) {
    const Bytes text = script.subspan(at, std::min(count, script.size() - at));
    at += text.size();
    return {text.begin(), text.end()};
  }

  void DoScriptedAction(FuzzDialog& dialog, int m) {
    const int action = Next();
    if (action < 0) return;
    const std::size_t count = action >> 3;
    const int kind = action & 3;
    if (kind == kTypeText) {
      dialog.TypeAnything(kMessageTextEdit, NextText(count));
    } else if (kind == kTypeNumbers) {
      dialog.TypeAnything(kMessageXEdit, NextText(count / 2));
      dialog.TypeAnything(kMessageYEdit, NextText(count - count / 2));
    } else if (kind == kChooseLists && at < script.size()) {
      const int choice = Next();
      dialog.Select(kMessageColourList, (choice & 15) % kColours);
      dialog.Select(kMessageSizeList, (choice >> 4) % kSizes);
    }
    if ((action & 4) != 0) {
      ExpectCommit(dialog, m);
      Host().pressed_keys[VK_RETURN] = true;
      dialog.Send(WM_COMMAND, MAKEWPARAM(kMessageTextEdit, 0));
      Host().pressed_keys.erase(VK_RETURN);
      Require(dialog.GetCurSel(kMessageList) == m, "Enter lost the selection");
    }
  }

  UNCOUNTED void CheckList(const FuzzDialog& dialog) const {
    Require(std::ranges::equal(dialog.Control(kMessageList).strings, lines),
            "a list line is not its message as committed");
  }

  UNCOUNTED void CheckShown(const FuzzDialog& dialog, int m) const {
    const Image& now = text_rom_image;
    const std::size_t pair = MessageAttributeOffset(m);
    const int colour = now[pair] >> 4;
    const int size = now[pair] & 15;
    const auto& edit = dialog.Control(kMessageTextEdit);
    Require(edit.text == DecodeAt(now, records[m] + 1) &&
                dialog.GetItemText(kMessageNumberLabel) ==
                    "Message : " + std::to_string(m % kMessagesPerLanguage + 1) &&
                dialog.GetItemText(kMessageLanguageLabel) ==
                    "Language : " + kLanguages[m / kMessagesPerLanguage] &&
                dialog.GetItemText(kMessageXEdit) ==
                    std::to_string(static_cast<std::int8_t>(now[records[m]])) &&
                dialog.GetItemText(kMessageYEdit) ==
                    std::to_string(static_cast<std::int8_t>(now[pair + 1])) &&
                dialog.GetCurSel(kMessageColourList) == (colour < kColours ? colour : -1) &&
                dialog.GetCurSel(kMessageSizeList) == (size < kSizes ? size : -1) &&
                edit.text_limit == static_cast<int>(lengths[m]) && edit.enabled == !Fixed(m) &&
                dialog.Control(kMessageXEdit).enabled == edit.enabled,
            "a selected message does not show its record, length and greying");
  }

  UNCOUNTED bool Fixed(int m) const { return records[m] < kMessageAttributesOffset; }

  UNCOUNTED void ExpectCommit(const FuzzDialog& dialog, int m) {
    std::string text = dialog.GetItemText(kMessageTextEdit);
    text.resize(std::min(text.size(), lengths[m]));
    std::ranges::transform(text, text.begin(), Normalise);
    if (Fixed(m)) text = DecodeAt(text_rom_image, records[m] + 1);
    lines[m] = text;
    if (!text.empty()) texts[m] = text;
    const auto x = NumberByte(dialog.GetItemText(kMessageXEdit));
    const auto y = NumberByte(dialog.GetItemText(kMessageYEdit));
    const std::size_t pair = MessageAttributeOffset(m);
    if (x && !Fixed(m)) image[records[m]] = *x;
    if (y) image[pair + 1] = *y;
    const int colour = dialog.GetCurSel(kMessageColourList);
    const int size = dialog.GetCurSel(kMessageSizeList);
    if (colour >= 0) image[pair] = (image[pair] & 0x0F) | (colour << 4);
    if (size >= 0) image[pair] = (image[pair] & 0xF0) | size;
  }

  UNCOUNTED void CheckCommitted() const {
    const Image& now = text_rom_image;
    for (std::size_t offset = 0; offset < now.size(); ++offset) {
      Require(now[offset] == image[offset] || unforeseen[offset],
              "a commit wrote where or what it may not");
    }
    for (std::size_t m = 0; apart && m < kMessageCount; ++m) {
      Require(DecodeAt(now, records[m] + 1) == texts[m],
              "a message does not read back as committed");
    }
  }
};

// None for an image the editor must refuse.
UNCOUNTED std::optional<Edit> EditOf(const Image& image, Bytes script) {
  Edit edit{.script = script, .image = image};
  std::bitset<kTextRomSize> writable;
  for (std::size_t m = 0; m < kMessageCount; ++m) {
    const std::size_t pointer = kMessagePointersOffset + 2 * m;
    const auto record =
        static_cast<std::size_t>((image[pointer] | image[pointer + 1] << 8) - kTextRomAddress);
    if (record >= image.size()) return std::nullopt;
    const std::string text = DecodeAt(image, record + 1);
    if (text.empty() || (image[record + text.size()] & 0x80) == 0) return std::nullopt;
    edit.records[m] = record;
    edit.lengths[m] = text.size();
    edit.texts[m] = edit.lines[m] = text;
    edit.apart = edit.apart && record >= kMessageRecordsOffset;
    for (std::size_t at = record; at <= record + text.size(); ++at) {
      edit.apart = edit.apart && !writable[at];
      writable[at] = at >= kMessageAttributesOffset;
      edit.unforeseen[at] = at > record;
    }
  }
  for (std::size_t at = kMessageAttributesOffset; at < kMessageRecordsOffset; ++at) {
    writable[at] = true;
  }
  if (!edit.apart) edit.unforeseen = writable;
  return edit;
}

}  // namespace

void RunInput(Bytes file) {
  FuzzHost& host = StartFresh(file, "121");
  const Image& earlier = ValidTextImage();
  text_rom_image = earlier;
  std::optional<Edit> edit;
  if (StartsWith(file, kTextRomSignature)) {
    edit = EditOf(Loaded(earlier, file), file.subspan(std::min(file.size(), kTextRomSize)));
  }
  bool saves = false;
  host.people[kTextMessagesDialogId] = [&](FuzzDialog& dialog) {
    if (edit) saves = edit->Act(dialog);
  };
  Command(kEditText);

  if (!Took(edit.has_value(), "Not a valid Tempest ROM 121 file",
            !text_rom_loaded && text_rom_image == earlier)) {
    return;
  }
  Require(text_rom_loaded, "a valid text ROM was not loaded");
  if (saves) edit->CheckCommitted();
  Require(saves || text_rom_image == Loaded(earlier, file),
          "Cancel or the close box kept a change to the image");
  host.RequireSaved(text_rom_image, saves);
}

}  // namespace fuzzing
