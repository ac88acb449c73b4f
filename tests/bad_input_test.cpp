// Every kind of file the editor reads, in every bad shape a file comes in: empty, one byte, the
// signature alone, cut at each field boundary, oversized, with a wrong signature, random bytes
// behind a right one, missing, a folder, or not chosen at all. Each is opened through the menus
// as a person would; for each the test says whether it is taken, with which message it is
// refused, and what it changed in memory. A refused file changes nothing at all.
#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>
#include <random>

#include "app/editor_state.h"
#include "files/colours.h"
#include "files/level_rom_file.h"
#include "files/text_rom.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/colour_dialogs.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"

namespace {

using namespace testing_support;
using namespace resources;

// One bad shape of a file, and whether the editor takes it.
struct Shape {
  std::string name;
  Bytes bytes;
  bool taken;
};

Bytes Cut(const Bytes& bytes, std::size_t size) {
  return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)};
}

Bytes With(Bytes bytes, std::size_t offset, const Bytes& put) {
  std::copy(put.begin(), put.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  return bytes;
}

// Bytes from a fixed seed: the engine's output is the same on every standard library.
Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 engine(seed);
  Bytes bytes(size);
  for (std::uint8_t& byte : bytes)
    byte = static_cast<std::uint8_t>(engine());
  return bytes;
}

// `base` with the bytes of `file` over its start, as far as `base` reaches.
Bytes Overlay(Bytes base, const Bytes& file) {
  std::copy_n(file.begin(), std::min(file.size(), base.size()), base.begin());
  return base;
}

// Every byte after the signature made different, so that a cut anywhere shows.
Bytes Inverted(Bytes bytes) {
  for (std::size_t i = 4; i < bytes.size(); ++i)
    bytes[i] ^= 0xFF;
  return bytes;
}

const Bytes kSignatures[] = {
    {0x3B, 0x01, 0xCE, 0x3C}, {0xCB, 0x01, 0x92, 0x01}, {0xE6, 0x06, 0x85, 0x17}, {'T', 'L', 'D'}};

// The shapes every kind shares: empty, one byte, the signature less a byte, whole, oversized
// by `extra` bytes, each signature byte wrong in turn, and the other kinds' signatures.
std::vector<Shape> CommonShapes(const Bytes& good, const Bytes& own, std::size_t extra) {
  Bytes oversized = good;
  for (std::size_t i = 0; i < extra; ++i)
    oversized.push_back(static_cast<std::uint8_t>(i * 29 + 7));
  std::vector<Shape> shapes = {{"empty", {}, false},
                               {"one byte", Cut(good, 1), false},
                               {"signature less a byte", Cut(good, own.size() - 1), false},
                               {"whole", good, true},
                               {"oversized", oversized, true}};
  for (std::size_t i = 0; i < own.size(); ++i) {
    Bytes wrong = good;
    wrong[i] ^= 0x20;
    shapes.push_back({"signature byte " + std::to_string(i) + " wrong", wrong, false});
  }
  for (const Bytes& other : kSignatures) {
    if (other != own) shapes.push_back({"another kind's signature", With(good, 0, other), false});
  }
  return shapes;
}

// The ROM value of an accurate coordinate: half up, clamped to 0..255, NaN as 0.
std::uint8_t RoundedRomValue(double accurate) {
  const double v = accurate + 0.5;
  if (!(v >= 0.0)) return 0;
  return v >= 255.0 ? 255 : static_cast<std::uint8_t>(v);
}

class BadInputTest : public EditorTest {
 protected:
  // Chooses a command that starts with an open dialog and picks the file with these bytes.
  void Open(int command, const Bytes& bytes, const std::string& extension) {
    host.message_boxes.clear();
    host.dialogs_run.clear();
    Load(command, bytes, "input" + std::to_string(++files_) + extension);
  }

