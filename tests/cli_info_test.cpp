// "rimforge-tool info" on files built here: what it says about levels, colours, texts and program
// files, as text and as JSON read back, and how it refuses what it cannot read.
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "level/level_store.h"
#include "support/colour_rom_builder.h"
#include "support/level_file_builder.h"
#include "support/level_rom_builder.h"
#include "support/program_file_builder.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/text_rom_builder.h"

namespace {

using testing_support::ProgramRun;

ProgramRun Tool(const std::vector<std::string>& args) {
  return testing_support::RunProgram(RIMFORGE_TOOL, args);
}

// A JSON value read back from the tool's output, just enough to look up the facts.
struct Json {
  using Array = std::vector<Json>;
  using Object = std::vector<std::pair<std::string, Json>>;
  std::variant<std::nullptr_t, bool, double, std::string, Array, Object> value;

  const Json& operator[](std::string_view key) const {
    static const Json missing;
    if (const auto* object = std::get_if<Object>(&value)) {
      for (const auto& [name, member] : *object) {
        if (name == key) return member;
      }
    }
    ADD_FAILURE() << "no member " << key;
    return missing;
  }
  const Json& operator[](std::size_t index) const {
    static const Json missing;
    const auto* array = std::get_if<Array>(&value);
    if (array != nullptr && index < array->size()) return (*array)[index];
    ADD_FAILURE() << "no item " << index;
    return missing;
  }
  std::size_t Size() const {
    const auto* array = std::get_if<Array>(&value);
    return array ? array->size() : 0;
  }
  double Number() const {
    const auto* number = std::get_if<double>(&value);
    return number ? *number : std::numeric_limits<double>::quiet_NaN();
  }
  std::string Text() const {
    const auto* text = std::get_if<std::string>(&value);
    return text ? *text : "(not a string)";
  }
  bool IsTrue() const {
    const auto* flag = std::get_if<bool>(&value);
    return flag != nullptr && *flag;
  }
  bool IsNull() const { return std::holds_alternative<std::nullptr_t>(value); }
};

// A reader for the JSON the tool writes: objects, arrays, strings with simple escapes, numbers,
// true, false and null. Nothing when the text is not one JSON value.
class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : text_(text) {}

