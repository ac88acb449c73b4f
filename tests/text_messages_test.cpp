// The text message editor: "&Edit Text..." with the Text Messages dialog driven as a person
// would, the character code both ways, and the text ROM it saves.
#include "files/text_messages.h"
#include "files/text_code.h"
#include "files/text_rom.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"
#include "support/editor_test.h"

namespace {

using namespace testing_support;
using namespace resources;

Bytes Image() {
  return {files::text_rom_image.begin(), files::text_rom_image.end()};
}

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t size) {
  return {bytes.begin() + static_cast<long>(offset),
          bytes.begin() + static_cast<long>(offset + size)};
}

TEST(TextCodeTest, EveryCodeDecodesAndEveryCharacterEncodes) {
  const std::string decoded =
      " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ -\xBD\xA9" + std::string(23, '-');
  for (int code = 0; code < 128; ++code) {
    char c = files::DecodeCharacter(code);
    EXPECT_EQ(c, decoded[code % 64]) << code;
    // Reading a character back gives its code, but for the second space and the unused codes.
    EXPECT_EQ(files::EncodeCharacter(c), code % 64 == 37  ? 0
                                         : code % 64 > 40 ? 38
                                                          : code % 64)
        << code;
  }
  const struct {
    char typed;
    int code;
    char stored;
  } cases[] = {{'a', 11, 'A'}, {'z', 36, 'Z'},    {'/', 39, '\xBD'}, {'@', 40, '\xA9'},
               {'!', 38, '-'}, {'\xE9', 38, '-'}, {'\xBC', 38, '-'}, {'\0', 38, '-'},
               {'`', 38, '-'}, {'{', 38, '-'}};
  for (const auto& test : cases) {
    char c = test.typed;
    EXPECT_EQ(files::EncodeCharacter(c), test.code) << static_cast<int>(test.typed);
    EXPECT_EQ(c, test.stored);
  }
}

class TextMessagesTest : public EditorTest {
 protected:
  void Edit(const Bytes& rom, std::function<void(FakeDialog&)> person,
            std::optional<FileAnswer> save_path = {}) {
    EditData(kEditText, kTextMessagesDialogId, temp.Write("in.121", rom), std::move(person),
             save_path);
  }
  // Enter pressed in the dialog: the key goes down, and the dialog hears of it as IDOK.
  void PressEnter(FakeDialog& dialog) {
    host.HoldKey(VK_RETURN);
    dialog.Send(WM_COMMAND, IDOK);
  }
};

TEST_F(TextMessagesTest, SelectingAMessageShowsItsFieldsInTheFourLanguages) {
  const Bytes rom = TextRomBuilder()
                        .Message(35, "DEUX MOTS")
                        .X(35, 0xFD)
                        .Pair(5, 0x72, 0x9C)
                        .Message(104, "A-B")
                        .Pair(14, 0x9F, 7)
                        .Get();
  Edit(rom, [&](FakeDialog& dialog) {
    const std::vector<std::string>& list = dialog.Control(kMessageList).strings;
    ASSERT_EQ(list.size(), 120u);
    EXPECT_EQ(list[0], "TEXT 0");
    EXPECT_EQ(list[35], "DEUX MOTS");
    EXPECT_EQ(list[119], "TEXT 119");
    EXPECT_EQ(dialog.Control(kMessageSizeList).strings.size(), 5u);
    EXPECT_EQ(dialog.Control(kMessageColourList).strings.size(), 9u);
    // Message, then number, language, text, X, Y, colour, size and the text's limit.
    const struct {
      int message;
      const char *number, *language, *text, *x, *y;
      int colour, size, limit;
    } cases[] = {
        {35, "Message : 6", "Language : French", "DEUX MOTS", "-3", "-100", 7, 2, 9},
        // Nibbles beyond the lists leave them without a selection.
        {104, "Message : 15", "Language : Spanish", "A-B", "44", "7", LB_ERR, LB_ERR, 3},
        {0, "Message : 1", "Language : English", "TEXT 0", "-60", "-40", 0, 0, 6},
        {89, "Message : 30", "Language : German", "TEXT 89", "29", "47", 2, 4, 7},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.message);
      dialog.Select(kMessageList, c.message);
      EXPECT_EQ(dialog.GetItemText(kMessageNumberLabel), c.number);
      EXPECT_EQ(dialog.GetItemText(kMessageLanguageLabel), c.language);
      EXPECT_EQ(dialog.GetItemText(kMessageTextEdit), c.text);
      EXPECT_EQ(dialog.GetItemText(kMessageXEdit), c.x);
      EXPECT_EQ(dialog.GetItemText(kMessageYEdit), c.y);
      EXPECT_EQ(dialog.GetCurSel(kMessageColourList), c.colour);
      EXPECT_EQ(dialog.GetCurSel(kMessageSizeList), c.size);
      EXPECT_EQ(dialog.Control(kMessageTextEdit).text_limit, c.limit);
    }
    dialog.Click(kTextMessagesCancel);
  });
  // Each selection stored the one before it unchanged, unnamed nibbles included.
  EXPECT_EQ(Image(), rom);
  EXPECT_TRUE(files::text_rom_loaded);
}