  // A level ROM loaded and one of its shapes turned, so that its accurate coordinates hold
  // fractions that only a load may round away.
  void LoadAndTurnALevel() {
    Load(kLoadRom, LevelRomBuilder().Points(2, RingPoints()).Get(), "earlier.118");
    PickLevel(2);
    Choose(kRotate22_5);
  }

  void ExpectRefused(const EditorSnapshot& before, const std::string& message) {
    ExpectOnlyMessage(message);
    EXPECT_TRUE(host.dialogs_run.empty());
    ExpectUnchanged(before);
  }

  // A level ROM or level file that was taken: level select, and ROM values that are the
  // accurate coordinates rounded.
  void ExpectLevelsTaken() {
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
    EXPECT_FALSE(Grayed(kSaveTld));
    for (int i = 0; i < level::kPointCount; ++i) {
      ASSERT_EQ(level::XByte(i / 16, i % 16), RoundedRomValue(level::accurate_x[i])) << i;
      ASSERT_EQ(level::YByte(i / 16, i % 16), RoundedRomValue(level::accurate_y[i])) << i;
    }
  }

  int files_ = 0;
};

const int kLevelTableFields[] = {
    level::kXBytes,     level::kYBytes,          level::kSegmentDirections, level::kLevelToShapeMap,
    level::kLevelScale, level::kHeight,          level::kOffsetLow,         level::kOffsetHigh,
    level::kOpenFlag,   level::kLengthFactorLow, level::kLengthFactorHigh};

TEST_F(BadInputTest, LevelRomFiles) {
  const Bytes good = Inverted(LevelRomBuilder().Points(2, RingPoints()).Get());
  std::vector<Shape> shapes = CommonShapes(good, kSignatures[0], 5000);
  shapes.push_back({"signature only", Cut(good, 4), true});
  for (const int field : kLevelTableFields)
    shapes.push_back(
        {"cut at field " + std::to_string(field), Cut(good, ImageOffset(field)), true});
  shapes.push_back({"random bytes", With(RandomBytes(2048, 118), 0, kSignatures[0]), true});

  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    LoadAndTurnALevel();
    const EditorSnapshot before;
    Open(kLoadRom, shape.bytes, ".118");
    if (!shape.taken) {
      ExpectRefused(before, "Not a valid Tempest ROM 118 file");
      continue;
    }
    // What the file holds replaces the image; the rest of the image stays.
    EXPECT_EQ(EditorSnapshot().level_rom_image, Overlay(before.level_rom_image, shape.bytes));
    ExpectLevelsTaken();
    EXPECT_EQ(level::accurate_x[level::PointIndex(2, 1)], level::XByte(2, 1));
    EXPECT_TRUE(files::level_rom_loaded);
    EXPECT_FALSE(Grayed(kSaveRom) || Grayed(kHackArcadeHits));
  }
}

