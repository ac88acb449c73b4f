// Every kind of file the editor reads, in every bad shape, opened through the menus: each is
// taken, or refused with a message and nothing changed at all.
#include <cmath>
#include <filesystem>
#include <random>

#include "app/editor_state.h"
#include "files/colours.h"
#include "files/file_io.h"
#include "files/level_file.h"
#include "files/level_rom_file.h"
#include "files/text_rom.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/colour_dialogs.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"
#include "support/golden.h"

namespace {

using namespace testing_support;
using namespace resources;

// One bad shape of a file and whether the editor takes it; for a text ROM, how many messages
// are then read from it, the others left from the earlier image. A `size` grows the file.
struct Shape {
  std::string name;
  Bytes bytes;
  bool taken;
  int messages_read = kTestMessages;
  std::uintmax_t size = 0;
};

Bytes Cut(const Bytes& bytes, std::size_t size) {
  return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)};
}

// `base` with the bytes of `file` over its start, as far as `base` reaches.
Bytes Overlay(const Bytes& base, const Bytes& file) {
  return With(base, 0, Cut(file, std::min(file.size(), base.size())));
}

// Bytes from a fixed seed: the engine's output is the same on every standard library.
Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 engine(seed);
  Bytes bytes(size);
  for (std::uint8_t& byte : bytes)
    byte = static_cast<std::uint8_t>(engine());
  return bytes;
}

void Close(FakeDialog& dialog) {
  dialog.Close();
}

const Bytes kSignatures[] = {
    {0x3B, 0x01, 0xCE, 0x3C}, {0xCB, 0x01, 0x92, 0x01}, {0xE6, 0x06, 0x85, 0x17}, {'T', 'L', 'D'}};

std::vector<Shape> CommonShapes(const Bytes& good, const Bytes& own, bool random_taken = true) {
  std::vector<Shape> shapes = {
      {"empty", {}, false},
      {"one byte", Cut(good, 1), false},
      {"signature less a byte", Cut(good, own.size() - 1), false},
      {"whole", good, true},
      {"oversized", With(RandomBytes(good.size() + 3000, 7), 0, good), true},
      {"random", With(RandomBytes(good.size(), 9), 0, own), random_taken},
      {"a terabyte", good, true, kTestMessages, std::uintmax_t{1} << 40}};
  for (std::size_t i = 0; i < own.size(); ++i)
    shapes.push_back({"wrong byte " + std::to_string(i), With(good, i, {0x20}), false});
  for (const Bytes& other : kSignatures)
    if (other != own) shapes.push_back({"another kind", With(good, 0, other), false});
  return shapes;
}

// Every field of the level table, where a cut may fall.
const int kTableFields[] = {
    level::kXBytes,     level::kYBytes,          level::kSegmentDirections, level::kLevelToShapeMap,
    level::kLevelScale, level::kHeight,          level::kOffsetLow,         level::kOffsetHigh,
    level::kOpenFlag,   level::kLengthFactorLow, level::kLengthFactorHigh};

class BadInputTest : public EditorTest {
 protected:
  // Opens each shape with `command` once `earlier` has set the editor up: a refused one must
  // bring "Not a valid `kind` file" and change nothing, a taken one is checked by `taken`, with
  // `dialog` acting in what it opens.
  void Check(const std::vector<Shape>& shapes, int command, const std::string& kind,
             const std::function<void()>& earlier,
             const std::function<void(const Shape&, const EditorSnapshot&)>& taken,
             const std::function<void(const Shape&)>& dialog = {}) {
    for (const Shape& shape : shapes) {
      SCOPED_TRACE(shape.name);
      earlier();
      const std::string input = temp.Write("input.exe", shape.bytes);
      if (shape.size > 0) GrowFile(input, shape.size);
      host.AnswerFileDialog(input);
      const auto files = FileNames(temp.Path());
      const EditorSnapshot before;
      host.message_boxes.clear();
      host.dialogs_run.clear();
      if (shape.taken && dialog) dialog(shape);
      Choose(command);
      if (shape.taken) {
        EXPECT_TRUE(host.message_boxes.empty());
        taken(shape, before);
      } else {
        ExpectOnlyMessage(shape.size > files::kLargestWholeFile
                              ? "Could not open \"" + input + "\"."
                              : "Not a valid " + kind + " file");
        EXPECT_TRUE(host.dialogs_run.empty());
        EXPECT_EQ(FileNames(temp.Path()), files);
        ExpectUnchanged(before);
      }
    }
  }

