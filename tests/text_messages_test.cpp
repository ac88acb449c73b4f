// The text message editor: "&Edit Text..." with its files, the Text Messages dialog driven as a
// person would, the character code both ways, and the text ROM files it refuses.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/text_code.h"
#include "files/text_messages.h"
#include "files/text_rom.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"
#include "support/editor_test.h"
#include "support/text_rom_builder.h"

namespace {

using testing_support::EditTextRomFile;
using testing_support::FakeDialog;
using testing_support::MessageBytes;
using testing_support::ReadFileBytes;
using testing_support::TextRomBuilder;
using testing_support::WriteFileBytes;
using namespace resources;

constexpr UINT kOpenFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
constexpr UINT kSaveFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION;

std::vector<std::uint8_t> Image() {
  return {files::text_rom_image.begin(), files::text_rom_image.end()};
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                                std::size_t size) {
  return {bytes.begin() + static_cast<long>(offset),
          bytes.begin() + static_cast<long>(offset + size)};
}

// Enter pressed in the dialog: the key goes down, and the dialog hears of it (as IDOK, which
// it leaves alone).
void PressEnter(testing_support::FakeHost& host, FakeDialog& dialog) {
  host.PressKey(VK_RETURN);
  dialog.Send(WM_COMMAND, IDOK);
}

class TextMessagesTest : public testing_support::EditorTest {
 protected:
  // Loads the file and cancels the dialog: the image then holds the file.
  void LoadAndCancel(const std::string& path) {
    EditTextRomFile(host, path, [](FakeDialog& dialog) { dialog.Click(kTextMessagesCancel); });
  }
};

TEST(TextCodeTest, EveryCodeDecodesAndEveryCharacterEncodes) {
  const std::string decoded =
      " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ -\xBD\xA9" + std::string(23, '-');
  ASSERT_EQ(decoded.size(), 64u);
  for (int code = 0; code < 64; ++code) {
    EXPECT_EQ(files::DecodeCharacter(code), decoded[static_cast<std::size_t>(code)]) << code;
    // Reading a character back gives its code, but for the second space and the unused codes.
    char c = files::DecodeCharacter(code);
    const int expected = code == 37 ? 0 : code > 40 ? 38 : code;
    EXPECT_EQ(files::EncodeCharacter(c), expected) << code;
    EXPECT_EQ(c, decoded[static_cast<std::size_t>(code)]);
  }
  struct Case {
    char typed;
    int code;
    char stored;
  };
  const Case cases[] = {{'a', 11, 'A'},  {'z', 36, 'Z'},   {'/', 39, '\xBD'}, {'@', 40, '\xA9'},
                        {'!', 38, '-'},  {'.', 38, '-'},   {'\xE9', 38, '-'}, {'\xBC', 38, '-'},
                        {'\0', 38, '-'}, {'\x80', 38, '-'}};
  for (const Case& test : cases) {
    char c = test.typed;
    EXPECT_EQ(files::EncodeCharacter(c), test.code) << static_cast<int>(test.typed);
    EXPECT_EQ(c, test.stored);
  }
}

TEST_F(TextMessagesTest, OpeningListsEveryMessageAndSelectingShowsItsFields) {
  const TextRomBuilder rom = TextRomBuilder()
                                 .Message(35, "DEUX MOTS")
                                 .X(35, 0xFD)
                                 .Pair(5, 0x72, 0x9C)
                                 .Message(104, "A-B")
                                 .Pair(14, 0x9F, 7);
  const std::string path = rom.WriteTo(temp, "texts.121");
  std::vector<std::string> list;
  EditTextRomFile(host, path, [&](FakeDialog& dialog) {
    list = dialog.Control(kMessageList).strings;
    EXPECT_EQ(dialog.Control(kMessageSizeList).strings,
              (std::vector<std::string>{"Big", "Normal", "Small", "Very Small", "Unreadable"}));
    EXPECT_EQ(dialog.Control(kMessageColourList).strings,
              (std::vector<std::string>{"White", "Yellow", "Magenta", "Red", "Cyan", "Green",
                                        "Blue", "Info", "Flashing"}));

    dialog.Select(kMessageList, 35);
    EXPECT_EQ(dialog.GetItemText(kMessageTextEdit), "DEUX MOTS");
    EXPECT_EQ(dialog.GetItemText(kMessageNumberLabel), "Message : 6");
    EXPECT_EQ(dialog.GetItemText(kMessageLanguageLabel), "Language : French");
    EXPECT_EQ(dialog.GetItemText(kMessageXEdit), "-3");
    EXPECT_EQ(dialog.GetItemText(kMessageYEdit), "-100");
    EXPECT_EQ(dialog.GetCurSel(kMessageColourList), 7);
    EXPECT_EQ(dialog.GetCurSel(kMessageSizeList), 2);
    EXPECT_EQ(dialog.Control(kMessageTextEdit).text_limit, 9);

    dialog.Select(kMessageList, 104);
    EXPECT_EQ(dialog.GetItemText(kMessageTextEdit), "A-B");
    EXPECT_EQ(dialog.GetItemText(kMessageNumberLabel), "Message : 15");
    EXPECT_EQ(dialog.GetItemText(kMessageLanguageLabel), "Language : Spanish");
    EXPECT_EQ(dialog.GetItemText(kMessageXEdit), "44");
    EXPECT_EQ(dialog.GetItemText(kMessageYEdit), "7");
    // Nibbles beyond the lists leave them without a selection.
    EXPECT_EQ(dialog.GetCurSel(kMessageColourList), LB_ERR);
    EXPECT_EQ(dialog.GetCurSel(kMessageSizeList), LB_ERR);
    EXPECT_EQ(dialog.Control(kMessageTextEdit).text_limit, 3);

    dialog.Select(kMessageList, 0);
    EXPECT_EQ(dialog.GetItemText(kMessageLanguageLabel), "Language : English");
    EXPECT_EQ(dialog.GetItemText(kMessageNumberLabel), "Message : 1");
    dialog.Select(kMessageList, 89);
    EXPECT_EQ(dialog.GetItemText(kMessageLanguageLabel), "Language : German");
    EXPECT_EQ(dialog.GetItemText(kMessageNumberLabel), "Message : 30");
    dialog.Click(kTextMessagesCancel);
  });

  ASSERT_EQ(list.size(), 120u);
  EXPECT_EQ(list[0], "TEXT 0");
  EXPECT_EQ(list[35], "DEUX MOTS");
  EXPECT_EQ(list[104], "A-B");
  EXPECT_EQ(list[119], "TEXT 119");
  EXPECT_TRUE(files::text_rom_loaded);
  // Each selection stored the one before it unchanged, unnamed nibbles included.
  EXPECT_EQ(Image(), rom.Bytes());
  EXPECT_EQ(host.dialogs_run, std::vector<int>{kTextMessagesDialogId});
  ASSERT_EQ(host.file_dialogs.size(), 1u);
  const testing_support::ShownFileDialog& shown = host.file_dialogs[0];
  EXPECT_FALSE(shown.save);
  EXPECT_EQ(shown.request.title, "Load ROM 121 File");
  EXPECT_EQ(shown.request.filter_description, "ROM 121 Files (*.121)");
  EXPECT_EQ(shown.request.filter_pattern, "*.121");
  EXPECT_EQ(shown.request.default_extension, "121");
  EXPECT_EQ(shown.request.flags, kOpenFlags);
}

TEST_F(TextMessagesTest, EnterStoresTheSignsTypedAsSlashAndAtSign) {
  const TextRomBuilder rom = TextRomBuilder().Message(7, "WXYZ");
  const std::size_t characters = rom.RecordOffset(7) + 1;
  EditTextRomFile(host, rom.WriteTo(temp, "in.121"), [&](FakeDialog& dialog) {
    dialog.Select(kMessageList, 7);
    dialog.Type(kMessageTextEdit, "a/b@");
    PressEnter(host, dialog);
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_EQ(Slice(Image(), characters, 4), (std::vector<std::uint8_t>{0x16, 0x4E, 0x18, 0xD0}));
    EXPECT_EQ(dialog.Control(kMessageList).strings[7],
              "A\xBD"
              "B\xA9");
    EXPECT_EQ(dialog.GetCurSel(kMessageList), 7);

    // A key still held is no new press: what is typed now waits for the next Enter.
    dialog.Type(kMessageTextEdit, "QQQQ");
    dialog.Send(WM_COMMAND, IDOK);
    EXPECT_EQ(Image()[characters], 0x16);
    host.ReleaseKey(VK_RETURN);
    dialog.Click(kTextMessagesCancel);
  });

  // Cancel keeps the stored message in the image but asks for no file to save.
  EXPECT_EQ(Slice(Image(), characters, 4), (std::vector<std::uint8_t>{0x16, 0x4E, 0x18, 0xD0}));
  EXPECT_EQ(host.file_dialogs.size(), 1u);
}

TEST_F(TextMessagesTest, PositionsAreSignedBytesAndTheYPositionIsSharedByTheFourLanguages) {
  const TextRomBuilder rom = TextRomBuilder().X(12, 0xFD).Pair(4, 0x21, 10);
  const std::size_t x12 = rom.RecordOffset(12);
  const std::size_t y4 = rom.AttributeOffset(4) + 1;
  const std::string out = temp.File("out.121");
  EditTextRomFile(
      host, rom.WriteTo(temp, "in.121"),
      [&](FakeDialog& dialog) {
        dialog.Select(kMessageList, 12);
        EXPECT_EQ(dialog.GetItemText(kMessageXEdit), "-3");
        PressEnter(host, dialog);  // "-3" stores 0xFD again
        EXPECT_EQ(Image()[x12], 0xFD);
        dialog.Type(kMessageXEdit, "5");
        PressEnter(host, dialog);
        EXPECT_EQ(Image()[x12], 5);
        dialog.Type(kMessageXEdit, "253");
        PressEnter(host, dialog);
        EXPECT_EQ(Image()[x12], 0xFD);
        // Only the low eight bits are kept, however long the number.
        dialog.SetItemText(kMessageXEdit, "4294967551");
        PressEnter(host, dialog);
        EXPECT_EQ(Image()[x12], 0xFF);
        // Text that is no number keeps the byte.
        for (const char* text : {"", "-", "12a", " 7", "+-3"}) {
          dialog.SetItemText(kMessageXEdit, text);
          PressEnter(host, dialog);
          EXPECT_EQ(Image()[x12], 0xFF) << text;
        }
        EXPECT_EQ(Image()[y4], 10);

        dialog.Select(kMessageList, 4);
        dialog.Type(kMessageYEdit, "200");
        dialog.Select(kMessageList, 34);  // commits message 4
        EXPECT_EQ(Image()[y4], 200);
        EXPECT_EQ(dialog.GetItemText(kMessageYEdit), "-56");
        for (int message : {64, 94}) {
          dialog.Select(kMessageList, message);
          EXPECT_EQ(dialog.GetItemText(kMessageYEdit), "-56") << message;
        }
        dialog.Select(kMessageList, 5);
        EXPECT_EQ(dialog.GetItemText(kMessageYEdit), std::to_string(3 * 5 - 40));
        dialog.Click(kTextMessagesOk);
      },
      out);

  const std::vector<std::uint8_t> saved = ReadFileBytes(out);
  std::vector<std::uint8_t> expected = rom.Bytes();
  expected[x12] = 0xFF;
  expected[y4] = 200;
  EXPECT_EQ(saved, expected);
}

TEST_F(TextMessagesTest, ShorterTextsEndEarlyAndKeepTheirOldBytesWithinTheLengthAtOpening) {
  const TextRomBuilder rom = TextRomBuilder().Message(50, "ABCDEF");
  const std::size_t characters = rom.RecordOffset(50) + 1;
  const std::vector<std::uint8_t> old_bytes = MessageBytes("ABCDEF");
  const std::string out = temp.File("out.121");
  EditTextRomFile(
      host, rom.WriteTo(temp, "in.121"),
      [&](FakeDialog& dialog) {
        dialog.Select(kMessageList, 50);
        dialog.Type(kMessageTextEdit, "XY");
        PressEnter(host, dialog);
        std::vector<std::uint8_t> expected = old_bytes;
        expected[0] = MessageBytes("X")[0] & 0x7F;
        expected[1] = MessageBytes("Y")[0];
        EXPECT_EQ(Slice(Image(), characters, 6), expected);
        EXPECT_EQ(dialog.Control(kMessageList).strings[50], "XY");

        // Selected again, it reads as stored, and may grow back to its length at opening.
        dialog.Select(kMessageList, 51);
        dialog.Select(kMessageList, 50);
        EXPECT_EQ(dialog.GetItemText(kMessageTextEdit), "XY");
        EXPECT_EQ(dialog.Control(kMessageTextEdit).text_limit, 6);
        dialog.Type(kMessageTextEdit, "1234567");
        PressEnter(host, dialog);
        EXPECT_EQ(Slice(Image(), characters, 7),
                  (std::vector<std::uint8_t>{0x04, 0x06, 0x08, 0x0A, 0x0C, 0x8E,
                                             rom.Bytes()[characters + 6]}));

        // An empty text stores nothing, but its line shows it.
        dialog.Type(kMessageTextEdit, "");
        PressEnter(host, dialog);
        EXPECT_EQ(Image()[characters + 5], 0x8E);
        EXPECT_EQ(dialog.Control(kMessageList).strings[50], "");
        dialog.Type(kMessageTextEdit, "HI");
        dialog.Click(kTextMessagesOk);
      },
      out);
  EXPECT_EQ(Slice(ReadFileBytes(out), characters, 6),
            (std::vector<std::uint8_t>{0x24, 0x26 | 0x80, 0x08, 0x0A, 0x0C, 0x8E}));

  // Opened again from the saved file, the message is two characters long and stays so.
  EditTextRomFile(host, out, [&](FakeDialog& dialog) {
    EXPECT_EQ(dialog.Control(kMessageList).strings[50], "HI");
    dialog.Select(kMessageList, 50);
    EXPECT_EQ(dialog.Control(kMessageTextEdit).text_limit, 2);
    dialog.Type(kMessageTextEdit, "LONGER");
    EXPECT_EQ(dialog.GetItemText(kMessageTextEdit), "LO");
    dialog.Click(kTextMessagesCancel);
  });
}

TEST_F(TextMessagesTest, TextBeyondTheLimitThatAHostLetsThroughIsCutToTheRecord) {
  const TextRomBuilder rom = TextRomBuilder().Message(0, "AB");
  const std::vector<std::uint8_t> next_record = Slice(rom.Bytes(), rom.RecordOffset(1), 8);
  EditTextRomFile(host, rom.WriteTo(temp, "in.121"), [&](FakeDialog& dialog) {
    dialog.Select(kMessageList, 0);
    dialog.SetItemText(kMessageTextEdit, "CDEFGHIJ");
    PressEnter(host, dialog);
    EXPECT_EQ(dialog.Control(kMessageList).strings[0], "CD");
    dialog.Click(kTextMessagesCancel);
  });
  EXPECT_EQ(Slice(Image(), rom.RecordOffset(0) + 1, 2), MessageBytes("CD"));
  EXPECT_EQ(Slice(Image(), rom.RecordOffset(1), 8), next_record);
}

TEST_F(TextMessagesTest, ColourAndSizeAreStoredInTheSharedAttributeByte) {
  const TextRomBuilder rom = TextRomBuilder()
                                 .Pair(2, 0x00, 0)
                                 .Pair(3, 0xA7, 0)
                                 .MessageCharacters(9, {0x4A, 0x5A | 0x01, 0x7F | 0x80});
  const std::size_t record9 = rom.RecordOffset(9) + 1;
  EditTextRomFile(host, rom.WriteTo(temp, "in.121"), [&](FakeDialog& dialog) {
    dialog.Select(kMessageList, 62);
    dialog.Select(kMessageColourList, 8);
    dialog.Select(kMessageSizeList, 4);
    dialog.Select(kMessageList, 3);  // commits message 62, pair 2
    EXPECT_EQ(Image()[rom.AttributeOffset(2)], 0x84);
    // Nibbles that the lists have no name for stay as they were until a name is chosen.
    PressEnter(host, dialog);
    EXPECT_EQ(Image()[rom.AttributeOffset(3)], 0xA7);
    dialog.Select(kMessageSizeList, 0);
    PressEnter(host, dialog);
    EXPECT_EQ(Image()[rom.AttributeOffset(3)], 0xA0);
    dialog.Select(kMessageColourList, 1);
    PressEnter(host, dialog);
    EXPECT_EQ(Image()[rom.AttributeOffset(3)], 0x10);

    // Code 37 reads as a space and goes back as 0, codes above 40 as dashes (38); bit 0 drops.
    dialog.Select(kMessageList, 9);
    EXPECT_EQ(dialog.GetItemText(kMessageTextEdit), " --");
    PressEnter(host, dialog);
    dialog.Click(kTextMessagesCancel);
  });
  EXPECT_EQ(Slice(Image(), record9, 3), (std::vector<std::uint8_t>{0x00, 0x4C, 0xCC}));
}

TEST_F(TextMessagesTest, OkStoresTheSelectedMessageAndSavesWhileCancelAndTheCloseBoxDoNot) {
  const TextRomBuilder rom = TextRomBuilder().Message(20, "OLD TEXT");
  const std::string in = rom.WriteTo(temp, "in.121");
  const std::size_t characters = rom.RecordOffset(20) + 1;
  const std::string out = temp.File("out.121");
  WriteFileBytes(out, std::vector<std::uint8_t>(30, 0x42));

  // Typed, then Cancel or the close box: nothing stored, no save dialog.
  for (const bool close_box : {false, true}) {
    SCOPED_TRACE(close_box);
    host.file_dialogs.clear();
    EditTextRomFile(host, in, [&](FakeDialog& dialog) {
      dialog.Select(kMessageList, 20);
      dialog.Type(kMessageTextEdit, "NEW");
      dialog.Type(kMessageXEdit, "9");
      // Neither key's command closes the dialog.
      dialog.Send(WM_COMMAND, IDOK);
      dialog.Send(WM_COMMAND, IDCANCEL);
      EXPECT_FALSE(dialog.HasEnded());
      close_box ? dialog.Close() : void(dialog.Click(kTextMessagesCancel));
    });
    EXPECT_EQ(Image(), rom.Bytes());
    EXPECT_EQ(host.file_dialogs.size(), 1u);
    EXPECT_EQ(ReadFileBytes(out), std::vector<std::uint8_t>(30, 0x42));
  }

  // Typed, then OK: stored and saved.
  host.file_dialogs.clear();
  EditTextRomFile(
      host, in,
      [&](FakeDialog& dialog) {
        dialog.Select(kMessageList, 20);
        dialog.Type(kMessageTextEdit, "NEW");
        dialog.Type(kMessageXEdit, "9");
        dialog.Click(kTextMessagesOk);
      },
      out);
  std::vector<std::uint8_t> expected = rom.Bytes();
  expected[characters - 1] = 9;
  const std::vector<std::uint8_t> stored = MessageBytes("NEW");
  std::copy(stored.begin(), stored.end(), expected.begin() + static_cast<long>(characters));
  EXPECT_EQ(ReadFileBytes(out), expected);
  EXPECT_EQ(Image(), expected);
  ASSERT_EQ(host.file_dialogs.size(), 2u);
  const testing_support::ShownFileDialog& shown = host.file_dialogs[1];
  EXPECT_TRUE(shown.save);
  EXPECT_EQ(shown.request.title, "Save ROM 121 File");
  EXPECT_EQ(shown.request.filter_description, "ROM 121 Files (*.121)");
  EXPECT_EQ(shown.request.filter_pattern, "*.121");
  EXPECT_EQ(shown.request.default_extension, "121");
  EXPECT_EQ(shown.request.flags, kSaveFlags);
  EXPECT_TRUE(host.message_boxes.empty());

  // Nothing changed: OK saves the file as it was read, whether messages were selected or not.
  for (const bool select : {false, true}) {
    SCOPED_TRACE(select);
    WriteFileBytes(out, {});
    EditTextRomFile(
        host, in,
        [&](FakeDialog& dialog) {
          if (select) {
            dialog.Select(kMessageList, 20);
            dialog.Select(kMessageList, 95);
          }
          dialog.Click(kTextMessagesOk);
        },
        out);
    EXPECT_EQ(ReadFileBytes(out), rom.Bytes());
  }
}

TEST_F(TextMessagesTest, FilesThatAreNotTextRomsAreRefusedAndChangeNothing) {
  const TextRomBuilder first = TextRomBuilder().Message(3, "FIRST");
  LoadAndCancel(first.WriteTo(temp, "first.121"));
  ASSERT_EQ(Image(), first.Bytes());

  std::vector<std::uint8_t> wrong_signature = TextRomBuilder().Bytes();
  wrong_signature[2] = 0x86;
  // A record that runs to the image's end without a last character.
  TextRomBuilder runs_off = TextRomBuilder().Pointer(5, 0xD7F0);
  for (std::size_t offset = 0x7F1; offset < 0x800; ++offset) {
    runs_off.Byte(offset, 0x16);
  }
  const std::vector<std::uint8_t> bad_files[] = {
      wrong_signature,
      {0xE6, 0x06, 0x85},
      {},
      TextRomBuilder().Pointer(17, 0xCFFF).Bytes(),
      TextRomBuilder().Pointer(17, 0xD800).Bytes(),
      TextRomBuilder().Pointer(119, 0x0000).Bytes(),
      // No last-character bit within 63 characters.
      TextRomBuilder().MessageCharacters(40, std::vector<std::uint8_t>(63, 0x16)).Bytes(),
      runs_off.Bytes(),
      // The X byte is the image's last byte: no room for a character.
      TextRomBuilder().Pointer(5, 0xD7FF).Byte(0x7FF, 0x96).Bytes(),
  };

  for (std::size_t i = 0; i < std::size(bad_files); ++i) {
    SCOPED_TRACE(i);
    host.message_boxes.clear();
    host.dialogs_run.clear();
    const std::string path = temp.File("bad" + std::to_string(i) + ".121");
    WriteFileBytes(path, bad_files[i]);
    host.AnswerFileDialog(path);
    host.ChooseMenuItem(kEditText);
    host.HandleMessages();
    ExpectOnlyMessage("Not a valid Tempest ROM 121 file");
    EXPECT_TRUE(host.dialogs_run.empty());
    EXPECT_EQ(Image(), first.Bytes());
  }
  // Only the first load asked for a save dialog: none followed a refused file.
  EXPECT_EQ(host.file_dialogs.size(), 1u + std::size(bad_files));
  EXPECT_TRUE(std::all_of(host.file_dialogs.begin(), host.file_dialogs.end(),
                          [](const auto& shown) { return !shown.save; }));
}

TEST_F(TextMessagesTest, RefusedOrUnopenableFirstLoadLeavesTheImageUnloaded) {
  const std::filesystem::path folder = temp.Path() / "folder.121";
  std::filesystem::create_directory(folder);
  WriteFileBytes(temp.File("signature only.121"), {0xE6, 0x06, 0x85, 0x17});
  const std::string cases[] = {temp.File("missing.121"), folder.string(),
                               temp.File("signature only.121")};
  const std::string messages[] = {"Could not open \"" + cases[0] + "\".",
                                  "Could not open \"" + cases[1] + "\".",
                                  "Not a valid Tempest ROM 121 file"};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i]);
    host.message_boxes.clear();
    host.AnswerFileDialog(cases[i]);
    host.ChooseMenuItem(kEditText);
    host.HandleMessages();
    ExpectOnlyMessage(messages[i]);
  }
  host.AnswerFileDialog(std::nullopt);
  host.ChooseMenuItem(kEditText);
  host.HandleMessages();

  EXPECT_EQ(host.message_boxes.size(), 1u);
  EXPECT_TRUE(host.dialogs_run.empty());
  EXPECT_FALSE(files::text_rom_loaded);
  EXPECT_EQ(Image(), std::vector<std::uint8_t>(files::kTextRomSize, 0));
}

