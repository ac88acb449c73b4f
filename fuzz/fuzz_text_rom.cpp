// "&Edit Text..." with any file. A file without the signature, or one that leaves a message
// outside the image or without an end within 63 characters, is refused, with no dialog and
// nothing saved. Any other file is listed whole; all 120 messages are selected in turn (each
// selection commits the message before, OK or Enter the selected one), then saved. Commits
// write only into the records as they lay at opening and into the attribute table. Where the
// records lie apart from each other and from the tables, every message reads back as committed:
// text normalised and cut to its length, X and Y as typed when numbers, colour and size as chosen.
//
// The bytes after the 2048 that are loaded script the person. Before each next selection one
// byte: bits 0..1 do nothing, type a text, type X and Y, or choose colour and size; bit 2 then
// presses Enter; bits 3..7 count the bytes that follow for the text or the numbers. A byte left
// over at the end presses Cancel (bit 0) or the close box (bit 1) instead of OK.
#include <bitset>
#include <string_view>

#include "files/text_rom.h"
#include "fuzz_host.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"

namespace fuzzing {
namespace {

using namespace files;
using namespace resources;
using Image = std::array<std::uint8_t, kTextRomSize>;

constexpr int kMessages = kMessageCount;
constexpr int kPairs = kMessagesPerLanguage;
constexpr std::size_t kAttributes = kMessageAttributesOffset;
constexpr std::size_t kRecords = kMessageRecordsOffset;
constexpr const char* kLanguages[] = {"English", "French", "German", "Spanish"};
constexpr int kColours = 9;
constexpr int kSizes = 5;
// The characters of the game's codes 0..40, written out apart from the editor's; beyond, a dash.
constexpr std::string_view kCharacters = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ -\xBD\xA9";

// What a script byte does, by its bits 0..1 (0: nothing).
enum Action { kTypeText = 1, kTypeNumbers, kChooseLists };

// An image loaded earlier: every message a record of three characters, so that a short file
// that keeps the pointers still finds its records.
RIMFORGE_NO_COVERAGE Image EarlierImage() {
  Image image{};
  std::copy(kTextRomSignature.begin(), kTextRomSignature.end(), image.begin());
  for (std::size_t m = 0; m < kMessages; ++m) {
    const std::size_t record = kRecords + 4 * m;
    image[kMessagePointersOffset + 2 * m] = (kTextRomAddress + record) & 0xFF;
    image[kMessagePointersOffset + 2 * m + 1] = (kTextRomAddress + record) >> 8;
    image[record] = m;
    image[record + 1] = 2 * (11 + m % 26);
    image[record + 2] = 2 * (1 + m % 10);
    image[record + 3] = 0x80 | 2 * 38;
  }
  return image;
}

RIMFORGE_NO_COVERAGE char Normalise(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  if (c == '/') return '\xBD';
  if (c == '@') return '\xA9';
  return kCharacters.find(c) == std::string_view::npos ? '-' : c;
}

// The text of the record whose characters start at `start`: up to its end (a character with
// bit 7), 63 characters or the end of the image.
RIMFORGE_NO_COVERAGE std::string DecodeAt(const Image& image, std::size_t start) {
  std::string text;
  for (std::size_t at = start; at < image.size() && text.size() < kMaxMessageLength; ++at) {
    const std::size_t code = (image[at] >> 1) & 63;
    text.push_back(code < kCharacters.size() ? kCharacters[code] : '-');
    if ((image[at] & 0x80) != 0) break;
  }
  return text;
}

// The low byte of an optionally signed decimal number of any length; nothing for other texts.
RIMFORGE_NO_COVERAGE std::optional<std::uint8_t> NumberByte(const std::string& text) {
  const std::size_t first = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
  if (first == text.size() || text.find_first_not_of("0123456789", first) != std::string::npos) {
    return std::nullopt;
  }
  unsigned value = 0;
  for (std::size_t at = first; at < text.size(); ++at) {
    value = (value * 10 + text[at] - '0') % 256;
  }
  return text[0] == '-' ? 256 - value : value;
}

// The messages as the dialog opened on them, and what every commit should have made of them.
struct Model {
  std::array<std::size_t, kMessages> records{};
  std::array<std::size_t, kMessages> lengths{};
  std::array<std::string, kMessages> texts;  // in the image
  std::array<std::string, kMessages> lines;  // in the list
  // The image as the dialog opened on it, with X positions and attribute pairs as committed.
  Image image{};
  // The records and the attribute table: all that commits may write.
  std::bitset<kTextRomSize> writable;
  // Records that lie apart from each other and from the tables, so commits of one message
  // cannot change another.
  bool apart = true;
};

RIMFORGE_NO_COVERAGE std::optional<Model> ModelOf(const Image& image) {
  Model model;
  for (std::size_t m = 0; m < kMessages; ++m) {
    const std::size_t pointer = kMessagePointersOffset + 2 * m;
    const auto record =
        static_cast<std::size_t>((image[pointer] | image[pointer + 1] << 8) - kTextRomAddress);
    if (record >= image.size()) return std::nullopt;
    const std::string text = DecodeAt(image, record + 1);
    if (text.empty() || (image[record + text.size()] & 0x80) == 0) return std::nullopt;
    model.records[m] = record;
    model.lengths[m] = text.size();
    model.texts[m] = model.lines[m] = text;
    model.apart = model.apart && record >= kRecords;
    for (std::size_t at = record; at <= record + text.size(); ++at) {
      model.apart = model.apart && !model.writable[at];
      model.writable[at] = true;
    }
  }
  for (std::size_t at = kAttributes; at < kRecords; ++at) {
    model.writable[at] = true;
  }
  model.image = image;
  return model;
}

// The person in the Text Messages dialog, following the script.
struct Person {
  Model& model;
  Bytes script;
  std::size_t at = 0;