  // A level ROM loaded and a shape turned, so that the accurate coordinates hold fractions that
  // only a load may round away.
  void LoadAndTurnALevel() {
    Load(kLoadRom, LevelRomBuilder().Points(2, RingPoints()).Get(), "earlier.118");
    PickLevel(2);
    Choose(kRotate22_5);
  }

  // Levels taken: level select, and ROM values that are the accurate coordinates rounded.
  static void ExpectLevelsTaken() {
    EXPECT_TRUE(app::editor.editor_mode == app::kLevelSelectMode && !Grayed(kSaveTld));
    ExpectRomValuesRounded();
  }
};

TEST_F(BadInputTest, LevelRomFiles) {
  const Bytes good = With(RandomBytes(2048, 118), 0, kSignatures[0]);
  std::vector<Shape> shapes = CommonShapes(good, kSignatures[0]);
  for (const int field : kTableFields)
    shapes.push_back({"cut at " + std::to_string(field), Cut(good, ImageOffset(field)), true});
  shapes.push_back({"signature only", kSignatures[0], true});
  Check(
      shapes, kLoadRom, "Tempest ROM 118", [this] { LoadAndTurnALevel(); },
      [](const Shape& shape, const EditorSnapshot& before) {
        // What the file holds replaces the image; the rest of the image stays.
        EXPECT_EQ(EditorSnapshot().level_rom_image, Overlay(before.level_rom_image, shape.bytes));
        ExpectLevelsTaken();
        EXPECT_EQ(level::accurate_x[level::PointIndex(2, 1)], level::XByte(2, 1));
        EXPECT_TRUE(files::level_rom_loaded && !Grayed(kSaveRom) && !Grayed(kHackArcadeHits));
      });
}

TEST_F(BadInputTest, LevelFiles) {
  LevelFileBuilder file, extremes;
  files::LevelFileImage earlier;
  const double values[] = {std::nan(""), INFINITY, -INFINITY, 1e308, -1e308, -0.0, 254.5, -0.5};
  for (int i = 0; i < level::kPointCount; ++i) {
    file.Point(i / 16, i % 16, 10.25 + i * 0.5, 245.75 - i * 0.75);
    extremes.Point(i / 16, i % 16, values[i % 8], values[(i / 8) % 8]);
  }
  for (int offset = 0; offset < level::kLevelTableSize; ++offset)
    file.TableByte(offset, static_cast<std::uint8_t>(offset * 3 + 1));
  const Bytes good = file.Get();
  std::vector<Shape> shapes = CommonShapes(good, kSignatures[3]);
  std::vector<std::size_t> cuts = {3, 7, LevelFileY(0), LevelFileY(0) + 5};
  for (const int field : kTableFields)
    cuts.push_back(LevelFileTable(field));
  for (const std::size_t cut : cuts)
    shapes.push_back({"cut at " + std::to_string(cut), Cut(good, cut), true});
  shapes.push_back({"lower case signature", With(good, 0, {'t', 'l', 'd'}), false});
  shapes.push_back({"non-finite and huge coordinates", extremes.Get(), true});
  Check(
      shapes, kLoadTld, "TLD",
      [&] {
        LoadAndTurnALevel();
        earlier = files::EncodeLevelFile();
      },
      [&](const Shape& shape, const EditorSnapshot& before) {
        // The file's bytes over the editor's earlier state, but for the X and Y bytes of the
        // table, which follow the coordinates; the rest of the ROM stays.
        Bytes expected = Overlay({earlier.begin(), earlier.end()}, shape.bytes);
        const auto now = files::EncodeLevelFile();
        std::copy_n(now.begin() + LevelFileTable(0), level::kSegmentDirections,
                    expected.begin() + LevelFileTable(0));
        EXPECT_EQ(Bytes(now.begin(), now.end()), expected);
        Bytes rom = EditorSnapshot().level_rom_image;
        std::copy_n(before.level_rom_image.begin() + ImageOffset(0), level::kLevelTableSize,
                    rom.begin() + ImageOffset(0));
        EXPECT_EQ(rom, before.level_rom_image);
        ExpectLevelsTaken();
      });
}

