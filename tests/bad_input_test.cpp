// Every kind of file the editor reads, in every bad shape a file comes in: empty, one byte, the
// signature alone, cut at each field boundary, oversized, with a wrong signature, and random
// bytes behind a right one. Each is loaded through the menus as a person would; for each the
// test says whether it is taken, with which message it is refused, and what it changed in
// memory. A refused file changes nothing at all.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "files/colours.h"
#include "files/level_rom_file.h"
#include "files/text_rom.h"
#include "level/level_store.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/colour_dialogs.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"
#include "support/colour_rom_builder.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"
#include "support/level_file_builder.h"
#include "support/level_pick.h"
#include "support/level_rom_builder.h"
#include "support/program_file_builder.h"
#include "support/text_rom_builder.h"

namespace {

using testing_support::ColourRomBuilder;
using testing_support::EditorSnapshot;
using testing_support::ExpectUnchanged;
using testing_support::FakeDialog;
using testing_support::LevelFileBuilder;
using testing_support::LevelRomBuilder;
using testing_support::ProgramFileBuilder;
using testing_support::ReadFileBytes;
using testing_support::TextRomBuilder;
using testing_support::WriteFileBytes;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kImageSize = 2048;

// One bad shape of a file, and whether the editor takes it.
struct Shape {
  std::string name;
  Bytes bytes;
  bool taken;
};

Bytes Cut(const Bytes& bytes, std::size_t size) {
  return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)};
}

Bytes Oversized(Bytes bytes, std::size_t extra) {
  for (std::size_t i = 0; i < extra; ++i) {
    bytes.push_back(static_cast<std::uint8_t>(i * 29 + 7));
  }
  return bytes;
}

Bytes WithByte(Bytes bytes, std::size_t offset, std::uint8_t value) {
  bytes.at(offset) = value;
  return bytes;
}

Bytes WithSignature(Bytes bytes, const Bytes& signature) {
  std::copy(signature.begin(), signature.end(), bytes.begin());
  return bytes;
}

// Bytes from a fixed seed: the engine's output is the same on every standard library.
Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 engine(seed);
  Bytes bytes(size);
  for (std::uint8_t& byte : bytes) {
    byte = static_cast<std::uint8_t>(engine());
  }
  return bytes;
}

// `base` with the bytes of `file` over its start, as far as `base` reaches.
Bytes Overlay(Bytes base, const Bytes& file) {
  std::copy_n(file.begin(), std::min(file.size(), base.size()), base.begin());
  return base;
}

// Every byte after the signature made different, so that a cut anywhere shows.
Bytes Inverted(Bytes bytes) {
  for (std::size_t i = 4; i < bytes.size(); ++i) {
    bytes[i] ^= 0xFF;
  }
  return bytes;
}

const Bytes kLevelRomSignature{0x3B, 0x01, 0xCE, 0x3C};
const Bytes kColourRomSignature{0xCB, 0x01, 0x92, 0x01};
const Bytes kTextRomSignature{0xE6, 0x06, 0x85, 0x17};
const Bytes kLevelFileSignature{'T', 'L', 'D'};

// The signature of the right kind with each of its bytes wrong in turn, and the signatures of
// the other kinds of file, on an otherwise good file.
std::vector<Shape> WrongSignatures(const Bytes& good, const Bytes& own) {
  std::vector<Shape> shapes;
  for (std::size_t i = 0; i < own.size(); ++i) {
    shapes.push_back({"signature byte " + std::to_string(i) + " wrong",
                      WithByte(good, i, static_cast<std::uint8_t>(own[i] ^ 0x20)), false});
  }
  const std::pair<std::string, Bytes> kinds[] = {{"level ROM", kLevelRomSignature},
                                                 {"colour ROM", kColourRomSignature},
                                                 {"text ROM", kTextRomSignature},
                                                 {"level file", kLevelFileSignature}};
  for (const auto& [kind, signature] : kinds) {
    if (signature != own) {
      shapes.push_back({"a " + kind + " signature", WithSignature(good, signature), false});
    }
  }
  return shapes;
}

// The good file whole, with `extra` bytes after it, and with wrong signatures.
void AppendWholeOversizedAndWrong(std::vector<Shape>& shapes, const Bytes& good, std::size_t extra,
                                  const Bytes& signature) {
  shapes.push_back({"whole", good, true});
  shapes.push_back({"oversized", Oversized(good, extra), true});
  for (const Shape& wrong : WrongSignatures(good, signature))
    shapes.push_back(wrong);
}

