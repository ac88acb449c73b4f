// "&Edit Text..." with any file. A file without the signature, or one that leaves a message
// outside the image or without an end within 63 characters, is refused, with no dialog and
// nothing saved. Any other file is listed whole: all 120 messages are decoded and selected one
// after another (each selection commits the message before, OK or Enter the selected one),
// then saved. Commits write only inside the records as they lay when the dialog opened and into
// the attribute table. Where the records lie apart from each other and from the tables, every
// message reads back as it was committed: its text normalised and cut to its length, its X and
// Y as typed when they are numbers, its colour and size as chosen.
//
// Only the first 2048 bytes of a file are loaded, so the bytes after them script the person.
// For each message in turn one byte says what to do before the next selection: bits 0..1 pick
// nothing, typing a text, typing X and Y, or choosing colour and size; bit 2 presses Enter
// afterwards; bits 3..7 count the bytes that follow it for the text or the numbers. A byte left
// over at the end presses Cancel (bit 0) or the close box (bit 1) instead of OK.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/text_messages.h"
#include "files/text_rom.h"
#include "fuzz_host.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"

namespace {

using fuzzing::FuzzDialog;
using fuzzing::Require;
using Image = std::array<std::uint8_t, files::kTextRomSize>;

constexpr int kMessages = files::kMessageCount;
constexpr int kPairs = files::kMessagesPerLanguage;
constexpr std::size_t kMaxLength = files::kMaxMessageLength;
constexpr std::size_t kAttributes = files::kMessageAttributesOffset;
constexpr std::size_t kRecords = files::kMessageRecordsOffset;
constexpr std::array<const char*, 4> kLanguages{"English", "French", "German", "Spanish"};
constexpr int kColours = 9;
constexpr int kSizes = 5;

enum Action { kNothing = 0, kTypeText = 1, kTypeNumbers = 2, kChooseLists = 3 };

// An image loaded earlier: every message a record of three characters, so that a short file
// that keeps the pointers still finds its records.
RIMFORGE_NO_COVERAGE Image EarlierImage() {
  Image image{};
  std::copy(files::kTextRomSignature.begin(), files::kTextRomSignature.end(), image.begin());
  for (int m = 0; m < kMessages; ++m) {
    const std::size_t record = kRecords + 4 * static_cast<std::size_t>(m);
    const std::size_t address = files::kTextRomAddress + record;
    image[files::kMessagePointersOffset + 2 * static_cast<std::size_t>(m)] =
        static_cast<std::uint8_t>(address & 0xFF);
    image[files::kMessagePointersOffset + 2 * static_cast<std::size_t>(m) + 1] =
        static_cast<std::uint8_t>(address >> 8);
    image[record] = static_cast<std::uint8_t>(m);
    image[record + 1] = static_cast<std::uint8_t>(2 * (11 + m % 26));
    image[record + 2] = static_cast<std::uint8_t>(2 * (1 + m % 10));
    image[record + 3] = 0x80 | 2 * 38;
  }
  return image;
}

// The game's character code, written out here apart from the editor's.
RIMFORGE_NO_COVERAGE char Decode(std::uint8_t byte) {
  const int code = (byte >> 1) & 63;
  if (code == 0 || code == 37) return ' ';
  if (code <= 10) return static_cast<char>('0' + code - 1);
  if (code <= 36) return static_cast<char>('A' + code - 11);
  if (code == 39) return '\xBD';
  if (code == 40) return '\xA9';
  return '-';
}

RIMFORGE_NO_COVERAGE char Normalise(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return c;
  if (c == '/' || c == '\xBD') return '\xBD';
  if (c == '@' || c == '\xA9') return '\xA9';
  return '-';
}

// The text of the record whose characters start at `start`, and whether it ends (a character
// with bit 7) within 63 characters and the image.
struct Decoded {
  std::string text;
  bool ended = false;
};

RIMFORGE_NO_COVERAGE Decoded DecodeAt(const Image& image, std::size_t start) {
  Decoded decoded;
  for (std::size_t at = start; at < image.size() && decoded.text.size() < kMaxLength; ++at) {
    decoded.text.push_back(Decode(image[at]));
    if (image[at] & 0x80) {
      decoded.ended = true;
      break;
    }
  }
  return decoded;
}

RIMFORGE_NO_COVERAGE std::optional<std::size_t> RecordOf(const Image& image, int m) {
  const std::size_t entry = files::kMessagePointersOffset + 2 * static_cast<std::size_t>(m);
  const int address = image[entry] | (image[entry + 1] << 8);
  if (address < files::kTextRomAddress || address - files::kTextRomAddress >= 2048) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(address - files::kTextRomAddress);
}

// The low byte of an optionally signed decimal number of any length; nothing for other texts.
RIMFORGE_NO_COVERAGE std::optional<std::uint8_t> NumberByte(const std::string& text) {
  std::size_t at = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) at = 1;
  if (at == text.size()) return std::nullopt;
  unsigned value = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9') return std::nullopt;
    value = (value * 10 + static_cast<unsigned>(text[at] - '0')) % 256;
  }
  return static_cast<std::uint8_t>(negative ? (256 - value) % 256 : value);
}

