// The text message editor: "&Edit Text..." loads a text ROM file (.121), lets the user change
// the text, position, colour and size of its 120 messages in the Text Messages dialog, and saves
// it again. A message never grows beyond the length it had when the dialog opened, so every
// record keeps its place in the image.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/host.h"

namespace files {

// The selected message while none is.
constexpr int kNoMessage = 999;

// What the Text Messages dialog shows: the language of each block of 30 messages, and the names
// of the colour (high nibble) and size (low nibble) of an attribute byte.
constexpr std::array<std::string_view, 4> kLanguages{"English", "French", "German", "Spanish"};
constexpr std::array<std::string_view, 9> kColourNames{
    "White", "Yellow", "Magenta", "Red", "Cyan", "Green", "Blue", "Info", "Flashing"};
constexpr std::array<std::string_view, 5> kSizeNames{"Big", "Normal", "Small", "Very Small",
                                                     "Unreadable"};

// "&Edit Text...": load, edit in the Text Messages dialog, save unless cancelled.
void EditTextMessages();
// Returns true when an image was read. An image whose messages do not all lie inside it is
// refused like one without the signature.
bool LoadTextRom();
void SaveTextRom();

// The characters from `start` up to the one with the last-character bit, at most
// kMaxMessageLength of them and never past the image's end.
std::string DecodeMessage(std::span<const std::uint8_t> image, std::size_t start);
// Stores `text` as characters from `start`, the last one with the last-character bit, and
// changes the text to what now reads back. An empty text stores nothing; characters that would
// fall outside the image are dropped first.
void EncodeMessage(std::string& text, std::span<std::uint8_t> image, std::size_t start);
// Stores the fields of the open Text Messages dialog into `message` of the text ROM image, and
// shows its stored text in its line of the list.
void CommitMessage(platform::Dialog& dialog, int message);

INT_PTR TextMessagesDialogProc(platform::Dialog& dialog, UINT message, WPARAM wParam,
                               LPARAM lParam);

void ResetTextMessages();

}  // namespace files