  // Whether the person ends with OK.
  bool Act(FuzzDialog& dialog) {
    CheckList(dialog, "the list does not hold every message as its line");
    for (int m = 0; m < kMessages; ++m) {
      if (m > 0) ExpectCommit(dialog, m - 1);
      dialog.Select(kMessageList, m);
      CheckShown(dialog, m);
      DoScriptedAction(dialog, m);
    }
    const int end = std::max(Next(), 0) & 3;
    if (end == 0) ExpectCommit(dialog, kMessages - 1);
    if (end >= 2) {
      dialog.Close();
    } else {
      dialog.Click(end == 1 ? kTextMessagesCancel : kTextMessagesOk);
    }
    CheckList(dialog, "a list line is not the text committed");
    return end == 0;
  }

  // The next byte of the script; -1 after its end.
  int Next() { return at < script.size() ? script[at++] : -1; }

  std::string NextText(std::size_t count) {
    const Bytes text = script.subspan(at, std::min(count, script.size() - at));
    at += text.size();
    return {text.begin(), text.end()};
  }

  RIMFORGE_NO_COVERAGE void CheckList(const FuzzDialog& dialog, const char* what) const {
    const auto& lines = dialog.Control(kMessageList).strings;
    Require(std::equal(lines.begin(), lines.end(), model.lines.begin(), model.lines.end()), what);
  }

  RIMFORGE_NO_COVERAGE void CheckShown(const FuzzDialog& dialog, int m) const {
    const Image& image = text_rom_image;
    const std::size_t record = model.records[m];
    const std::size_t pair = kAttributes + 2 * (m % kPairs);
    const int colour = image[pair] >> 4;
    const int size = image[pair] & 15;
    Require(dialog.GetItemText(kMessageTextEdit) == DecodeAt(image, record + 1) &&
                dialog.GetItemText(kMessageNumberLabel) ==
                    "Message : " + std::to_string(m % kPairs + 1) &&
                dialog.GetItemText(kMessageLanguageLabel) ==
                    std::string("Language : ") + kLanguages[m / kPairs] &&
                dialog.GetItemText(kMessageXEdit) ==
                    std::to_string(static_cast<std::int8_t>(image[record])) &&
                dialog.GetItemText(kMessageYEdit) ==
                    std::to_string(static_cast<std::int8_t>(image[pair + 1])),
            "a selected message shows other fields than its record");
    Require(dialog.GetCurSel(kMessageColourList) == (colour < kColours ? colour : -1) &&
                dialog.GetCurSel(kMessageSizeList) == (size < kSizes ? size : -1),
            "a selected message shows another colour or size");
    Require(dialog.Control(kMessageTextEdit).text_limit == static_cast<int>(model.lengths[m]),
            "a message's text limit is not its length at opening");
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
      // Any message runs the procedure, which looks at the Enter key first.
      dialog.Send(WM_COMMAND, MAKEWPARAM(kMessageTextEdit, 0));
      Host().pressed_keys.erase(VK_RETURN);
      Require(dialog.GetCurSel(kMessageList) == m, "Enter lost the selection");
    }
  }