TEST_F(TextMessagesTest, ShortFilesOverwriteOnlyWhatTheyHoldAndRecordsMayEndAtTheImageEnd) {
  // The longest record, and a record whose last character is the image's last byte.
  const std::vector<std::uint8_t> longest = MessageBytes(std::string(63, 'Q'));
  const TextRomBuilder first = TextRomBuilder()
                                   .MessageCharacters(1, longest)
                                   .Pointer(119, 0xD7FD)
                                   .Byte(0x7FD, 0x02)
                                   .Byte(0x7FE, 0x16)
                                   .Byte(0x7FF, 0x98);
  LoadAndCancel(first.WriteTo(temp, "first.121"));
  ASSERT_TRUE(host.message_boxes.empty());
  ASSERT_EQ(Image(), first.Bytes());

  // The file ends before the pointer table: the image keeps its messages.
  std::vector<std::uint8_t> shorter(45, 0x5A);
  std::copy(files::kTextRomSignature.begin(), files::kTextRomSignature.end(), shorter.begin());
  const std::string short_path = temp.File("short.121");
  WriteFileBytes(short_path, shorter);
  EditTextRomFile(host, short_path, [&](FakeDialog& dialog) {
    const std::vector<std::string>& list = dialog.Control(kMessageList).strings;
    EXPECT_EQ(list[1], std::string(63, 'Q'));
    EXPECT_EQ(list[119], "AB");
    dialog.Select(kMessageList, 1);
    EXPECT_EQ(dialog.Control(kMessageTextEdit).text_limit, 63);
    dialog.Select(kMessageList, 119);
    EXPECT_EQ(dialog.GetItemText(kMessageXEdit), "2");
    dialog.Click(kTextMessagesCancel);
  });
  EXPECT_TRUE(host.message_boxes.empty());
  std::vector<std::uint8_t> expected = first.Bytes();
  std::copy(shorter.begin(), shorter.end(), expected.begin());
  EXPECT_EQ(Image(), expected);
}