TEST_F(BadInputTest, LevelFiles) {
  LevelFileBuilder file;
  for (int index = 0; index < level::kPointCount; ++index)
    file.Point(index / 16, index % 16, 10.25 + index * 0.5, 245.75 - index * 0.75);
  for (int offset = 0; offset < level::kLevelTableSize; ++offset)
    file.TableByte(offset, static_cast<std::uint8_t>(offset * 3 + 1));
  const Bytes good = file.Get();
  // Non-finite, huge and edge values.
  LevelFileBuilder extremes;
  const double values[] = {std::nan(""), INFINITY, -INFINITY, 1e308, -1e308, -0.0, 254.5, -0.5};
  for (int index = 0; index < level::kPointCount; ++index)
    extremes.Point(index / 16, index % 16, values[index % 8], values[(index / 8) % 8]);

  std::vector<Shape> shapes = CommonShapes(good, kSignatures[3], 3000);
  for (const std::size_t cut :
       {std::size_t{3}, std::size_t{7}, std::size_t{11}, LevelFileY(0), LevelFileY(0) + 5})
    shapes.push_back({"cut at " + std::to_string(cut), Cut(good, cut), true});
  for (const int field : kLevelTableFields)
    shapes.push_back(
        {"cut at field " + std::to_string(field), Cut(good, LevelFileTable(field)), true});
  shapes.push_back({"lower case signature", With(good, 0, {'t', 'l', 'd'}), false});
  shapes.push_back({"non-finite and huge coordinates", extremes.Get(), true});
  shapes.push_back({"random bytes", With(RandomBytes(4995, 4995), 0, kSignatures[3]), true});

  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    LoadAndTurnALevel();
    const EditorSnapshot before;
    Open(kLoadTld, shape.bytes, ".TLD");
    if (!shape.taken) {
      ExpectRefused(before, "Not a valid TLD file");
      continue;
    }
    // The editor's state laid out as a level file, with what the file holds over it.
    LevelFileBuilder earlier;
    for (int i = 0; i < level::kPointCount; ++i) {
      earlier.Point(i / 16, i % 16, std::bit_cast<double>(before.accurate_x[i]),
                    std::bit_cast<double>(before.accurate_y[i]));
    }
    for (int offset = 0; offset < level::kLevelTableSize; ++offset)
      earlier.TableByte(offset, before.level_rom_image[ImageOffset(offset)]);
    const Bytes expected = Overlay(earlier.Get(), shape.bytes);
    const EditorSnapshot now;
    for (int i = 0; i < level::kPointCount; ++i) {
      ASSERT_EQ(now.accurate_x[i], std::bit_cast<std::uint64_t>(DoubleAt(expected, LevelFileX(i))));
      ASSERT_EQ(now.accurate_y[i], std::bit_cast<std::uint64_t>(DoubleAt(expected, LevelFileY(i))));
    }
    // The table is the file's but for the X and Y bytes, and the rest of the ROM stays.
    for (std::size_t i = 0; i < now.level_rom_image.size(); ++i) {
      const bool in_table = i >= ImageOffset(0) && i < ImageOffset(level::kLevelTableSize);
      const bool derived_from_coordinates = i < ImageOffset(level::kSegmentDirections);
      if (!in_table) {
        ASSERT_EQ(now.level_rom_image[i], before.level_rom_image[i]) << i;
      } else if (!derived_from_coordinates) {
        ASSERT_EQ(now.level_rom_image[i], expected[LevelFileTable(static_cast<int>(i - 380))]) << i;
      }
    }
    ExpectLevelsTaken();
  }
}

TEST_F(BadInputTest, ColourRomFiles) {
  const Bytes earlier = ColourRom();
  const Bytes good = Inverted(earlier);
  std::vector<Shape> shapes = CommonShapes(good, kSignatures[1], 5000);
  shapes.push_back({"signature only", Cut(good, 4), true});
  for (int cycle = 0; cycle <= kColourCycles; ++cycle)
    shapes.push_back(
        {"cut at cycle " + std::to_string(cycle), Cut(good, ColourOffset(0, cycle)), true});
  shapes.push_back({"random bytes", With(RandomBytes(2048, 119), 0, kSignatures[1]), true});

  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    EditData(kEditColours, kColoursDialogId, temp.Write("earlier.119", earlier),
             [](FakeDialog& colours) { colours.Click(kColoursCancel); });
    const EditorSnapshot before;
    const Bytes expected = Overlay(earlier, shape.bytes);
    if (shape.taken) {
      // The grid shows the swatch of every entry as the file left it; nothing is saved.
      host.ActInDialog(kColoursDialogId, [&](FakeDialog& colours) {
        for (int row = 0; row < kColourRows; ++row) {
          for (int cycle = 0; cycle < kColourCycles; ++cycle) {
            const int swatch = files::SwatchOfCode(expected[ColourOffset(row, cycle)]);
            EXPECT_EQ(colours.Control(ColourCell(row, cycle)).icon, kSwatchIcons.at(swatch));
          }
        }
        colours.Click(kColoursCancel);
      });
    }
    Open(kEditColours, shape.bytes, ".119");
    const Bytes image(files::colour_rom_image.begin(), files::colour_rom_image.end());
    EXPECT_EQ(image, shape.taken ? expected : earlier);
    if (!shape.taken) {
      ExpectRefused(before, "Not a valid Tempest ROM 119 file");
      continue;
    }
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(host.dialogs_run, std::vector<int>{kColoursDialogId});
    ExpectUnchanged(before);
  }
}