TEST_F(BadInputTest, ColourRomFiles) {
  const Bytes earlier = ColourRom();
  const Bytes good = With(RandomBytes(2048, 119), 0, kSignatures[1]);
  std::vector<Shape> shapes = CommonShapes(good, kSignatures[1]);
  for (int cycle = 0; cycle <= kColourCycles; ++cycle)
    shapes.push_back(
        {"cut at cycle " + std::to_string(cycle), Cut(good, ColourOffset(0, cycle)), true});
  Check(
      shapes, kEditColours, "Tempest ROM 119",
      [&] { EditData(kEditColours, kColoursDialogId, temp.Write("earlier.119", earlier), Close); },
      [&](const Shape& shape, const EditorSnapshot& before) {
        EXPECT_EQ(Bytes(files::colour_rom_image.begin(), files::colour_rom_image.end()),
                  Overlay(earlier, shape.bytes));
        ExpectUnchanged(before);
      },
      [&](const Shape& shape) {
        // The grid shows the swatch of every entry as the file left it; nothing is saved.
        host.ActInDialog(
            kColoursDialogId, [expected = Overlay(earlier, shape.bytes)](FakeDialog& colours) {
              for (int cell = 0; cell < kColourRows * kColourCycles; ++cell) {
                const int swatch = files::SwatchOfCode(expected[ColourOffset(cell / 6, cell % 6)]);
                EXPECT_EQ(colours.Control(kFirstColourCell + cell).icon, kSwatchIcons.at(swatch));
              }
              colours.Click(kColoursCancel);
            });
      });
}

TEST_F(BadInputTest, TextRomFiles) {
  // Two images with the same layout, so that any cut of the second over the first still finds
  // a record for every message.
  const TextRomBuilder earlier;
  TextRomBuilder next;
  for (int m = 0; m < kTestMessages; ++m)
    next.Message(m, "NEXT " + std::to_string(m)).X(m, static_cast<std::uint8_t>(m * 3));
  const Bytes good = next.Get();
  const std::size_t pointer_119 = files::kMessagePointersOffset + 2 * 119;
  const Bytes beyond = TextRomBuilder(next).Pointer(119, 0xD800).Get();

  std::vector<Shape> shapes = {
      // A short file takes only its bytes: the earlier image's records are still there.
      {"signature only", Cut(good, 4), true, 0},
      {"cut in the pointers", Cut(good, files::kMessagePointersOffset + 120), true, 0},
      {"cut at the records", Cut(good, files::kMessageRecordsOffset), true, 0},
      {"cut at the French", Cut(good, next.RecordOffset(30)), true, 30},
      {"cut at the Spanish", Cut(good, next.RecordOffset(90)), true, 90},
      // A pointer beyond the image refuses the file, unless the file is cut before it.
      {"a pointer beyond the image", beyond, false},
      {"cut before that pointer", Cut(beyond, pointer_119), true, 0},
      {"cut after that pointer", Cut(beyond, pointer_119 + 2), false},
      {"a pointer below the image", TextRomBuilder().Pointer(17, 0xCFFF).Get(), false},
      {"a record without an end", TextRomBuilder(next).Characters(7, Bytes(63, 0x16)).Get(), false},
      {"a record running off the image's end",
       With(TextRomBuilder().Pointer(5, 0xD7F0).Get(), 0x7F1, Bytes(15, 0x16)), false},
      {"no room for a character", TextRomBuilder().Pointer(5, 0xD7FF).Byte(0x7FF, 0x96).Get(),
       false},
  };
  for (const Shape& common : CommonShapes(good, kSignatures[2], false))
    shapes.push_back(common);
  Check(
      shapes, kEditText, "Tempest ROM 121",
      [&] {
        EditData(kEditText, kTextMessagesDialogId, temp.Write("earlier.121", earlier.Get()), Close);
      },
      [](const Shape& shape, const EditorSnapshot& before) {
        EXPECT_EQ(EditorSnapshot().text_rom_image, Overlay(before.text_rom_image, shape.bytes));
      },
      [&](const Shape& shape) {
        std::vector<std::string> lines;
        for (int m = 0; m < kTestMessages; ++m)
          lines.push_back((m < shape.messages_read ? "NEXT " : "TEXT ") + std::to_string(m));
        host.ActInDialog(kTextMessagesDialogId, [lines](FakeDialog& dialog) {
          EXPECT_EQ(dialog.Control(kMessageList).strings, lines);
          dialog.Close();
        });
      });
  // With no text ROM loaded before, a short file has nothing to stand on.
  app::ResetEditor();
  app::StartEditor();
  Check({{"signature only at first", Cut(good, 4), false}}, kEditText, "Tempest ROM 121", [] {},
        {});
}