  std::optional<Json> ReadDocument() {
    std::optional<Json> value = ReadValue();
    SkipSpace();
    if (at_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  void SkipSpace() {
    while (at_ < text_.size() &&
           std::string_view(" \n\r\t").find(text_[at_]) != std::string_view::npos)
      ++at_;
  }
  bool Take(char c) {
    SkipSpace();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool TakeWord(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  std::optional<std::string> ReadString() {
    if (!Take('"')) return std::nullopt;
    std::string text;
    while (at_ < text_.size() && text_[at_] != '"') {
      char c = text_[at_++];
      if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
      if (c == '\\') {
        if (at_ >= text_.size()) return std::nullopt;
        const char escaped = text_[at_++];
        if (escaped == 'n') {
          c = '\n';
        } else if (escaped == 't') {
          c = '\t';
        } else if (escaped == '"' || escaped == '\\' || escaped == '/') {
          c = escaped;
        } else {
          return std::nullopt;
        }
      }
      text += c;
    }
    if (at_ >= text_.size()) return std::nullopt;
    ++at_;
    return text;
  }

  std::optional<Json> ReadValue() {
    SkipSpace();
    if (at_ >= text_.size()) return std::nullopt;
    const char c = text_[at_];
    if (c == '{') return ReadObject();
    if (c == '[') return ReadArray();
    if (c == '"') {
      std::optional<std::string> text = ReadString();
      if (!text) return std::nullopt;
      return Json{std::move(*text)};
    }
    if (TakeWord("true")) return Json{true};
    if (TakeWord("false")) return Json{false};
    if (TakeWord("null")) return Json{nullptr};
    const std::size_t end = text_.find_first_not_of("-+.eE0123456789", at_);
    const std::string number(text_.substr(at_, end - at_));
    char* stop = nullptr;
    const double value = std::strtod(number.c_str(), &stop);
    if (number.empty() || stop != number.c_str() + number.size()) return std::nullopt;
    at_ = end;
    return Json{value};
  }

  std::optional<Json> ReadArray() {
    Take('[');
    Json::Array items;
    if (Take(']')) return Json{std::move(items)};
    do {
      std::optional<Json> item = ReadValue();
      if (!item) return std::nullopt;
      items.push_back(std::move(*item));
    } while (Take(','));
    if (!Take(']')) return std::nullopt;
    return Json{std::move(items)};
  }

  std::optional<Json> ReadObject() {
    Take('{');
    Json::Object members;
    if (Take('}')) return Json{std::move(members)};
    do {
      std::optional<std::string> name = ReadString();
      if (!name || !Take(':')) return std::nullopt;
      std::optional<Json> member = ReadValue();
      if (!member) return std::nullopt;
      members.emplace_back(std::move(*name), std::move(*member));
    } while (Take(','));
    if (!Take('}')) return std::nullopt;
    return Json{std::move(members)};
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

// The tool's JSON for a file, which must be one JSON value.
Json InfoJson(const std::string& path) {
  const ProgramRun run = Tool({"info", "--json", path});
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::optional<Json> json = JsonReader(run.out).ReadDocument();
  EXPECT_TRUE(json.has_value()) << "not JSON:\n" << run.out;
  return json.value_or(Json{});
}

// The text of "info" for a file.
std::string InfoText(const std::string& path) {
  const ProgramRun run = Tool({"info", path});
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  return run.out;
}

// The lines from the one that starts with `heading` up to the next empty line.
std::string Section(const std::string& text, const std::string& heading) {
  const std::size_t start = text.find("\n" + heading);
  if (start == std::string::npos) return "(no section " + heading + ")";
  const std::size_t end = text.find("\n\n", start + 1);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
}

bool HasLine(const std::string& text, const std::string& pattern) {
  return std::regex_search(text, std::regex("\n" + pattern + "\n"));
}

class CliInfoTest : public ::testing::Test {
 protected:
  testing_support::TempDir temp;
};

TEST_F(CliInfoTest, LevelRomShowsEachLevelAndEachShapeAsStored) {
  const std::string path = testing_support::LevelRomBuilder()
                               .Points(1, testing_support::Walk({100, 100}, {{1, 0}, {0, 1}}))
                               .TableByte(level::kSegmentDirections + level::PointIndex(1, 1), 9)
                               .ShapeByte(level::kLengthFactorHigh, 1, 2)
                               .ShapeByte(level::kLengthFactorLow, 1, 108)
                               .LevelShape(2, 4)
                               .LevelShape(5, 0x13)  // taken modulo 16, as the editor takes it
                               .ShapeByte(level::kLevelScale, 4, 20)
                               .ShapeByte(level::kHeight, 4, 200)
                               .ShapeByte(level::kOffsetHigh, 4, 0xFE)
                               .ShapeByte(level::kOffsetLow, 4, 0x80)
                               .Open(4)
                               .WriteTo(temp, "levels.118");

  const std::string text = InfoText(path);
  EXPECT_EQ(text.substr(0, 10), "Level ROM\n");
  const std::string levels = Section(text, "Level  Shape");
  EXPECT_TRUE(HasLine(levels, " +1 +1 +0 +0 +0 +no")) << levels;
  EXPECT_TRUE(HasLine(levels, " +3 +5 +20 +200 +-384 +yes")) << levels;
  EXPECT_TRUE(HasLine(levels, " +6 +4 +0 +0 +0 +no")) << levels;
  const std::string shape = Section(text, "Shape 2:");
  EXPECT_TRUE(HasLine(shape, "Shape 2: length factor 364 \\(high 2, low 108\\)")) << shape;
  EXPECT_TRUE(HasLine(shape, " +0 +100 +100 +0")) << shape;
  EXPECT_TRUE(HasLine(shape, " +1 +101 +100 +9")) << shape;
  EXPECT_TRUE(HasLine(shape, " +15 +101 +101 +0")) << shape;

  const Json json = InfoJson(path);
  EXPECT_EQ(json["kind"].Text(), "level ROM");
  ASSERT_EQ(json["levels"].Size(), 16u);
  const Json& level3 = json["levels"][2];
  EXPECT_EQ(level3["level"].Number(), 3);
  EXPECT_EQ(level3["shape"].Number(), 5);
  EXPECT_EQ(level3["scale"].Number(), 20);
  EXPECT_EQ(level3["height"].Number(), 200);
  EXPECT_EQ(level3["offset"].Number(), -384);
  EXPECT_TRUE(level3["open"].IsTrue());
  EXPECT_EQ(json["levels"][5]["shape"].Number(), 4);
  ASSERT_EQ(json["shapes"].Size(), 16u);
  const Json& shape2 = json["shapes"][1];
  EXPECT_EQ(shape2["shape"].Number(), 2);
  EXPECT_EQ(shape2["length_factor"].Number(), 364);
  EXPECT_EQ(shape2["length_factor_high"].Number(), 2);
  EXPECT_EQ(shape2["length_factor_low"].Number(), 108);
  ASSERT_EQ(shape2["points"].Size(), 16u);
  EXPECT_EQ(shape2["points"][1]["x"].Number(), 101);
  EXPECT_EQ(shape2["points"][1]["y"].Number(), 100);
  EXPECT_EQ(shape2["points"][1]["direction"].Number(), 9);

  // The sample set: sixteen levels of sixteen points each.
  const Json sample = InfoJson(RIMFORGE_SAMPLES_DIR "/rimforge_tubes.118");
  ASSERT_EQ(sample["shapes"].Size(), 16u);
  for (std::size_t s = 0; s < 16; ++s)
    EXPECT_EQ(sample["shapes"][s]["points"].Size(), 16u);
}

TEST_F(CliInfoTest, LevelFileShowsTheAccurateValues) {
  const std::string path = testing_support::LevelFileBuilder()
                               .Point(3, 4, 12.25, 200.75)
                               .Point(3, 5, -0.5, 300.0)
                               .Point(3, 6, std::nan(""), 1.0)
                               .TableByte(level::kSegmentDirections + level::PointIndex(3, 4), 7)
                               .WriteTo(temp, "levels.TLD");

  const std::string text = InfoText(path);
  EXPECT_EQ(text.substr(0, 29), "Level file (accurate values)\n");
  const std::string shape = Section(text, "Shape 4:");
  EXPECT_TRUE(HasLine(shape, " +4 +12\\.25 +200\\.75 +7")) << shape;
  EXPECT_TRUE(HasLine(shape, " +5 +-0\\.5 +300 +0")) << shape;

  // A coordinate that is no number has no JSON form: it is null, and the rest still reads.
  const Json json = InfoJson(path);
  EXPECT_EQ(json["kind"].Text(), "level file");
  const Json& points = json["shapes"][3]["points"];
  EXPECT_EQ(points[4]["x"].Number(), 12.25);
  EXPECT_EQ(points[4]["y"].Number(), 200.75);
  EXPECT_EQ(points[4]["direction"].Number(), 7);
  EXPECT_EQ(points[5]["x"].Number(), -0.5);
  EXPECT_EQ(points[5]["y"].Number(), 300);
  EXPECT_TRUE(points[6]["x"].IsNull());
  EXPECT_EQ(points[6]["y"].Number(), 1);
}

TEST_F(CliInfoTest, ColourRomShowsTheTableWithSwatchNamesAndRawCodes) {
  // Row r of cycle c holds 2 * ((r + c) % 8) unless set here.
  const std::string path = testing_support::ColourRomBuilder()
                               .Entry(5, 2, 0x0C)
                               .Entry(0, 0, 0x01)
                               .WriteTo(temp, "colours.119");

  const std::string text = InfoText(path);
  EXPECT_EQ(text.substr(0, 11), "Colour ROM\n");
  EXPECT_TRUE(std::regex_search(text, std::regex("\nBullets +White 0x01 +Cyan 0x02 ")));
  EXPECT_TRUE(std::regex_search(text, std::regex("\nSpikers +Blue 0x0A +Red 0x0C +Red 0x0C ")));
  EXPECT_TRUE(HasLine(
      text, "Info +Black 0x0E +White 0x00 +Cyan 0x02 +Yellow 0x04 +Green 0x06 +Magenta 0x08"));

  const Json json = InfoJson(path);
  EXPECT_EQ(json["kind"].Text(), "colour ROM");
  ASSERT_EQ(json["rows"].Size(), 8u);
  EXPECT_EQ(json["rows"][5]["row"].Text(), "Spikers");
  ASSERT_EQ(json["rows"][5]["cycles"].Size(), 6u);
  EXPECT_EQ(json["rows"][5]["cycles"][2]["swatch"].Text(), "Red");
  EXPECT_EQ(json["rows"][5]["cycles"][2]["code"].Number(), 12);
  EXPECT_EQ(json["rows"][0]["cycles"][0]["swatch"].Text(), "White");
  EXPECT_EQ(json["rows"][0]["cycles"][0]["code"].Number(), 1);
  EXPECT_EQ(json["rows"][7]["cycles"][5]["swatch"].Text(), "Magenta");
}

TEST_F(CliInfoTest, TextRomShowsEveryMessageWithItsTextInUtf8) {
  // Message 33 (French, number 4): A, the one-half sign and the copyright sign.
  const std::string path = testing_support::TextRomBuilder()
                               .MessageCharacters(33, {22, 78, 0xD0})
                               .X(33, 0xFD)
                               .Pair(3, 0x8C, 0xF0)
                               .WriteTo(temp, "texts.121");

  const std::string text = InfoText(path);
  EXPECT_EQ(text.substr(0, 9), "Text ROM\n");
  EXPECT_TRUE(HasLine(text, " +1 +English +-60 +-40 +White +Big +\"TEXT 0\""));
  EXPECT_TRUE(HasLine(text, " +4 +French +-3 +-16 +Flashing +12 +\"A\xC2\xBD\xC2\xA9\""));
  EXPECT_TRUE(HasLine(text, " +30 +Spanish +59 +47 +Magenta +Unreadable +\"TEXT 119\""));

  const Json json = InfoJson(path);
  EXPECT_EQ(json["kind"].Text(), "text ROM");
  ASSERT_EQ(json["messages"].Size(), 120u);
  const Json& message = json["messages"][33];
  EXPECT_EQ(message["number"].Number(), 4);
  EXPECT_EQ(message["language"].Text(), "French");
  EXPECT_EQ(message["x"].Number(), -3);
  EXPECT_EQ(message["y"].Number(), -16);
  EXPECT_EQ(message["colour"].Text(), "Flashing");
  EXPECT_EQ(message["colour_code"].Number(), 8);
  EXPECT_TRUE(message["size"].IsNull());
  EXPECT_EQ(message["size_code"].Number(), 12);
  EXPECT_EQ(message["text"].Text(), "A\xC2\xBD\xC2\xA9");
  EXPECT_EQ(json["messages"][119]["text"].Text(), "TEXT 119");
}

TEST_F(CliInfoTest, ProgramFileShowsWhereItsImagesLie) {
  const std::string path = testing_support::ProgramFileBuilder(34567)
                               .Put(1000, testing_support::LevelRomBuilder().Bytes())
                               .Put(25576, testing_support::LevelRomBuilder().Bytes())
                               .Put(4001, testing_support::TextRomImage(1))
                               .Put(29003, testing_support::TextRomImage(2))
                               .WriteTo(temp, "game.exe");

  const std::string text = InfoText(path);
  EXPECT_EQ(text.substr(0, text.find('\n')), "'Atari Arcade Hits' program file, 34567 bytes");
  EXPECT_TRUE(HasLine(text, "Original Levels +1000 +4001"));
  EXPECT_TRUE(HasLine(text, "Tempest Tubes +25576 +29003"));

  const Json json = InfoJson(path);
  EXPECT_EQ(json["kind"].Text(), "program file");
  EXPECT_EQ(json["size"].Number(), 34567);
  EXPECT_EQ(json["original_levels"]["level_rom"].Number(), 1000);
  EXPECT_EQ(json["original_levels"]["text_rom"].Number(), 4001);
  EXPECT_EQ(json["tempest_tubes"]["level_rom"].Number(), 25576);
  EXPECT_EQ(json["tempest_tubes"]["text_rom"].Number(), 29003);
}

TEST_F(CliInfoTest, FilesItCannotReadAreReportedWithTheEditorsMessages) {
  struct Case {
    std::string path;
    std::string message;
  };
  testing_support::WriteFileBytes(temp.File("notes.txt"), {'h', 'e', 'l', 'l', 'o'});
  const std::vector<Case> cases{
      {temp.File("missing.118"), "Could not open \"" + temp.File("missing.118") + "\"."},
      {temp.Path().string(), "Could not open \"" + temp.Path().string() + "\"."},
      // A signature, but a message pointer that leads out of the image.
      {testing_support::TextRomBuilder().Pointer(5, 0x9000).WriteTo(temp, "broken.121"),
       "broken.121: Not a valid Tempest ROM 121 file\n"},
      {temp.File("notes.txt"), "notes.txt: Not a valid 'Atari Arcade Hits' file\n"},
      {temp.File("notes.txt"),
       "notes.txt is not a level ROM, level file, colour ROM or text ROM either\n"},
  };
  for (const Case& c : cases) {
    for (const bool json : {false, true}) {
      const ProgramRun run = json ? Tool({"info", "--json", c.path}) : Tool({"info", c.path});
      EXPECT_EQ(run.exit_status, 1) << c.path;
      EXPECT_EQ(run.out, "") << c.path;
      EXPECT_NE(run.err.find("rimforge-tool info: "), std::string::npos) << run.err;
      EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
  }

  const ProgramRun unknown = Tool({"info", "--long", temp.File("notes.txt")});
  EXPECT_EQ(unknown.exit_status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_NE(unknown.err.find("unknown option '--long'"), std::string::npos) << unknown.err;
  EXPECT_NE(unknown.err.find("Usage: rimforge-tool info FILE"), std::string::npos) << unknown.err;
}

}  // namespace