TEST_F(TextMessagesTest, FailedSaveIsReportedAndKeepsTheOldFile) {
  const TextRomBuilder rom;
  const std::string in = rom.WriteTo(temp, "in.121");
  const std::filesystem::path folder = temp.Path() / "taken.121";
  std::filesystem::create_directory(folder);
  for (const std::string& path : {temp.File("no such folder/out.121"), folder.string()}) {
    SCOPED_TRACE(path);
    host.message_boxes.clear();
    EditTextRomFile(
        host, in, [](FakeDialog& dialog) { dialog.Click(kTextMessagesOk); }, path);
    ExpectOnlyMessage("Could not write \"" + path + "\".");
    EXPECT_TRUE(std::filesystem::is_empty(folder));
  }
  // A cancelled save dialog writes nothing and says nothing.
  host.message_boxes.clear();
  host.AnswerFileDialog(in);
  host.ActInDialog(kTextMessagesDialogId,
                   [](FakeDialog& dialog) { dialog.Click(kTextMessagesOk); });
  host.AnswerFileDialog(std::nullopt);
  host.ChooseMenuItem(kEditText);
  host.HandleMessages();
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(ReadFileBytes(in), rom.Bytes());
}

TEST_F(TextMessagesTest, ADialogOverAnImageNeverLoadedListsAndStoresNothing) {
  host.ActInDialog(kTextMessagesDialogId, [&](FakeDialog& dialog) {
    EXPECT_TRUE(dialog.Control(kMessageList).strings.empty());
    EXPECT_EQ(dialog.Control(kMessageSizeList).strings.size(), 5u);
    dialog.Send(WM_COMMAND, MAKEWPARAM(kMessageList, LBN_SELCHANGE));
    dialog.Type(kMessageTextEdit, "ABC");
    PressEnter(host, dialog);
    dialog.Click(kTextMessagesOk);
  });
  platform::CurrentHost().RunModalDialog(TextMessagesDialog(), nullptr,
                                         files::TextMessagesDialogProc);
  EXPECT_EQ(Image(), std::vector<std::uint8_t>(files::kTextRomSize, 0));
}