// The game's character code, written out here apart from the editor's.
std::string DecodedText(const Bytes& characters) {
  const std::string table = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ -\xBD\xA9";
  std::string text;
  for (const std::uint8_t byte : characters) {
    const std::size_t code = (byte >> 1) & 63;
    text.push_back(code < table.size() ? table[code] : '-');
  }
  return text;
}

TEST_F(BadInputTest, TextRomFiles) {
  // Two images with the same layout, so that any cut of the second over the first still finds
  // a record for every message.
  const TextRomBuilder earlier;
  TextRomBuilder next;
  std::vector<std::string> earlier_texts;
  std::vector<std::string> next_texts;
  for (int m = 0; m < kTestMessages; ++m) {
    earlier_texts.push_back("TEXT " + std::to_string(m));
    next_texts.push_back("NEXT " + std::to_string(m));
    next.Message(m, next_texts.back()).X(m, static_cast<std::uint8_t>(m * 3));
  }
  for (int k = 0; k < kTestPairs; ++k)
    next.Pair(k, static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(100 - k));
  const Bytes good = next.Get();
  // Random characters behind valid pointers, each text with its last character marked.
  TextRomBuilder random_texts;
  std::vector<std::string> random_lines;
  const Bytes random = RandomBytes(kTestMessages * 9, 121);
  for (int m = 0; m < kTestMessages; ++m) {
    Bytes characters(random.begin() + m * 9, random.begin() + m * 9 + 1 + random[m * 9] % 8);
    for (std::uint8_t& c : characters)
      c &= 0x7F;
    characters.back() |= 0x80;
    random_texts.Characters(m, characters);
    random_lines.push_back(DecodedText(characters));
  }
  const auto lines_up_to = [&](int message) {
    std::vector<std::string> lines = next_texts;
    std::copy(earlier_texts.begin() + message, earlier_texts.end(), lines.begin() + message);
    return lines;
  };
  const std::size_t pointer_119 = files::kMessagePointersOffset + 2 * 119;
  const Bytes beyond = TextRomBuilder(next).Pointer(119, 0xD800).Get();
  TextRomBuilder runs_off;
  runs_off.Pointer(5, 0xD7F0);
  for (std::size_t offset = 0x7F1; offset < 0x800; ++offset)
    runs_off.Byte(offset, 0x16);

  // Each shape with the list the dialog shows when the file is taken.
  std::vector<std::pair<Shape, std::vector<std::string>>> shapes = {
      // A short file takes only its bytes: the earlier image's records are still there.
      {{"signature only", Cut(good, 4), true}, earlier_texts},
      {{"cut in the pointers", Cut(good, files::kMessagePointersOffset + 120), true},
       earlier_texts},
      {{"cut at the records", Cut(good, files::kMessageRecordsOffset), true}, earlier_texts},
      {{"cut at the French", Cut(good, next.RecordOffset(30)), true}, lines_up_to(30)},
      {{"cut at the Spanish", Cut(good, next.RecordOffset(90)), true}, lines_up_to(90)},
      {{"cut after the last record", Cut(good, next.RecordOffset(119) + 8), true}, next_texts},
      {{"random bytes", With(RandomBytes(2048, 1210), 0, kSignatures[2]), false}, {}},
      {{"random characters", random_texts.Get(), true}, random_lines},
      // A pointer beyond the image refuses the file, unless the file is cut before it.
      {{"a pointer beyond the image", beyond, false}, {}},
      {{"cut before that pointer", Cut(beyond, pointer_119), true}, earlier_texts},
      {{"cut after that pointer", Cut(beyond, pointer_119 + 2), false}, {}},
      {{"a pointer below the image", TextRomBuilder().Pointer(17, 0xCFFF).Get(), false}, {}},
      {{"a record without an end", TextRomBuilder(next).Characters(7, Bytes(63, 0x16)).Get(),
        false},
       {}},
      {{"a record running off the image's end", runs_off.Get(), false}, {}},
      // The X byte is the image's last byte: no room for a character.
      {{"a record at the very end", TextRomBuilder().Pointer(5, 0xD7FF).Byte(0x7FF, 0x96).Get(),
        false},
       {}},
  };
  for (Shape& common : CommonShapes(good, kSignatures[2], 3000))
    shapes.emplace_back(common, common.taken ? next_texts : std::vector<std::string>{});

  for (const auto& [shape, lines] : shapes) {
    SCOPED_TRACE(shape.name);
    EditData(kEditText, kTextMessagesDialogId, temp.Write("earlier.121", earlier.Get()),
             [](FakeDialog& dialog) { dialog.Click(kTextMessagesCancel); });
    const EditorSnapshot before;
    if (shape.taken) {
      host.ActInDialog(kTextMessagesDialogId, [&](FakeDialog& dialog) {
        EXPECT_EQ(dialog.Control(kMessageList).strings, lines);
        dialog.Click(kTextMessagesCancel);
      });
    }
    Open(kEditText, shape.bytes, ".121");
    if (!shape.taken) {
      ExpectRefused(before, "Not a valid Tempest ROM 121 file");
      continue;
    }
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(EditorSnapshot().text_rom_image, Overlay(before.text_rom_image, shape.bytes));
    EXPECT_TRUE(files::text_rom_loaded);
  }

  // With no text ROM loaded before, a short file has nothing to stand on.
  app::ResetEditor();
  app::StartEditor();
  const EditorSnapshot fresh;
  Open(kEditText, Cut(good, 4), ".121");
  ExpectRefused(fresh, "Not a valid Tempest ROM 121 file");
}