std::vector<double> Doubles(const std::array<std::uint64_t, level::kPointCount>& bits) {
  std::vector<double> values;
  for (const std::uint64_t b : bits) {
    values.push_back(std::bit_cast<double>(b));
  }
  return values;
}

// The ROM value of an accurate coordinate: half up, clamped to 0..255, NaN as 0.
std::uint8_t RoundedRomValue(double accurate) {
  const double v = accurate + 0.5;
  if (!(v >= 0.0)) return 0;
  if (v >= 255.0) return 255;
  return static_cast<std::uint8_t>(v);
}

class BadInputTest : public testing_support::EditorTest {
 protected:
  std::string Write(const Bytes& bytes, const std::string& extension) {
    const std::string path = temp.File("input" + std::to_string(++files_) + extension);
    WriteFileBytes(path, bytes);
    return path;
  }

  // Chooses a menu command that starts with an open dialog, and picks `path` in it.
  void Open(int command, const std::string& path) {
    host.message_boxes.clear();
    host.dialogs_run.clear();
    host.AnswerFileDialog(path);
    host.ChooseMenuItem(command);
    host.HandleMessages();
  }

  // A level ROM loaded and one of its shapes turned, so that its accurate coordinates hold
  // fractions that only a load may round away.
  void LoadAndTurnALevel(const LevelRomBuilder& rom) {
    testing_support::LoadLevelRomFile(host, Write(rom.Bytes(), ".118"));
    testing_support::PickLevel(host, 2);
    host.ChooseMenuItem(resources::kRotate22_5);
    host.HandleMessages();
    ASSERT_NE(level::accurate_x[level::PointIndex(2, 1)],
              std::floor(level::accurate_x[level::PointIndex(2, 1)]));
  }

  void ExpectRefused(const EditorSnapshot& before, const std::string& message) {
    ExpectOnlyMessage(message);
    EXPECT_TRUE(host.dialogs_run.empty());
    ExpectUnchanged(before);
  }

  // A level ROM or level file that was taken: level select, the saves it enables, and ROM
  // values that are the accurate coordinates rounded.
  void ExpectLevelsTaken() {
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
    EXPECT_FALSE(Grayed(resources::kSaveTld));
    EXPECT_FALSE(Grayed(resources::kSaveRom));
    for (int shape = 0; shape < level::kShapeCount; ++shape) {
      for (int point = 0; point < level::kPointsPerShape; ++point) {
        const int index = level::PointIndex(shape, point);
        ASSERT_EQ(level::XByte(shape, point), RoundedRomValue(level::accurate_x[index]));
        ASSERT_EQ(level::YByte(shape, point), RoundedRomValue(level::accurate_y[index]));
      }
    }
  }

  int files_ = 0;
};

TEST_F(BadInputTest, LevelRomFiles) {
  const LevelRomBuilder earlier = LevelRomBuilder().Points(2, testing_support::RingPoints());
  const Bytes good = Inverted(earlier.Bytes());
  std::vector<Shape> shapes = {
      {"empty", {}, false},
      {"one byte", Cut(good, 1), false},
      {"three bytes", Cut(good, 3), false},
      {"signature only", Cut(good, 4), true},
  };
  // The level table's fields, from the X bytes to the end of the length factors.
  for (const int field :
       {level::kXBytes, level::kYBytes, level::kSegmentDirections, level::kLevelToShapeMap,
        level::kLevelScale, level::kHeight, level::kOffsetLow, level::kOffsetHigh, level::kOpenFlag,
        level::kLengthFactorLow, level::kLengthFactorHigh, level::kLevelTableSize}) {
    const std::size_t cut = testing_support::ImageOffset(field);
    shapes.push_back({"cut at " + std::to_string(cut), Cut(good, cut), true});
  }
  AppendWholeOversizedAndWrong(shapes, good, 5000, kLevelRomSignature);
  shapes.push_back(
      {"random bytes", WithSignature(RandomBytes(kImageSize, 118), kLevelRomSignature), true});

  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    LoadAndTurnALevel(earlier);
    const EditorSnapshot before;
    Open(resources::kLoadRom, Write(shape.bytes, ".118"));
    if (!shape.taken) {
      ExpectRefused(before, "Not a valid Tempest ROM 118 file");
      continue;
    }
    // What the file holds replaces the image; the rest of the image stays.
    EXPECT_EQ(EditorSnapshot().level_rom_image, Overlay(before.level_rom_image, shape.bytes));
    ExpectLevelsTaken();
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      EXPECT_EQ(level::accurate_x[level::PointIndex(2, point)], level::XByte(2, point));
    }
    EXPECT_TRUE(files::level_rom_loaded);
    EXPECT_FALSE(Grayed(resources::kHackArcadeHits));
  }
}