TEST_F(BadInputTest, ArcadeHitsProgramFiles) {
  // The editor's images, the level ROM saved once so that its derived bytes are in step.
  Load(kLoadRom, LevelRomBuilder().Points(0, RingPoints()).Get(), "in.118");
  ChooseFile(kSaveRom, temp.File("derived.118"));
  EditData(kEditText, kTextMessagesDialogId,
           temp.Write("in.121", TextRomBuilder().Message(0, "PATCHED").Get()), Close);
  constexpr std::size_t first_level = 1000, last_level = first_level + 24576;
  constexpr std::size_t first_text = 4001, last_text = 29003, size = 34567;
  const Bytes level_image = LevelRomBuilder().Get(), text_image = TextRomImage(9),
              filler = ProgramFile(size, {});
  const auto program = [&](const Bytes& around, std::size_t second_level) {
    return With(With(With(With(around, first_level, level_image), second_level, level_image),
                     first_text, text_image),
                last_text, text_image);
  };
  const Bytes good = program(filler, last_level);
  const std::vector<Shape> shapes = {
      {"empty", {}, false},
      {"a level signature alone", kSignatures[0], false},
      {"cut before the first image", Cut(good, first_level), false},
      {"cut after the first level image", Cut(good, first_level + 2048), false},
      {"cut after the first text image", Cut(good, first_text + 2048), false},
      {"cut after the last level signature", Cut(good, last_level + 4), false},
      {"cut after the last level image", Cut(good, last_level + 2048), false},
      // Only the images written must lie inside the file.
      {"cut one byte into the last text image's end", Cut(good, last_text + 2047), true},
      {"cut where the last text image ends", Cut(good, last_text + 2048), true},
      {"whole", good, true},
      {"oversized", With(Bytes(size + (3 << 20), 0x11), 0, good), true},
      {"as large as a file read whole", good, true, 0, files::kLargestWholeFile},
      {"a byte larger", good, false, 0, files::kLargestWholeFile + 1},
      {"level images a byte too close", program(filler, last_level - 1), false},
      {"level images a byte too far", program(filler, last_level + 1), false},
      {"the last text signature wrong", With(good, last_text + 3, {0x18}), false},
      {"the first level signature wrong", With(good, first_level, {0x3A}), false},
      {"random bytes around the images", program(RandomBytes(size, 61), last_level), true},
  };
  const std::string out = temp.File("out.exe");
  Check(
      shapes, kHackArcadeHits, "'Atari Arcade Hits'", [&] { std::filesystem::remove(out); },
      [&](const Shape& shape, const EditorSnapshot& before) {
        // The editor's images in place of the "Original Levels" set, every other byte as read.
        Bytes read = shape.bytes;
        read.resize(std::max<std::size_t>(read.size(), shape.size));
        EXPECT_EQ(ReadFileBytes(out), With(With(read, first_level, before.level_rom_image),
                                           first_text, before.text_rom_image));
        ExpectUnchanged(before);
      },
      [&](const Shape&) {
        host.ActInDialog(kArcadeHitsDialogId, [](FakeDialog& dialog) {
          dialog.Click(kIncludeTextDataBox);
          dialog.Click(kArcadeHitsOkButton);
        });
        host.AnswerFileDialog(out);
      });
}

// Every command that opens a file, with its file dialog, given no file, a missing one and a
// folder: nothing is said for no file, "Could not open" for the others, nothing changes.
TEST_F(BadInputTest, FilesThatCannotBeOpenedAreReportedAndChangeNothing) {
  Load(kLoadRom, LevelRomBuilder().Get(), "in.118");
  std::filesystem::create_directory(temp.Path() / "folder");
  const EditorSnapshot before;
  host.file_dialogs.clear();
  for (const int command : {kLoadRom, kLoadTld, kEditColours, kEditText, kHackArcadeHits}) {
    for (const FileAnswer& path :
         {FileAnswer(), FileAnswer(temp.File("missing")), FileAnswer(temp.File("folder"))}) {
      host.message_boxes.clear();
      ChooseFile(command, path);
      if (path) ExpectOnlyMessage("Could not open \"" + *path + "\".");
      EXPECT_EQ(host.message_boxes.size(), path ? 1u : 0u);
      ExpectUnchanged(before);
    }
  }
  ExpectGoldenText("open_dialogs.txt", host.FileDialogsShown());
}

}  // namespace