// The messages as the dialog opened on them, and what every commit should have made of them.
struct Model {
  std::array<std::size_t, kMessages> records{};
  std::array<std::size_t, kMessages> lengths{};
  std::array<std::string, kMessages> texts;
  std::array<std::string, kMessages> lines;
  std::array<std::uint8_t, kMessages> xs{};
  std::array<std::uint8_t, kPairs> attributes{};
  std::array<std::uint8_t, kPairs> ys{};
  // Records that lie apart from each other and from the tables, so commits of one message
  // cannot change another.
  bool apart = true;
};

RIMFORGE_NO_COVERAGE std::optional<Model> ModelOf(const Image& image) {
  Model model;
  for (int m = 0; m < kMessages; ++m) {
    const auto i = static_cast<std::size_t>(m);
    const std::optional<std::size_t> record = RecordOf(image, m);
    if (!record) return std::nullopt;
    const Decoded decoded = DecodeAt(image, *record + 1);
    if (!decoded.ended) return std::nullopt;
    model.records[i] = *record;
    model.lengths[i] = decoded.text.size();
    model.texts[i] = model.lines[i] = decoded.text;
    model.xs[i] = image[*record];
  }
  for (int k = 0; k < kPairs; ++k) {
    model.attributes[static_cast<std::size_t>(k)] = image[kAttributes + 2 * k];
    model.ys[static_cast<std::size_t>(k)] = image[kAttributes + 2 * k + 1];
  }
  std::array<std::pair<std::size_t, std::size_t>, kMessages> spans;
  for (std::size_t i = 0; i < spans.size(); ++i) {
    spans[i] = {model.records[i], model.records[i] + 1 + model.lengths[i]};
  }
  std::sort(spans.begin(), spans.end());
  model.apart = spans[0].first >= kRecords;
  for (std::size_t i = 1; i < spans.size(); ++i) {
    if (spans[i].first < spans[i - 1].second) model.apart = false;
  }
  return model;
}

RIMFORGE_NO_COVERAGE bool InsideARecordOrTheAttributes(const Model& model, std::size_t offset) {
  if (offset >= kAttributes && offset < kRecords) return true;
  for (int m = 0; m < kMessages; ++m) {
    const auto i = static_cast<std::size_t>(m);
    if (offset >= model.records[i] && offset <= model.records[i] + model.lengths[i]) return true;
  }
  return false;
}

// The person in the Text Messages dialog, following the script.
class Person {
 public:
  Person(Model& model, std::span<const std::uint8_t> script) : model_(model), script_(script) {}

  void Act(FuzzDialog& dialog) {
    Require(dialog.Control(resources::kMessageList).strings.size() == kMessages,
            "the list does not hold every message");
    for (int m = 0; m < kMessages; ++m) {
      Require(dialog.Control(resources::kMessageList).strings[static_cast<std::size_t>(m)] ==
                  model_.lines[static_cast<std::size_t>(m)],
              "a list line is not its message");
    }
    for (int m = 0; m < kMessages; ++m) {
      if (m > 0) ExpectCommit(dialog, m - 1);
      dialog.Select(resources::kMessageList, m);
      CheckShown(dialog, m);
      DoScriptedAction(dialog, m);
    }
    const std::optional<std::uint8_t> end = Next();
    const bool cancel = end && (*end & 1) != 0;
    const bool close = end && (*end & 2) != 0;
    if (!cancel && !close) ExpectCommit(dialog, kMessages - 1);
    if (close) {
      dialog.Close();
    } else {
      dialog.Click(cancel ? resources::kTextMessagesCancel : resources::kTextMessagesOk);
    }
    saves_ = !cancel && !close;
    for (int m = 0; m < kMessages; ++m) {
      Require(dialog.Control(resources::kMessageList).strings[static_cast<std::size_t>(m)] ==
                  model_.lines[static_cast<std::size_t>(m)],
              "a list line is not the text committed");
    }
  }