TEST_F(BadInputTest, LevelFiles) {
  LevelFileBuilder file;
  for (int index = 0; index < level::kPointCount; ++index) {
    file.Point(index / 16, index % 16, 10.25 + index * 0.5, 245.75 - index * 0.75);
  }
  // Table bytes that differ from the loaded ROM's; the stored X and Y bytes are replaced on load.
  for (int offset = 0; offset < level::kLevelTableSize; ++offset) {
    file.TableByte(offset, static_cast<std::uint8_t>(offset * 3 + 1));
  }
  const Bytes good = file.Bytes();
  // Non-finite, huge and edge values, and random doubles behind the signature.
  LevelFileBuilder extremes;
  const double values[] = {std::nan(""), INFINITY, -INFINITY, 1e308, -1e308, -0.0, 254.5, -0.5};
  for (int index = 0; index < level::kPointCount; ++index) {
    extremes.Point(index / 16, index % 16, values[index % 8], values[(index / 8) % 8]);
  }

  std::vector<Shape> shapes = {
      {"empty", {}, false},
      {"one byte", Cut(good, 1), false},
      {"two bytes", Cut(good, 2), false},
      {"signature only", Cut(good, 3), true},
      {"half of the first coordinate", Cut(good, 7), true},
      {"first coordinate", Cut(good, 11), true},
      {"cut after the X coordinates", Cut(good, testing_support::LevelFileY(0)), true},
      {"cut inside a Y coordinate", Cut(good, testing_support::LevelFileY(0) + 5), true},
  };
  for (const int field :
       {level::kXBytes, level::kYBytes, level::kSegmentDirections, level::kLevelToShapeMap,
        level::kLevelScale, level::kHeight, level::kOffsetLow, level::kOffsetHigh, level::kOpenFlag,
        level::kLengthFactorLow, level::kLengthFactorHigh}) {
    const std::size_t cut = testing_support::LevelFileTable(field);
    shapes.push_back({"cut at " + std::to_string(cut), Cut(good, cut), true});
  }
  AppendWholeOversizedAndWrong(shapes, good, 3000, kLevelFileSignature);
  shapes.push_back({"lower case signature", WithSignature(good, {'t', 'l', 'd'}), false});
  shapes.push_back({"non-finite and huge coordinates", extremes.Bytes(), true});
  shapes.push_back(
      {"random bytes", WithSignature(RandomBytes(4995, 4995), kLevelFileSignature), true});

  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    LoadAndTurnALevel(LevelRomBuilder().Points(2, testing_support::RingPoints()));
    const EditorSnapshot before;
    Open(resources::kLoadTld, Write(shape.bytes, ".TLD"));
    if (!shape.taken) {
      ExpectRefused(before, "Not a valid TLD file");
      continue;
    }
    // The editor's state laid out as a level file, with what the file holds over it.
    LevelFileBuilder earlier_file;
    const std::vector<double> x = Doubles(before.accurate_x);
    const std::vector<double> y = Doubles(before.accurate_y);
    for (int index = 0; index < level::kPointCount; ++index) {
      earlier_file.Point(index / 16, index % 16, x[static_cast<std::size_t>(index)],
                         y[static_cast<std::size_t>(index)]);
    }
    for (int offset = 0; offset < level::kLevelTableSize; ++offset) {
      earlier_file.TableByte(offset, before.level_rom_image[testing_support::ImageOffset(offset)]);
    }
    const Bytes expected = Overlay(earlier_file.Bytes(), shape.bytes);
    for (int index = 0; index < level::kPointCount; ++index) {
      const auto i = static_cast<std::size_t>(index);
      ASSERT_EQ(std::bit_cast<std::uint64_t>(level::accurate_x[i]),
                std::bit_cast<std::uint64_t>(
                    testing_support::DoubleAt(expected, testing_support::LevelFileX(index))));
      ASSERT_EQ(std::bit_cast<std::uint64_t>(level::accurate_y[i]),
                std::bit_cast<std::uint64_t>(
                    testing_support::DoubleAt(expected, testing_support::LevelFileY(index))));
    }
    // The table is the file's but for the X and Y bytes, and the rest of the ROM stays.
    Bytes image = EditorSnapshot().level_rom_image;
    for (int offset = level::kSegmentDirections; offset < level::kLevelTableSize; ++offset) {
      ASSERT_EQ(image[testing_support::ImageOffset(offset)],
                expected[testing_support::LevelFileTable(offset)]);
    }
    for (std::size_t i = 0; i < image.size(); ++i) {
      if (i < testing_support::ImageOffset(0) ||
          i >= testing_support::ImageOffset(level::kLevelTableSize)) {
        ASSERT_EQ(image[i], before.level_rom_image[i]) << i;
      }
    }
    ExpectLevelsTaken();
  }
}

