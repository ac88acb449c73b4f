// The text message editor: "&Edit Text..." with the Text Messages dialog driven as a person
// would, and the text ROM it saves.
#include <sstream>

#include "files/text_rom.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"
#include "support/editor_test.h"
#include "support/golden.h"

namespace {

using namespace testing_support;
using namespace resources;

Bytes Image() {
  return {files::text_rom_image.begin(), files::text_rom_image.end()};
}

// The character codes 0..47 in order, with a stray low bit, and the bit that ends a record.
Bytes EveryCode() {
  Bytes codes;
  for (int code = 0; code < 48; ++code)
    codes.push_back(static_cast<std::uint8_t>(2 * code + 1));
  codes.back() |= 0x80;
  return codes;
}

class TextMessagesTest : public EditorTest {
 protected:
  void Edit(const Bytes& rom, std::function<void(FakeDialog&)> person,
            std::optional<FileAnswer> save = {}) {
    EditData(kEditText, kTextMessagesDialogId, temp.Write("in.121", rom), std::move(person), save);
  }

  // Acts in the dialog as a script says, steps separated by commas: select M, text T (typed,
  // within the limit), force T (set past it), x T, y T, colour N, size N, enter (a fresh press
  // of the key), again (its command while the key is still down), escape.
  void Act(FakeDialog& dialog, const std::string& script) {
    std::istringstream steps(script);
    for (std::string step; std::getline(steps >> std::ws, step, ',');) {
      const std::string verb = step.substr(0, step.find(' '));
      const std::string rest = step.size() > verb.size() ? step.substr(verb.size() + 1) : "";
      const int number = std::atoi(rest.c_str());
      if (verb == "select") dialog.Select(kMessageList, number);
      if (verb == "text") dialog.Type(kMessageTextEdit, rest);
      if (verb == "force") dialog.SetItemText(kMessageTextEdit, rest);
      if (verb == "x") dialog.SetItemText(kMessageXEdit, rest);
      if (verb == "y") dialog.SetItemText(kMessageYEdit, rest);
      if (verb == "colour") dialog.Select(kMessageColourList, number);
      if (verb == "size") dialog.Select(kMessageSizeList, number);
      if (verb == "enter") host.HoldKey(VK_RETURN);
      if (verb == "enter" || verb == "again") dialog.Send(WM_COMMAND, IDOK);
      if (verb == "escape") dialog.Send(WM_COMMAND, IDCANCEL);
    }
  }