  bool Saves() const { return saves_; }

 private:
  std::optional<std::uint8_t> Next() {
    if (at_ >= script_.size()) return std::nullopt;
    return script_[at_++];
  }

  std::string NextText(std::size_t count) {
    std::string text;
    while (text.size() < count && at_ < script_.size()) {
      text.push_back(static_cast<char>(script_[at_++]));
    }
    return text;
  }

  RIMFORGE_NO_COVERAGE void CheckShown(const FuzzDialog& dialog, int m) {
    const auto i = static_cast<std::size_t>(m);
    const Image& image = files::text_rom_image;
    const std::size_t pair = kAttributes + 2 * static_cast<std::size_t>(m % kPairs);
    const int colour = image[pair] >> 4;
    const int size = image[pair] & 15;
    Require(dialog.GetItemText(resources::kMessageTextEdit) ==
                    DecodeAt(image, model_.records[i] + 1).text &&
                dialog.GetItemText(resources::kMessageNumberLabel) ==
                    "Message : " + std::to_string(m % kPairs + 1) &&
                dialog.GetItemText(resources::kMessageLanguageLabel) ==
                    std::string("Language : ") + kLanguages[i / kPairs] &&
                dialog.GetItemText(resources::kMessageXEdit) ==
                    std::to_string(static_cast<std::int8_t>(image[model_.records[i]])) &&
                dialog.GetItemText(resources::kMessageYEdit) ==
                    std::to_string(static_cast<std::int8_t>(image[pair + 1])),
            "a selected message shows other fields than its record");
    Require(dialog.GetCurSel(resources::kMessageColourList) == (colour < kColours ? colour : -1) &&
                dialog.GetCurSel(resources::kMessageSizeList) == (size < kSizes ? size : -1),
            "a selected message shows another colour or size");
    Require(dialog.Control(resources::kMessageTextEdit).text_limit ==
                static_cast<int>(model_.lengths[i]),
            "a message's text limit is not its length at opening");
  }

  void DoScriptedAction(FuzzDialog& dialog, int m) {
    const std::optional<std::uint8_t> action = Next();
    if (!action) return;
    const std::size_t count = *action >> 3;
    switch (*action & 3) {
      case kTypeText:
        dialog.TypeAnything(resources::kMessageTextEdit, NextText(count));
        break;
      case kTypeNumbers:
        dialog.TypeAnything(resources::kMessageXEdit, NextText(count / 2));
        dialog.TypeAnything(resources::kMessageYEdit, NextText(count - count / 2));
        break;
      case kChooseLists:
        if (const std::optional<std::uint8_t> choice = Next()) {
          dialog.Select(resources::kMessageColourList, (*choice & 15) % kColours);
          dialog.Select(resources::kMessageSizeList, (*choice >> 4) % kSizes);
        }
        break;
      default:
        break;
    }
    if ((*action & 4) != 0) {
      ExpectCommit(dialog, m);
      fuzzing::Host().pressed_keys[VK_RETURN] = true;
      // Any message runs the procedure, which looks at the Enter key first.
      dialog.Send(WM_COMMAND, MAKEWPARAM(resources::kMessageTextEdit, 0));
      fuzzing::Host().pressed_keys.erase(VK_RETURN);
      Require(dialog.GetCurSel(resources::kMessageList) == m, "Enter lost the selection");
    }
  }