TEST_F(BadInputTest, ArcadeHitsProgramFiles) {
  // The editor's images, the level ROM saved once so that its derived bytes are in step.
  Load(kLoadRom, LevelRomBuilder().Points(0, RingPoints()).Get(), "in.118");
  ChooseFile(kSaveRom, temp.File("derived.118"));
  EditData(kEditText, kTextMessagesDialogId,
           temp.Write("in.121", TextRomBuilder().Message(0, "PATCHED").Get()),
           [](FakeDialog& dialog) { dialog.Click(kTextMessagesCancel); });
  ASSERT_TRUE(host.message_boxes.empty());
  const EditorSnapshot before;

  constexpr std::size_t first_level = 1000, last_level = first_level + 24576;
  constexpr std::size_t first_text = 4001, last_text = 29003, size = 34567;
  const Bytes level_image = LevelRomBuilder().Get();
  const Bytes text_image = TextRomImage(9);
  const auto program = [&](std::size_t second_level) {
    return ProgramFile(size, {{first_level, level_image},
                              {second_level, level_image},
                              {first_text, text_image},
                              {last_text, text_image}});
  };
  const Bytes good = program(last_level);
  Bytes random = RandomBytes(size, 61);
  for (const auto& [offset, image] : {std::pair{first_level, level_image},
                                      {last_level, level_image},
                                      {first_text, text_image},
                                      {last_text, text_image}})
    random = With(random, offset, image);

  const std::vector<Shape> shapes = {
      {"empty", {}, false},
      {"a level signature alone", kSignatures[0], false},
      {"cut before the first image", Cut(good, first_level), false},
      {"cut after the first level image", Cut(good, first_level + 2048), false},
      {"cut after the first text image", Cut(good, first_text + 2048), false},
      {"cut after the last level signature", Cut(good, last_level + 4), false},
      {"cut after the last level image", Cut(good, last_level + 2048), false},
      {"cut one byte into the last text image's end", Cut(good, last_text + 2047), false},
      {"cut where the last text image ends", Cut(good, last_text + 2048), true},
      {"whole", good, true},
      {"oversized", Overlay(Bytes(size + (3 << 20), 0x11), good), true},
      {"level images a byte too close", program(last_level - 1), false},
      {"level images a byte too far", program(last_level + 1), false},
      {"the last text signature wrong", With(good, last_text + 3, {0x18}), false},
      {"the first level signature wrong", With(good, first_level, {0x3A}), false},
      {"random bytes around the images", random, true},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    const std::string out = temp.File("out.exe");
    std::filesystem::remove(out);
    host.message_boxes.clear();
    host.dialogs_run.clear();
    host.AnswerFileDialog(temp.Write("program.exe", shape.bytes));
    if (shape.taken) {
      host.ActInDialog(kArcadeHitsDialogId, [](FakeDialog& dialog) {
        dialog.Click(kIncludeTextDataBox);
        dialog.Click(kArcadeHitsOkButton);
      });
      host.AnswerFileDialog(out);
    }
    Choose(kHackArcadeHits);
    if (!shape.taken) {
      ExpectRefused(before, "Not a valid 'Atari Arcade Hits' file");
      EXPECT_FALSE(std::filesystem::exists(out));
      continue;
    }
    // The editor's images in place of the "Original Levels" set, every other byte as read.
    EXPECT_TRUE(host.message_boxes.empty());
    Bytes expected = With(shape.bytes, first_level, before.level_rom_image);
    expected = With(expected, first_text, before.text_rom_image);
    EXPECT_EQ(ReadFileBytes(out), expected);
    ExpectUnchanged(before);
  }
}