  // What the dialog shows, and every byte changed from `rom`.
  static std::string Shows(FakeDialog& dialog, const Bytes& rom) {
    std::ostringstream line;
    const std::vector<std::string>& list = dialog.Control(kMessageList).strings;
    const int selected = dialog.GetCurSel(kMessageList);
    for (const int id : {kMessageNumberLabel, kMessageLanguageLabel, kMessageTextEdit,
                         kMessageXEdit, kMessageYEdit})
      line << "[" << dialog.GetItemText(id) << "] ";
    line << "colour " << dialog.GetCurSel(kMessageColourList) << " size "
         << dialog.GetCurSel(kMessageSizeList) << " limit "
         << dialog.Control(kMessageTextEdit).text_limit << " | " << list.size() << " lines, ["
         << (selected >= 0 ? list.at(selected) : "") << "] " << dialog.HasEnded() << " | changed"
         << std::hex;
    for (std::size_t i = 0; i < rom.size(); ++i) {
      if (files::text_rom_image[i] != rom[i])
        line << " " << i << "=" << int{files::text_rom_image[i]};
    }
    return line.str();
  }
};

TEST_F(TextMessagesTest, TheDialogShowsAndStoresEveryFieldOfAMessage) {
  TextRomBuilder builder;
  builder.Message(35, "DEUX MOTS").X(35, 0xFD).Pair(5, 0x72, 0x9C).Message(104, "A-B");
  builder.Pair(14, 0x9F, 7).Message(50, "ABCDEF").Pair(3, 0xA7, 0).Characters(9, EveryCode());
  const Bytes rom = builder.Get();
  const std::string out = temp.File("out.121");
  std::string transcript;
  Edit(
      rom,
      [&](FakeDialog& dialog) {
        EXPECT_EQ(dialog.Control(kMessageSizeList).strings.size(), 5u);
        EXPECT_EQ(dialog.Control(kMessageColourList).strings.size(), 9u);
        for (const char* script :
             {"select 35", "select 104", "select 0", "select 89", "select 7",
              "text a/b@`{!\xE9, enter", "text QQQQ, again", "select 12", "x -3, enter",
              "x 253, enter", "x 4294967551, enter", "x 12a, enter", "x +-3, enter", "x  7, enter",
              "x +9, enter", "select 4, y 200, select 34", "select 62, colour 8, size 4, select 3",
              "enter", "size 0, colour 1, enter", "select 9, enter",
              // A text may not grow past the message's length.
              "select 50, text XY, enter", "select 51, select 50", "text 1234567", "text , enter",
              "force HIJKLMNOP, escape"}) {
          Act(dialog, script);
          transcript += std::string(script) + ": " + Shows(dialog, rom) + "\n";
        }
        dialog.Click(kTextMessagesOk);
      },
      out);
  ExpectGoldenText("text_messages.txt", transcript);
  EXPECT_EQ(ReadFileBytes(out), Image());
  const Bytes cut = MessageBytes("HIJKLM");  // OK stored the text set past the limit, cut
  EXPECT_TRUE(std::equal(cut.begin(), cut.end(), Image().begin() + builder.RecordOffset(50) + 1));

  // Opened again from the saved file, a message keeps the length it was saved with.
  EditData(kEditText, kTextMessagesDialogId, out, [](FakeDialog& dialog) {
    dialog.Select(kMessageList, 50);
    EXPECT_EQ(dialog.Control(kMessageTextEdit).text_limit, 6);
    dialog.Close();
  });
}

TEST_F(TextMessagesTest, OkSavesWhatWasTypedWhileCancelAndTheCloseBoxThrowItAway) {
  const TextRomBuilder builder = TextRomBuilder().Message(20, "OLD TEXT");
  const std::string out = temp.Write("out.121", Bytes(30, 0x42));
  for (const int ending : {0, 1, 2}) {
    Edit(
        builder.Get(),
        [&](FakeDialog& dialog) {
          Act(dialog, "select 20, text NEW, x 9, enter, escape");
          EXPECT_FALSE(dialog.HasEnded());
          ending == 0 ? dialog.Close()
                      : void(dialog.Click(ending == 1 ? kTextMessagesCancel : kTextMessagesOk));
        },
        ending == 2 ? std::optional<FileAnswer>(out) : std::nullopt);
    // Even what Enter stored is gone, so that no later patch writes it.
    EXPECT_TRUE(ending == 2 || Image() == builder.Get()) << ending;
  }
  Bytes expected = builder.Get();
  expected[builder.RecordOffset(20)] = 9;
  std::ranges::copy(MessageBytes("NEW"), expected.begin() + builder.RecordOffset(20) + 1);
  EXPECT_EQ(ReadFileBytes(out), expected);
  EXPECT_EQ(host.file_dialogs.size(), 4u);  // three opens, one save
  EXPECT_TRUE(host.message_boxes.empty());
}

// A record over the pointer table, as odd files have: its text and X position are greyed and
// kept, so that the image still finds its messages; its attribute pair is stored.
TEST_F(TextMessagesTest, ARecordOverThePointerTableKeepsItsBytes) {
  const Bytes rom = TextRomBuilder().Pointer(0, 0xD000 + 100).Get();
  Edit(
      rom,
      [&](FakeDialog& dialog) {
        const std::string line = dialog.Control(kMessageList).strings[0];
        Act(dialog, "select 0");
        EXPECT_FALSE(dialog.Control(kMessageTextEdit).enabled ||
                     dialog.Control(kMessageXEdit).enabled);
        Act(dialog, "force ZZ, x 5, y 7, enter, select 1");
        EXPECT_TRUE(dialog.Control(kMessageList).strings[0] == line &&
                    dialog.Control(kMessageTextEdit).enabled);
        dialog.Click(kTextMessagesOk);
      },
      FileAnswer());
  EXPECT_TRUE(
      std::equal(rom.begin(), rom.begin() + files::kMessageAttributesOffset, Image().begin()));
  EXPECT_EQ(Image().at(files::kMessageAttributesOffset + 1), 7);
}

TEST_F(TextMessagesTest, ShortFilesOverwriteOnlyWhatTheyHoldAndRecordsMayEndAtTheImageEnd) {
  // The longest record, and a record of one character, the image's last byte.
  TextRomBuilder builder;
  builder.Characters(1, MessageBytes(std::string(63, 'Q'))).Pointer(119, 0xD7FE);
  const Bytes first = builder.Byte(0x7FE, 0x02).Byte(0x7FF, 0x98).Get();
  Edit(first, [](FakeDialog& dialog) { dialog.Close(); });
  Bytes shorter(45, 0x5A);
  std::copy_n(first.begin(), 4, shorter.begin());
  Edit(shorter, [&](FakeDialog& dialog) {
    EXPECT_EQ(dialog.Control(kMessageList).strings[1], std::string(63, 'Q'));
    Act(dialog, "select 1");
    EXPECT_EQ(dialog.Control(kMessageTextEdit).text_limit, 63);
    Act(dialog, "select 119, text ZZ");
    EXPECT_EQ(dialog.Control(kMessageList).strings[119], "B");
    EXPECT_EQ(dialog.GetItemText(kMessageXEdit) + dialog.GetItemText(kMessageTextEdit), "2Z");
    dialog.Close();
  });
  EXPECT_TRUE(host.message_boxes.empty());
  Bytes expected = first;
  std::copy(shorter.begin(), shorter.end(), expected.begin());
  EXPECT_EQ(Image(), expected);
}

}  // namespace