TEST_F(TextMessagesTest, SampleTextsHoldThirtyMessagesInEachLanguage) {
  const std::string sample = std::string(RIMFORGE_SAMPLES_DIR) + "/rimforge_texts.121";
  const std::vector<std::uint8_t> bytes = ReadFileBytes(sample);
  ASSERT_EQ(bytes.size(), files::kTextRomSize);
  const std::string out = temp.File("again.121");
  EditTextRomFile(
      host, sample,
      [&](FakeDialog& dialog) {
        const std::vector<std::string> list = dialog.Control(kMessageList).strings;
        ASSERT_EQ(list.size(), 120u);
        for (const std::string& text : list) {
          EXPECT_FALSE(text.empty());
          EXPECT_EQ(text.find_first_not_of(" 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-\xBD\xA9"),
                    std::string::npos)
              << text;
        }
        // The four languages, one after another.
        EXPECT_EQ(list[0], "GAME OVER");
        EXPECT_EQ(list[30], "FIN DE PARTIE");
        EXPECT_EQ(list[60], "SPIELENDE");
        EXPECT_EQ(list[90], "FIN DEL JUEGO");
        EXPECT_EQ(list[119], "\xA9 RIMFORGE");
        for (int m = 0; m < 120; m += 7) {
          dialog.Select(kMessageList, m);
        }
        dialog.Click(kTextMessagesOk);
      },
      out);
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(ReadFileBytes(out), bytes);
}

}  // namespace