  // What committing the dialog's fields into message m makes of it.
  RIMFORGE_NO_COVERAGE void ExpectCommit(const FuzzDialog& dialog, int m) {
    std::string text = dialog.GetItemText(kMessageTextEdit);
    text.resize(std::min(text.size(), model.lengths[m]));
    std::transform(text.begin(), text.end(), text.begin(), Normalise);
    model.lines[m] = text;
    if (!text.empty()) model.texts[m] = text;
    const auto x = NumberByte(dialog.GetItemText(kMessageXEdit));
    const auto y = NumberByte(dialog.GetItemText(kMessageYEdit));
    const std::size_t pair = kAttributes + 2 * (m % kPairs);
    if (x) model.image[model.records[m]] = *x;
    if (y) model.image[pair + 1] = *y;
    std::uint8_t& attribute = model.image[pair];
    const int colour = dialog.GetCurSel(kMessageColourList);
    const int size = dialog.GetCurSel(kMessageSizeList);
    if (colour >= 0) attribute = (attribute & 0x0F) | (colour << 4);
    if (size >= 0) attribute = (attribute & 0xF0) | size;
  }
};

RIMFORGE_NO_COVERAGE void CheckCommitted(const Model& model) {
  const Image& image = text_rom_image;
  // The model differs from the image at opening only where commits may write.
  for (std::size_t offset = 0; offset < image.size(); ++offset) {
    Require(image[offset] == model.image[offset] || model.writable[offset],
            "a commit wrote outside the records and the attribute table");
  }
  if (!model.apart) return;
  for (std::size_t m = 0; m < kMessages; ++m) {
    Require(DecodeAt(image, model.records[m] + 1) == model.texts[m],
            "a message does not read back as committed");
    Require(image[model.records[m]] == model.image[model.records[m]],
            "an X position is not as committed");
  }
  Require(std::equal(&image[kAttributes], &image[kRecords], &model.image[kAttributes]),
          "an attribute pair is not as committed");
}

}  // namespace

void RunInput(Bytes file) {
  static const Image earlier = EarlierImage();
  const Bytes script = file.subspan(std::min(file.size(), kTextRomSize));
  FuzzHost& host = StartFresh();
  text_rom_image = earlier;
  Image loaded = earlier;
  std::copy(file.begin(), file.end() - script.size(), loaded.begin());
  std::optional<Model> model;
  if (StartsWith(file, kTextRomSignature)) model = ModelOf(loaded);
  bool saves = false;
  host.Offer(file, "in.121", "out.121");
  host.people[kTextMessagesDialogId] = [&](FuzzDialog& dialog) {
    if (model) saves = Person{*model, script}.Act(dialog);
  };
  Command(kEditText);

  if (!model) {
    Require(host.Refused("Not a valid Tempest ROM 121 file") && !host.Saved() && !text_rom_loaded &&
                text_rom_image == earlier,
            "an invalid text ROM was not refused, or was edited, saved, loaded or changed");
    return;
  }
  Require(host.messages.empty() && text_rom_loaded, "a valid text ROM was refused");
  CheckCommitted(*model);
  Require(saves ? host.SavedIs(text_rom_image) : !host.Saved(),
          saves ? "the saved text ROM is not the image" : "a cancelled text edit was saved");
}

}  // namespace fuzzing