// Every command that opens a file, with the file dialog it shows, given no file, a missing one
// and a folder: nothing is said for no file, "Could not open" for the others, and nothing
// changes either way.
TEST_F(BadInputTest, FilesThatCannotBeOpenedAreReportedAndChangeNothing) {
  constexpr UINT kOpenFlags =
      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  const struct {
    int command;
    platform::FileDialogRequest request;
  } commands[] = {
      {kLoadRom, {"Load ROM 118 File", "ROM 118 Files (*.118)", "*.118", "118", kOpenFlags}},
      {kLoadTld, {"Load TLD File", "TLD Files (*.TLD)", "*.TLD", "", kOpenFlags}},
      {kEditColours, {"Load ROM 119 File", "ROM 119 Files (*.119)", "*.119", "119", kOpenFlags}},
      {kEditText, {"Load ROM 121 File", "ROM 121 Files (*.121)", "*.121", "121", kOpenFlags}},
      {kHackArcadeHits,
       {"Load 'Atari Arcade Hits'", "Atari Arcade Hits (*.exe,*.scr)", "*.exe;*.scr", "exe",
        kOpenFlags}},
  };
  Load(kLoadRom, LevelRomBuilder().Get(), "in.118");
  std::filesystem::create_directory(temp.Path() / "folder");
  const EditorSnapshot before;
  for (const auto& [command, request] : commands) {
    for (const std::optional<std::string>& path :
         {std::optional<std::string>(), std::optional(temp.File("missing")),
          std::optional(temp.File("folder"))}) {
      SCOPED_TRACE(request.title + " " + path.value_or("(cancelled)"));
      host.message_boxes.clear();
      host.file_dialogs.clear();
      ChooseFile(command, path);
      if (path) ExpectOnlyMessage("Could not open \"" + *path + "\".");
      EXPECT_EQ(host.message_boxes.size(), path ? 1u : 0u);
      ASSERT_EQ(host.file_dialogs.size(), 1u);
      const platform::FileDialogRequest& shown = host.file_dialogs[0].second;
      EXPECT_FALSE(host.file_dialogs[0].first);
      EXPECT_EQ(std::tie(shown.title, shown.filter_description, shown.filter_pattern,
                         shown.default_extension, shown.flags),
                std::tie(request.title, request.filter_description, request.filter_pattern,
                         request.default_extension, request.flags));
      ExpectUnchanged(before);
    }
  }
}

}  // namespace