TEST_F(TextMessagesTest, EnterStoresTextsPositionsColoursAndSizesInTheirBytes) {
  const TextRomBuilder builder = TextRomBuilder()
                                     .Message(7, "WXYZ")
                                     .Message(50, "ABCDEF")
                                     .X(12, 0xFD)
                                     .Pair(4, 0x21, 10)
                                     .Pair(3, 0xA7, 0)
                                     .Characters(9, {0x4A, 0x5B, 0xFF});
  const Bytes rom = builder.Get();
  const std::size_t text7 = builder.RecordOffset(7) + 1, text50 = builder.RecordOffset(50) + 1;
  const std::size_t x12 = builder.RecordOffset(12), y4 = AttributeOffset(4) + 1;
  const std::string out = temp.File("out.121");
  Edit(
      rom,
      [&](FakeDialog& dialog) {
        // "/" and "@" stand for the one-half and copyright signs; a key still held is no new press.
        dialog.Select(kMessageList, 7);
        dialog.Type(kMessageTextEdit, "a/b@");
        PressEnter(dialog);
        EXPECT_FALSE(dialog.HasEnded());
        EXPECT_EQ(Slice(Image(), text7, 4), (Bytes{0x16, 0x4E, 0x18, 0xD0}));
        EXPECT_EQ(dialog.Control(kMessageList).strings[7],
                  "A\xBD"
                  "B\xA9");
        dialog.Type(kMessageTextEdit, "QQQQ");
        dialog.Send(WM_COMMAND, IDOK);
        EXPECT_EQ(Image()[text7], 0x16);
        host.ReleaseKey(VK_RETURN);

        // X positions are signed bytes; only the low eight bits of a number count, and text that
        // is no number keeps the byte.
        dialog.Select(kMessageList, 12);
        for (const auto& [typed, stored] :
             std::initializer_list<std::pair<const char*, int>>{{"-3", 0xFD},
                                                                {"5", 5},
                                                                {"253", 0xFD},
                                                                {"4294967551", 0xFF},
                                                                {"", 0xFF},
                                                                {"-", 0xFF},
                                                                {"12a", 0xFF},
                                                                {" 7", 0xFF},
                                                                {"+-3", 0xFF},
                                                                {"+9", 9}}) {
          dialog.SetItemText(kMessageXEdit, typed);
          PressEnter(dialog);
          EXPECT_EQ(Image()[x12], stored) << typed;
        }
        // One Y position serves a message in all four languages; a new selection commits.
        dialog.Select(kMessageList, 4);
        dialog.Type(kMessageYEdit, "200");
        dialog.Select(kMessageList, 34);
        EXPECT_EQ(Image()[y4], 200);
        EXPECT_EQ(dialog.GetItemText(kMessageYEdit), "-56");

        // Colour and size share the attribute byte; nibbles the lists have no name for stay.
        dialog.Select(kMessageList, 62);
        dialog.Select(kMessageColourList, 8);
        dialog.Select(kMessageSizeList, 4);
        dialog.Select(kMessageList, 3);
        EXPECT_EQ(Image()[AttributeOffset(2)], 0x84);
        PressEnter(dialog);
        EXPECT_EQ(Image()[AttributeOffset(3)], 0xA7);
        dialog.Select(kMessageSizeList, 0);
        dialog.Select(kMessageColourList, 1);
        PressEnter(dialog);
        EXPECT_EQ(Image()[AttributeOffset(3)], 0x10);

        // Code 37 reads as a space and goes back as 0, codes above 40 as dashes; bit 0 drops.
        dialog.Select(kMessageList, 9);
        EXPECT_EQ(dialog.GetItemText(kMessageTextEdit), " --");
        PressEnter(dialog);
        EXPECT_EQ(Slice(Image(), builder.RecordOffset(9) + 1, 3), (Bytes{0x00, 0x4C, 0xCC}));

        // A shorter text ends early and keeps the old bytes behind it; selected again it may grow
        // back to its length at opening. An empty text stores nothing.
        dialog.Select(kMessageList, 50);
        dialog.Type(kMessageTextEdit, "XY");
        PressEnter(dialog);
        EXPECT_EQ(Slice(Image(), text50, 6), (Bytes{0x44, 0xC6, 0x1A, 0x1C, 0x1E, 0xA0}));
        dialog.Select(kMessageList, 51);
        dialog.Select(kMessageList, 50);
        EXPECT_EQ(dialog.GetItemText(kMessageTextEdit), "XY");
        EXPECT_EQ(dialog.Control(kMessageTextEdit).text_limit, 6);
        dialog.Type(kMessageTextEdit, "");
        PressEnter(dialog);
        EXPECT_EQ(dialog.Control(kMessageList).strings[50], "");
        EXPECT_EQ(Slice(Image(), text50, 2), (Bytes{0x44, 0xC6}));
        // Text beyond the limit that a host lets through is cut to the record.
        EXPECT_EQ(dialog.Control(kMessageList).strings.size(), 120u);
        dialog.SetItemText(kMessageTextEdit, "HIJKLMNOP");
        dialog.Click(kTextMessagesOk);
      },
      out);
  EXPECT_EQ(Slice(ReadFileBytes(out), text50, 7),
            (Bytes{0x24, 0x26, 0x28, 0x2A, 0x2C, 0xAE, rom[text50 + 6]}));
  EXPECT_EQ(ReadFileBytes(out), Image());

  // Opened again from the saved file, the message is six characters long and stays so.
  EditData(kEditText, kTextMessagesDialogId, out, [](FakeDialog& dialog) {
    EXPECT_EQ(dialog.Control(kMessageList).strings[50], "HIJKLM");
    dialog.Select(kMessageList, 50);
    dialog.Type(kMessageTextEdit, "LONGER TEXT");
    EXPECT_EQ(dialog.GetItemText(kMessageTextEdit), "LONGER");
    dialog.Click(kTextMessagesCancel);
  });
}