  // What committing the dialog's fields into message m makes of it.
  RIMFORGE_NO_COVERAGE void ExpectCommit(const FuzzDialog& dialog, int m) {
    const auto i = static_cast<std::size_t>(m);
    const auto k = static_cast<std::size_t>(m % kPairs);
    std::string text = dialog.GetItemText(resources::kMessageTextEdit);
    text.resize(std::min(text.size(), model_.lengths[i]));
    std::transform(text.begin(), text.end(), text.begin(), Normalise);
    model_.lines[i] = text;
    if (!text.empty()) model_.texts[i] = text;
    if (const auto x = NumberByte(dialog.GetItemText(resources::kMessageXEdit))) model_.xs[i] = *x;
    if (const auto y = NumberByte(dialog.GetItemText(resources::kMessageYEdit))) model_.ys[k] = *y;
    const int colour = dialog.GetCurSel(resources::kMessageColourList);
    const int size = dialog.GetCurSel(resources::kMessageSizeList);
    std::uint8_t& attribute = model_.attributes[k];
    if (colour >= 0) attribute = static_cast<std::uint8_t>((attribute & 0x0F) | (colour << 4));
    if (size >= 0) attribute = static_cast<std::uint8_t>((attribute & 0xF0) | size);
  }

  Model& model_;
  std::span<const std::uint8_t> script_;
  std::size_t at_ = 0;
  bool saves_ = false;
};

RIMFORGE_NO_COVERAGE void CheckCommitted(const Model& model, const Image& opened) {
  const Image& image = files::text_rom_image;
  for (std::size_t offset = 0; offset < image.size(); ++offset) {
    Require(image[offset] == opened[offset] || InsideARecordOrTheAttributes(model, offset),
            "a commit wrote outside the records and the attribute table");
  }
  if (!model.apart) return;
  for (int m = 0; m < kMessages; ++m) {
    const auto i = static_cast<std::size_t>(m);
    Require(DecodeAt(image, model.records[i] + 1).text == model.texts[i],
            "a message does not read back as committed");
    Require(image[model.records[i]] == model.xs[i], "an X position is not as committed");
  }
  for (std::size_t k = 0; k < kPairs; ++k) {
    Require(image[kAttributes + 2 * k] == model.attributes[k] &&
                image[kAttributes + 2 * k + 1] == model.ys[k],
            "an attribute pair is not as committed");
  }
}

void RunInput(std::span<const std::uint8_t> file) {
  static const std::string in = fuzzing::ScratchPath("in.121");
  static const std::string out = fuzzing::ScratchPath("out.121");
  static const Image earlier = EarlierImage();
  const std::span<const std::uint8_t> script =
      file.subspan(std::min(file.size(), files::kTextRomSize));
  fuzzing::StartFresh();
  fuzzing::FuzzHost& host = fuzzing::Host();
  files::text_rom_image = earlier;
  Image loaded = earlier;
  std::copy_n(file.begin(), file.size() - script.size(), loaded.begin());
  std::optional<Model> model;
  if (fuzzing::StartsWith(file, files::kTextRomSignature)) model = ModelOf(loaded);

  fuzzing::WriteScratch(in, file);
  fuzzing::RemoveScratch(out);
  host.open_answer = in;
  host.save_answer = out;
  std::optional<Person> person;
  if (model) person.emplace(*model, script);
  host.people[resources::kTextMessagesDialogId] = [&](FuzzDialog& dialog) {
    Require(person.has_value(), "a refused text ROM opened the dialog");
    person->Act(dialog);
  };
  fuzzing::Command(resources::kEditText);

  const std::optional<std::vector<std::uint8_t>> saved = fuzzing::ReadScratch(out);
  if (!model) {
    Require(host.messages == std::vector<std::string>{"Not a valid Tempest ROM 121 file"},
            "a text ROM that is not valid was not refused with its message");
    Require(host.dialogs_run.empty() && !saved && !files::text_rom_loaded,
            "a refused text ROM was edited, saved or counted as loaded");
    Require(files::text_rom_image == earlier, "a refused text ROM changed the image");
    return;
  }
  Require(host.messages.empty() && files::text_rom_loaded, "a valid text ROM was refused");
  CheckCommitted(*model, loaded);
  if (person->Saves()) {
    Require(saved && std::equal(saved->begin(), saved->end(), files::text_rom_image.begin(),
                                files::text_rom_image.end()),
            "the saved text ROM is not the image");
  } else {
    Require(!saved, "a cancelled text edit was saved");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RunInput({data, size});
  fuzzing::EndInput();
  return 0;
}