TEST_F(BadInputTest, ColourRomFiles) {
  const Bytes earlier = ColourRomBuilder().Bytes();
  const Bytes good = Inverted(earlier);
  std::vector<Shape> shapes = {
      {"empty", {}, false},
      {"one byte", Cut(good, 1), false},
      {"three bytes", Cut(good, 3), false},
      {"signature only", Cut(good, 4), true},
  };
  for (int cycle = 0; cycle <= resources::kColourCycles; ++cycle) {
    const std::size_t cut = testing_support::ColourOffset(0, cycle);
    shapes.push_back({"cut at " + std::to_string(cut), Cut(good, cut), true});
  }
  AppendWholeOversizedAndWrong(shapes, good, 5000, kColourRomSignature);
  shapes.push_back(
      {"random bytes", WithSignature(RandomBytes(kImageSize, 119), kColourRomSignature), true});

  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    testing_support::EditColourRomFile(host, Write(earlier, ".119"), [](FakeDialog& colours) {
      colours.Click(resources::kColoursCancel);
    });
    const EditorSnapshot before;
    const Bytes expected = Overlay(earlier, shape.bytes);
    if (shape.taken) {
      // The grid shows the swatch of every entry as the file left it; nothing is saved.
      host.ActInDialog(resources::kColoursDialogId, [&](FakeDialog& colours) {
        for (int row = 0; row < resources::kColourRows; ++row) {
          for (int cycle = 0; cycle < resources::kColourCycles; ++cycle) {
            const int swatch =
                files::SwatchOfCode(expected[testing_support::ColourOffset(row, cycle)]);
            EXPECT_EQ(colours.Control(resources::ColourCell(row, cycle)).icon,
                      resources::kSwatchIcons[static_cast<std::size_t>(swatch)]);
          }
        }
        colours.Click(resources::kColoursCancel);
      });
    }
    Open(resources::kEditColours, Write(shape.bytes, ".119"));
    const Bytes image(files::colour_rom_image.begin(), files::colour_rom_image.end());
    if (!shape.taken) {
      ExpectRefused(before, "Not a valid Tempest ROM 119 file");
      EXPECT_EQ(image, earlier);
      continue;
    }
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(host.dialogs_run, std::vector<int>{resources::kColoursDialogId});
    EXPECT_EQ(image, expected);
    ExpectUnchanged(before);
  }
}

