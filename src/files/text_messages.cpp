#include "files/text_messages.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "files/file_io.h"
#include "files/text_code.h"
#include "files/text_rom.h"
#include "resources/text_messages_dialog.h"

namespace files {
namespace {

constexpr FileKind kTextRomKind{"ROM 121 Files (*.121)", "*.121", "121"};

// What a dialog procedure returns for a message it handled or left to the host; on opening,
// 1 lets the host put the focus on the first control.
constexpr INT_PTR kHandled = 1;
constexpr INT_PTR kNotHandled = 0;
constexpr INT_PTR kDefaultFocus = 1;

// GetAsyncKeyState: down now, and went down since the previous poll.
constexpr std::uint16_t kKeyDownAndPressed = 0x8001;

// State of the open dialog. Record places and lengths are fixed when it opens: a message may
// shrink and grow back, never beyond its length then.
int selected_message = kNoMessage;
bool text_cancelled = true;
int listed_messages = 0;
std::array<std::size_t, kMessageCount> record_offsets{};
std::array<std::size_t, kMessageCount> message_lengths{};
// What Cancel brings back.
std::array<std::uint8_t, kTextRomSize> image_at_opening{};

// A record that lies over the signature or the pointer table (odd files have them) keeps its
// bytes: writing there would move where the messages are found, and the saved file would no
// longer load. Its text and X position are shown greyed.
bool IsFixedRecord(std::size_t record) {
  return record < kMessageAttributesOffset;
}

bool HasSignature(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= kTextRomSignature.size() &&
         std::equal(kTextRomSignature.begin(), kTextRomSignature.end(), bytes.begin());
}

// The low 8 bits of a decimal integer (an optional sign, then digits and nothing else) however
// many digits it has; nothing for any other text.
std::optional<std::uint8_t> LowByteOfInteger(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  unsigned low = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    low = (low * 10 + static_cast<unsigned>(c - '0')) & 0xFF;
  }
  return static_cast<std::uint8_t>(negative ? 0x100 - low : low);
}

std::string SignedByteText(std::uint8_t byte) {
  return std::to_string(static_cast<std::int8_t>(byte));
}

void SelectListEntry(platform::Dialog& dialog, int list, std::size_t entries, int index) {
  dialog.SetCurSel(list, index < static_cast<int>(entries) ? index : LB_ERR);
}

void ShowMessage(platform::Dialog& dialog, int message) {
  const std::size_t record = record_offsets[static_cast<std::size_t>(message)];
  const std::size_t attribute = MessageAttributeOffset(message);
  dialog.SetItemText(resources::kMessageTextEdit, DecodeMessage(text_rom_image, record + 1));
  dialog.SetItemText(resources::kMessageNumberLabel,
                     "Message : " + std::to_string(message % kMessagesPerLanguage + 1));
  dialog.SetItemText(
      resources::kMessageLanguageLabel,
      "Language : " +
          std::string(kLanguages[static_cast<std::size_t>(message / kMessagesPerLanguage)]));
  dialog.SetItemText(resources::kMessageXEdit, SignedByteText(text_rom_image[record]));
  dialog.SetItemText(resources::kMessageYEdit, SignedByteText(text_rom_image[attribute + 1]));
  SelectListEntry(dialog, resources::kMessageColourList, kColourNames.size(),
                  text_rom_image[attribute] >> 4);
  SelectListEntry(dialog, resources::kMessageSizeList, kSizeNames.size(),
                  text_rom_image[attribute] & 0x0F);
  dialog.SetTextLimit(resources::kMessageTextEdit,
                      static_cast<int>(message_lengths[static_cast<std::size_t>(message)]));
  dialog.EnableItem(resources::kMessageTextEdit, !IsFixedRecord(record));
  dialog.EnableItem(resources::kMessageXEdit, !IsFixedRecord(record));
}

void OpenTextMessages(platform::Dialog& dialog) {
  text_cancelled = false;
  selected_message = kNoMessage;
  image_at_opening = text_rom_image;
  // An image that was never loaded lists no messages, so nothing can be edited in it.
  listed_messages = HasValidMessages(text_rom_image) ? kMessageCount : 0;
  for (int message = 0; message < listed_messages; ++message) {
    const auto m = static_cast<std::size_t>(message);
    record_offsets[m] = *MessageRecordOffset(text_rom_image, message);
    const std::string text = DecodeMessage(text_rom_image, record_offsets[m] + 1);
    dialog.AddString(resources::kMessageList, text);
    message_lengths[m] = text.size();
  }
  for (const std::string_view size : kSizeNames) {
    dialog.AddString(resources::kMessageSizeList, size);
  }
  for (const std::string_view colour : kColourNames) {
    dialog.AddString(resources::kMessageColourList, colour);
  }
}

void SelectMessage(platform::Dialog& dialog) {
  const int message = dialog.GetCurSel(resources::kMessageList);
  if (message < 0 || message >= listed_messages) return;
  if (selected_message != kNoMessage) {
    CommitMessage(dialog, selected_message);
    // Replacing the committed line of the list may take the selection away on some hosts.
    dialog.SetCurSel(resources::kMessageList, message);
  }
  ShowMessage(dialog, message);
  selected_message = message;
}

// Enter stores the selected message; the procedure runs for the keys pressed in the dialog.
void CommitOnEnter(platform::Dialog& dialog) {
  if (selected_message == kNoMessage) return;
  const auto state =
      static_cast<std::uint16_t>(platform::CurrentHost().GetAsyncKeyState(VK_RETURN));
  if (state != kKeyDownAndPressed) return;
  CommitMessage(dialog, selected_message);
  dialog.SetCurSel(resources::kMessageList, selected_message);
}

void EndTextMessages(platform::Dialog& dialog, bool cancelled) {
  // OK keeps what was typed since the last Enter or selection; Cancel throws away every change
  // made since the dialog opened, Enter's too.
  if (!cancelled && selected_message != kNoMessage) CommitMessage(dialog, selected_message);
  if (cancelled) text_rom_image = image_at_opening;
  text_cancelled = cancelled;
  selected_message = kNoMessage;
  dialog.EndDialog(cancelled ? IDCANCEL : IDOK);
}

}  // namespace