TEST_F(TextMessagesTest, OkSavesWhatWasTypedWhileCancelAndTheCloseBoxSaveNothing) {
  const TextRomBuilder builder = TextRomBuilder().Message(20, "OLD TEXT");
  const std::string out = temp.Write("out.121", Bytes(30, 0x42));
  for (const int ending : {0, 1, 2}) {
    SCOPED_TRACE(ending);
    Edit(
        builder.Get(),
        [&](FakeDialog& dialog) {
          dialog.Select(kMessageList, 20);
          dialog.Type(kMessageTextEdit, "NEW");
          dialog.Type(kMessageXEdit, "9");
          // Neither the Enter nor the Escape key's command closes the dialog.
          dialog.Send(WM_COMMAND, IDCANCEL);
          EXPECT_FALSE(dialog.HasEnded());
          ending == 0 ? dialog.Close()
                      : void(dialog.Click(ending == 1 ? kTextMessagesCancel : kTextMessagesOk));
        },
        ending == 2 ? std::optional<FileAnswer>(out) : std::nullopt);
  }
  Bytes expected = builder.Get();
  expected[builder.RecordOffset(20)] = 9;
  const Bytes stored = MessageBytes("NEW");
  std::copy(stored.begin(), stored.end(),
            expected.begin() + static_cast<long>(builder.RecordOffset(20) + 1));
  EXPECT_EQ(ReadFileBytes(out), expected);
  EXPECT_EQ(host.file_dialogs.size(), 4u);  // three opens, one save
  EXPECT_TRUE(host.message_boxes.empty());
}