// The game's character code, written out here apart from the editor's.
std::string DecodedText(const Bytes& characters) {
  const std::string table = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ -\xBD\xA9";
  std::string text;
  for (const std::uint8_t byte : characters) {
    const int code = (byte >> 1) & 63;
    text.push_back(code < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(code)]
                                                         : '-');
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
  for (int m = 0; m < testing_support::kTestMessages; ++m) {
    earlier_texts.push_back("TEXT " + std::to_string(m));
    next_texts.push_back("NEXT " + std::to_string(m));
    next.Message(m, next_texts.back()).X(m, static_cast<std::uint8_t>(m * 3));
  }
  for (int k = 0; k < testing_support::kTestPairs; ++k) {
    next.Pair(k, static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(100 - k));
  }
  const Bytes good = next.Bytes();
  ASSERT_EQ(next.RecordOffset(119), earlier.RecordOffset(119));
  // Random characters behind valid pointers: random texts, each with its last character marked.
  TextRomBuilder random_texts;
  std::vector<std::string> random_lines;
  Bytes random = RandomBytes(testing_support::kTestMessages * 9, 121);
  for (int m = 0; m < testing_support::kTestMessages; ++m) {
    Bytes characters(random.begin() + m * 9, random.begin() + m * 9 + 1 + random[m * 9] % 8);
    for (std::uint8_t& c : characters)
      c &= 0x7F;
    characters.back() |= 0x80;
    random_texts.MessageCharacters(m, characters);
    random_lines.push_back(DecodedText(characters));
  }
  const std::size_t records_end = next.RecordOffset(119) + 1 + next_texts[119].size();
  const std::size_t pointer_119 = files::kMessagePointersOffset + 2 * 119;

  struct TextShape {
    Shape shape;
    std::vector<std::string> lines;  // the list the dialog shows when the file is taken
  };
  const auto lines_up_to = [&](int message) {
    std::vector<std::string> lines = next_texts;
    std::copy(earlier_texts.begin() + message, earlier_texts.end(), lines.begin() + message);
    return lines;
  };
  std::vector<TextShape> shapes = {
      {{"empty", {}, false}, {}},
      {{"one byte", Cut(good, 1), false}, {}},
      {{"three bytes", Cut(good, 3), false}, {}},
      // A short file takes only its bytes: the earlier image's records are still there.
      {{"signature only", Cut(good, 4), true}, earlier_texts},
      {{"cut in the pointers", Cut(good, files::kMessagePointersOffset + 120), true},
       earlier_texts},
      {{"cut at the attributes", Cut(good, files::kMessageAttributesOffset), true}, earlier_texts},
      {{"cut at the records", Cut(good, files::kMessageRecordsOffset), true}, earlier_texts},
      {{"cut at the French", Cut(good, next.RecordOffset(30)), true}, lines_up_to(30)},
      {{"cut at the German", Cut(good, next.RecordOffset(60)), true}, lines_up_to(60)},
      {{"cut at the Spanish", Cut(good, next.RecordOffset(90)), true}, lines_up_to(90)},
      {{"cut after the last record", Cut(good, records_end), true}, next_texts},
      {{"whole", good, true}, next_texts},
      {{"oversized", Oversized(good, 3000), true}, next_texts},
      {{"random bytes", WithSignature(RandomBytes(kImageSize, 1210), kTextRomSignature), false},
       {}},
      {{"random characters", random_texts.Bytes(), true}, random_lines},
  };
  for (const Shape& wrong : WrongSignatures(good, kTextRomSignature))
    shapes.push_back({wrong, {}});
  // A pointer beyond the image refuses the file, unless the file is cut before it.
  const Bytes beyond = TextRomBuilder(next).Pointer(119, 0xD800).Bytes();
  shapes.push_back({{"a pointer beyond the image", beyond, false}, {}});
  shapes.push_back({{"cut before that pointer", Cut(beyond, pointer_119), true}, earlier_texts});
  shapes.push_back({{"cut after that pointer", Cut(beyond, pointer_119 + 2), false}, {}});
  // A record with no last character within 63.
  shapes.push_back({{"a record without an end",
                     TextRomBuilder(next).MessageCharacters(7, Bytes(63, 0x16)).Bytes(), false},
                    {}});

  for (const TextShape& text_shape : shapes) {
    const Shape& shape = text_shape.shape;
    SCOPED_TRACE(shape.name);
    testing_support::EditTextRomFile(host, Write(earlier.Bytes(), ".121"), [](FakeDialog& dialog) {
      dialog.Click(resources::kTextMessagesCancel);
    });
    const EditorSnapshot before;
    if (shape.taken) {
      host.ActInDialog(resources::kTextMessagesDialogId, [&](FakeDialog& dialog) {
        EXPECT_EQ(dialog.Control(resources::kMessageList).strings, text_shape.lines);
        dialog.Click(resources::kTextMessagesCancel);
      });
    }
    Open(resources::kEditText, Write(shape.bytes, ".121"));
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
  Open(resources::kEditText, Write(Cut(good, 4), ".121"));
  ExpectRefused(fresh, "Not a valid Tempest ROM 121 file");
}

TEST_F(BadInputTest, ArcadeHitsProgramFiles) {
  // The editor's images, the level ROM saved once so its derived bytes are in step.
  testing_support::LoadLevelRomFile(
      host, Write(LevelRomBuilder().Points(0, testing_support::RingPoints()).Bytes(), ".118"));
  testing_support::SaveLevelRomFile(host, temp.File("derived.118"));
  testing_support::EditTextRomFile(
      host, Write(TextRomBuilder().Message(0, "PATCHED").Bytes(), ".121"),
      [](FakeDialog& dialog) { dialog.Click(resources::kTextMessagesCancel); });
  ASSERT_TRUE(host.message_boxes.empty());
  const EditorSnapshot before;

  constexpr std::size_t first_level = 1000;
  constexpr std::size_t last_level = first_level + 24576;
  constexpr std::size_t first_text = 4001;
  constexpr std::size_t last_text = 29003;
  constexpr std::size_t program_size = 34567;
  const Bytes level_image = LevelRomBuilder().Bytes();
  const Bytes text_image = testing_support::TextRomImage(9);
  const auto program = [&](std::size_t second_level) {
    return ProgramFileBuilder(program_size)
        .Put(first_level, level_image)
        .Put(second_level, level_image)
        .Put(first_text, text_image)
        .Put(last_text, text_image)
        .Bytes();
  };
  const Bytes good = program(last_level);
  Bytes random = RandomBytes(program_size, 61);
  std::copy(level_image.begin(), level_image.end(), random.begin() + first_level);
  std::copy(level_image.begin(), level_image.end(), random.begin() + last_level);
  std::copy(text_image.begin(), text_image.end(), random.begin() + first_text);
  std::copy(text_image.begin(), text_image.end(), random.begin() + last_text);

  std::vector<Shape> shapes = {
      {"empty", {}, false},
      {"one byte", Cut(good, 1), false},
      {"a level signature alone", kLevelRomSignature, false},
      {"cut before the first image", Cut(good, first_level), false},
      {"cut after the first level signature", Cut(good, first_level + 4), false},
      {"cut after the first level image", Cut(good, first_level + kImageSize), false},
      {"cut after the first text image", Cut(good, first_text + kImageSize), false},
      {"cut after the last level signature", Cut(good, last_level + 4), false},
      {"cut after the last level image", Cut(good, last_level + kImageSize), false},
      {"cut after the last text signature", Cut(good, last_text + 4), false},
      {"cut one byte into the last text image's end", Cut(good, last_text + kImageSize - 1), false},
      {"cut where the last text image ends", Cut(good, last_text + kImageSize), true},
      {"whole", good, true},
      {"oversized", Oversized(good, 3 << 20), true},
      {"level images a byte too close", program(last_level - 1), false},
      {"level images a byte too far", program(last_level + 1), false},
      {"the last text signature wrong", WithByte(good, last_text + 3, 0x18), false},
      {"the first level signature wrong", WithByte(good, first_level, 0x3A), false},
      {"random bytes around the images", random, true},
  };

  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    const std::string out = temp.File("out.exe");
    std::filesystem::remove(out);
    host.message_boxes.clear();
    host.dialogs_run.clear();
    host.AnswerFileDialog(Write(shape.bytes, ".exe"));
    if (shape.taken) {
      host.ActInDialog(resources::kArcadeHitsDialogId, [](FakeDialog& dialog) {
        dialog.Click(resources::kIncludeTextDataBox);
        dialog.Click(resources::kArcadeHitsOkButton);
      });
      host.AnswerFileDialog(out);
    }
    host.ChooseMenuItem(resources::kHackArcadeHits);
    host.HandleMessages();
    if (!shape.taken) {
      ExpectRefused(before, "Not a valid 'Atari Arcade Hits' file");
      EXPECT_FALSE(std::filesystem::exists(out));
      continue;
    }
    // The editor's images in place of the "Original Levels" set, every other byte as read.
    EXPECT_TRUE(host.message_boxes.empty());
    Bytes expected = shape.bytes;
    std::copy(before.level_rom_image.begin(), before.level_rom_image.end(),
              expected.begin() + first_level);
    std::copy(before.text_rom_image.begin(), before.text_rom_image.end(),
              expected.begin() + first_text);
    EXPECT_EQ(ReadFileBytes(out), expected);
    ExpectUnchanged(before);
  }
}

}  // namespace