void EditTextMessages() {
  if (!LoadTextRom()) return;
  // Stays set when the dialog cannot be shown, so nothing is saved then.
  text_cancelled = true;
  platform::CurrentHost().RunModalDialog(resources::TextMessagesDialog(), nullptr,
                                         TextMessagesDialogProc);
  if (!text_cancelled) SaveTextRom();
}

bool LoadTextRom() {
  const std::optional<std::string> path = platform::CurrentHost().ShowOpenFileDialog(
      OpenDialogRequest("Load ROM 121 File", kTextRomKind));
  if (!path) return false;
  const std::optional<std::vector<std::uint8_t>> bytes = ReadFileStart(*path, kTextRomSize);
  if (!bytes) {
    ReportCouldNotOpen(*path);
    return false;
  }
  // A short file overwrites only what it holds; the rest of the image stays.
  std::array<std::uint8_t, kTextRomSize> loaded = text_rom_image;
  std::copy(bytes->begin(), bytes->end(), loaded.begin());
  if (!HasSignature(*bytes) || !HasValidMessages(loaded)) {
    ReportNotValid("Tempest ROM 121");
    return false;
  }
  text_rom_image = loaded;
  text_rom_loaded = true;
  return true;
}

void SaveTextRom() {
  const std::optional<std::string> path = platform::CurrentHost().ShowSaveFileDialog(
      SaveDialogRequest("Save ROM 121 File", kTextRomKind));
  if (!path) return;
  if (!WriteFileAtomically(*path, text_rom_image)) ReportCouldNotWrite(*path);
}

std::string DecodeMessage(std::span<const std::uint8_t> image, std::size_t start) {
  std::string text;
  for (std::size_t at = start; at < image.size() && text.size() < kMaxMessageLength; ++at) {
    text.push_back(DecodeCharacter(image[at] >> 1));
    if (image[at] & kLastCharacterBit) break;
  }
  return text;
}

void EncodeMessage(std::string& text, std::span<std::uint8_t> image, std::size_t start) {
  if (start >= image.size()) return;
  text.resize(std::min(text.size(), image.size() - start));
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int code = EncodeCharacter(text[i]);
    const bool last = i + 1 == text.size();
    image[start + i] = static_cast<std::uint8_t>((code << 1) | (last ? kLastCharacterBit : 0));
  }
}

void CommitMessage(platform::Dialog& dialog, int message) {
  if (message < 0 || message >= listed_messages) return;
  const auto m = static_cast<std::size_t>(message);
  const std::size_t record = record_offsets[m];
  std::string text = dialog.GetItemText(resources::kMessageTextEdit);
  // The field's limit keeps the text within the record; a host that lets more through must not
  // write over the next message.
  text.resize(std::min(text.size(), message_lengths[m]));
  const bool fixed = IsFixedRecord(record);
  if (fixed) {
    text = DecodeMessage(text_rom_image, record + 1);
  } else {
    EncodeMessage(text, text_rom_image, record + 1);
  }
  dialog.DeleteString(resources::kMessageList, message);
  dialog.InsertString(resources::kMessageList, message, text);

  const std::size_t attribute = MessageAttributeOffset(message);
  const auto x = LowByteOfInteger(dialog.GetItemText(resources::kMessageXEdit));
  if (x && !fixed) text_rom_image[record] = *x;
  if (const auto y = LowByteOfInteger(dialog.GetItemText(resources::kMessageYEdit))) {
    text_rom_image[attribute + 1] = *y;
  }
  // A list without a selection showed a nibble it has no name for: that nibble stays as it was.
  const int colour = dialog.GetCurSel(resources::kMessageColourList);
  const int size = dialog.GetCurSel(resources::kMessageSizeList);
  std::uint8_t& byte = text_rom_image[attribute];
  if (colour >= 0) byte = static_cast<std::uint8_t>((byte & 0x0F) | ((colour * 16) & 0xF0));
  if (size >= 0) byte = static_cast<std::uint8_t>((byte & 0xF0) | (size & 0x0F));
}

INT_PTR TextMessagesDialogProc(platform::Dialog& dialog, UINT message, WPARAM wParam,
                               LPARAM /*lParam*/) {
  CommitOnEnter(dialog);
  switch (message) {
    case WM_INITDIALOG:
      OpenTextMessages(dialog);
      return kDefaultFocus;
    case WM_COMMAND: {
      // The commands of the Enter and Escape keys (IDOK, IDCANCEL) are left alone.
      const int id = static_cast<int>(LOWORD(wParam));
      if (id == resources::kMessageList && HIWORD(wParam) == LBN_SELCHANGE) {
        SelectMessage(dialog);
        return kHandled;
      }
      if (id == resources::kTextMessagesOk || id == resources::kTextMessagesCancel) {
        EndTextMessages(dialog, id == resources::kTextMessagesCancel);
        return kHandled;
      }
      return kNotHandled;
    }
    case WM_CLOSE:
      EndTextMessages(dialog, true);
      return kHandled;
    default:
      return kNotHandled;
  }
}

void ResetTextMessages() {
  selected_message = kNoMessage;
  text_cancelled = true;
  listed_messages = 0;
  record_offsets.fill(0);
  message_lengths.fill(0);
  image_at_opening.fill(0);
}

}  // namespace files