TEST_F(TextMessagesTest, ShortFilesOverwriteOnlyWhatTheyHoldAndRecordsMayEndAtTheImageEnd) {
  // The longest record, and a record of one character, the image's last byte.
  const Bytes first = TextRomBuilder()
                          .Characters(1, MessageBytes(std::string(63, 'Q')))
                          .Pointer(119, 0xD7FE)
                          .Byte(0x7FE, 0x02)
                          .Byte(0x7FF, 0x98)
                          .Get();
  Edit(first, [](FakeDialog& dialog) { dialog.Click(kTextMessagesCancel); });
  Bytes shorter(45, 0x5A);
  std::copy_n(first.begin(), 4, shorter.begin());
  Edit(shorter, [&](FakeDialog& dialog) {
    EXPECT_EQ(dialog.Control(kMessageList).strings[1], std::string(63, 'Q'));
    EXPECT_EQ(dialog.Control(kMessageList).strings[119], "B");
    dialog.Select(kMessageList, 1);
    EXPECT_EQ(dialog.Control(kMessageTextEdit).text_limit, 63);
    dialog.Select(kMessageList, 119);
    EXPECT_EQ(dialog.GetItemText(kMessageXEdit), "2");
    dialog.Type(kMessageTextEdit, "ZZ");
    EXPECT_EQ(dialog.GetItemText(kMessageTextEdit), "Z");
    dialog.Click(kTextMessagesCancel);
  });
  EXPECT_TRUE(host.message_boxes.empty());
  Bytes expected = first;
  std::copy(shorter.begin(), shorter.end(), expected.begin());
  EXPECT_EQ(Image(), expected);
}

TEST_F(TextMessagesTest, SampleTextsListThirtyMessagesInEachLanguageAndSaveUnchanged) {
  const std::string sample = RIMFORGE_SAMPLES_DIR "/rimforge_texts.121";
  const std::string out = temp.File("again.121");
  EditData(
      kEditText, kTextMessagesDialogId, sample,
      [&](FakeDialog& dialog) {
        const std::vector<std::string> list = dialog.Control(kMessageList).strings;
        ASSERT_EQ(list.size(), 120u);
        EXPECT_EQ(list[0], "GAME OVER");
        EXPECT_EQ(list[30], "FIN DE PARTIE");
        EXPECT_EQ(list[60], "SPIELENDE");
        EXPECT_EQ(list[90], "FIN DEL JUEGO");
        EXPECT_EQ(list[119], "\xA9 RIMFORGE");
        for (int m = 0; m < 120; m += 7)
          dialog.Select(kMessageList, m);
        dialog.Click(kTextMessagesOk);
      },
      out);
  EXPECT_EQ(ReadFileBytes(out), ReadFileBytes(sample));
}

TEST_F(TextMessagesTest, ADialogOverAnImageNeverLoadedListsAndStoresNothing) {
  host.ActInDialog(kTextMessagesDialogId, [&](FakeDialog& dialog) {
    EXPECT_TRUE(dialog.Control(kMessageList).strings.empty());
    dialog.Send(WM_COMMAND, MAKEWPARAM(kMessageList, LBN_SELCHANGE));
    dialog.Type(kMessageTextEdit, "ABC");
    PressEnter(dialog);
    dialog.Click(kTextMessagesOk);
  });
  platform::CurrentHost().RunModalDialog(TextMessagesDialog(), nullptr,
                                         files::TextMessagesDialogProc);
  EXPECT_EQ(Image(), Bytes(files::kTextRomSize, 0));
}

}  // namespace
