// Makes the sample files in samples/, all of them made for this project, so that a new user
// has something to open at once. Usage: make_samples OUTPUT_DIR
//
// Each sample is a file name and a function that builds its bytes; a new kind of sample is one
// more function and one more line in kSamples.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/colours.h"
#include "files/file_io.h"
#include "files/level_file.h"
#include "files/level_rom_file.h"
#include "files/text_messages.h"
#include "files/text_rom.h"
#include "level/level_store.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kPoints = level::kPointsPerShape;

// --- Tube shapes, in the 0..255 square with Y upward ---

struct Point {
  double x;
  double y;
};
using Outline = std::array<Point, kPoints>;

struct Tube {
  Outline outline;
  bool open;
};

// Sixteen points of a curve given as a function of t in [0, 1): a closed curve is sampled at
// k / 16, an open one at k / 15 so that its last point is the curve's end.
template <typename Curve>
Outline Sample(Curve curve, bool open) {
  Outline outline{};
  const double steps = open ? kPoints - 1 : kPoints;
  for (int k = 0; k < kPoints; ++k) {
    outline[k] = curve(k / steps);
  }
  return outline;
}

// Sixteen points spaced evenly by length along the path through `corners` (and back to the
// first corner when the path is closed).
Outline AlongPath(std::vector<Point> corners, bool open) {
  if (!open) corners.push_back(corners.front());
  std::vector<double> at_corner{0.0};
  for (std::size_t i = 1; i < corners.size(); ++i) {
    const double dx = corners[i].x - corners[i - 1].x;
    const double dy = corners[i].y - corners[i - 1].y;
    at_corner.push_back(at_corner.back() + std::sqrt(dx * dx + dy * dy));
  }
  return Sample(
      [&](double t) {
        const double distance = t * at_corner.back();
        std::size_t i = 1;
        while (i + 1 < corners.size() && at_corner[i] < distance) {
          ++i;
        }
        const double part = (distance - at_corner[i - 1]) / (at_corner[i] - at_corner[i - 1]);
        return Point{corners[i - 1].x + part * (corners[i].x - corners[i - 1].x),
                     corners[i - 1].y + part * (corners[i].y - corners[i - 1].y)};
      },
      open);
}

// A closed curve around (128, 128) whose radius follows the angle.
template <typename Radius>
Outline Polar(Radius radius) {
  return Sample(
      [&](double t) {
        const double angle = 2 * kPi * t;
        const double r = radius(angle);
        return Point{128 + r * std::cos(angle), 128 + r * std::sin(angle)};
      },
      false);
}

Outline Circle() {
  return Polar([](double) { return 112.0; });
}

Outline Square() {
  return AlongPath({{28, 28}, {228, 28}, {228, 228}, {28, 228}}, false);
}

// A plus sign: its twelve corners and the middle of each arm's end.
Outline Cross() {
  return {{{128, 236},
           {168, 236},
           {168, 168},
           {236, 168},
           {236, 128},
           {236, 88},
           {168, 88},
           {168, 20},
           {128, 20},
           {88, 20},
           {88, 88},
           {20, 88},
           {20, 128},
           {20, 168},
           {88, 168},
           {88, 236}}};
}

Outline Triangle() {
  return AlongPath({{128, 240}, {236, 40}, {20, 40}}, false);
}

// Eight tips with eight notches between them.
Outline Star() {
  return Sample(
      [](double t) {
        const double angle = 2 * kPi * t + kPi / 2;
        const double r = std::lround(t * kPoints) % 2 == 0 ? 118.0 : 48.0;
        return Point{128 + r * std::cos(angle), 128 + r * std::sin(angle)};
      },
      false);
}

Outline Heart() {
  return Sample(
      [](double t) {
        const double a = 2 * kPi * t;
        const double x = 16 * std::pow(std::sin(a), 3);
        const double y =
            13 * std::cos(a) - 5 * std::cos(2 * a) - 2 * std::cos(3 * a) - std::cos(4 * a);
        return Point{128 + 6.8 * x, 140 + 6.8 * y};
      },
      false);
}

// A lemniscate of Gerono: two loops that cross at the centre.
Outline FigureEight() {
  return Sample(
      [](double t) {
        const double a = 2 * kPi * t;
        return Point{128 + 110 * std::sin(2 * a), 128 + 115 * std::cos(a)};
      },
      false);
}

// Four round petals.
Outline Flower() {
  return Polar([](double angle) { return 82 + 36 * std::cos(4 * angle); });
}

Outline Vee() {
  return AlongPath({{16, 236}, {128, 24}, {240, 236}}, true);
}

Outline FlatLine() {
  return AlongPath({{8, 96}, {248, 96}}, true);
}

Outline ZigZag() {
  return Sample(
      [](double t) {
        return Point{8 + 240 * t, std::lround(t * 15) % 2 == 0 ? 70.0 : 170.0};
      },
      true);
}

// A little over one and a half turns, widening outward.
Outline Spiral() {
  return Sample(
      [](double t) {
        const double angle = 3.3 * kPi * t;
        const double r = 12 + 104 * t;
        return Point{128 + r * std::cos(angle), 128 - r * std::sin(angle)};
      },
      true);
}

Outline U() {
  std::vector<Point> corners{{36, 236}};
  for (int k = 0; k <= 12; ++k) {
    const double angle = kPi + kPi * k / 12;
    corners.push_back({128 + 92 * std::cos(angle), 128 + 92 * std::sin(angle)});
  }
  corners.push_back({220, 236});
  return AlongPath(corners, true);
}

// Eight treads and seven risers, climbing to the right.
Outline Steps() {
  Outline outline{};
  for (int k = 0; k < kPoints; ++k) {
    const int treads = (k + 1) / 2;
    const int risers = k / 2;
    outline[k] = {16.0 + 28 * treads, 20.0 + 30 * risers};
  }
  return outline;
}

Outline Wave() {
  return Sample(
      [](double t) {
        return Point{8 + 240 * t, 128 + 80 * std::sin(3 * kPi * t)};
      },
      true);
}

// The lower half of a circle, open at the top.
Outline Bowl() {
  return Sample(
      [](double t) {
        const double angle = kPi + kPi * t;
        return Point{128 + 118 * std::cos(angle), 150 + 118 * std::sin(angle)};
      },
      true);
}

std::array<Tube, level::kShapeCount> Tubes() {
  return {{{Circle(), false},
           {Square(), false},
           {Cross(), false},
           {Triangle(), false},
           {Star(), false},
           {Heart(), false},
           {FigureEight(), false},
           {Flower(), false},
           {Vee(), true},
           {FlatLine(), true},
           {ZigZag(), true},
           {Spiral(), true},
           {U(), true},
           {Steps(), true},
           {Wave(), true},
           {Bowl(), true}}};
}

// --- Samples ---

std::vector<std::uint8_t> TubesRom() {
  level::ResetLevelStore();
  level::InitLevelTable();
  std::copy(files::kLevelRomSignature.begin(), files::kLevelRomSignature.end(),
            level::level_rom_image.begin());
  const std::array<Tube, level::kShapeCount> tubes = Tubes();
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    const Tube& tube = tubes[shape];
    for (int point = 0; point < kPoints; ++point) {
      level::accurate_x[level::PointIndex(shape, point)] = tube.outline[point].x;
      level::accurate_y[level::PointIndex(shape, point)] = tube.outline[point].y;
    }
    // Later levels are drawn smaller; open tubes sit low, under a raised vanishing point.
    level::ShapeByte(level::kLevelScale, shape) = static_cast<std::uint8_t>(10 + shape * 4 / 3);
    level::ShapeByte(level::kHeight, shape) = tube.open ? 224 : 128;
    level::ShapeByte(level::kOffsetLow, shape) = tube.open ? 0x80 : 0x00;
    level::ShapeByte(level::kOpenFlag, shape) = tube.open ? level::kOpenFlagSet : 0;
  }
  for (int level_index = 0; level_index < level::kLevelCount; ++level_index) {
    level::level_table[level::kLevelToShapeMap + level_index] =
        static_cast<std::uint8_t>(level_index);
  }
  level::StoreRomValues();
  files::DeriveAllShapes();
  return {level::level_rom_image.begin(), level::level_rom_image.end()};
}

// The same tubes with their points unrounded, as only a level file keeps them.
std::vector<std::uint8_t> TubesLevelFile() {
  TubesRom();
  const files::LevelFileImage image = files::EncodeLevelFile();
  return {image.begin(), image.end()};
}

// A colour table of our own: each row steps through the seven bright swatches, one per cycle.
std::vector<std::uint8_t> ColoursRom() {
  std::vector<std::uint8_t> bytes(files::kColourRomSize);
  std::copy(files::kColourRomSignature.begin(), files::kColourRomSignature.end(), bytes.begin());
  for (int row = 0; row < 8; ++row) {
    for (int cycle = 0; cycle < 6; ++cycle) {
      bytes[files::ColourEntryOffset(row, cycle)] =
          files::kSwatchCodes[static_cast<std::size_t>((row + cycle) % 7)];
    }
  }
  return bytes;
}

// Our own messages, each in English, French, German and Spanish. "\xBD" is the one-half sign,
// "\xA9" the copyright sign.
using Translations = std::array<std::string_view, 4>;
constexpr std::array<Translations, files::kMessagesPerLanguage> kMessages{{
    {"GAME OVER", "FIN DE PARTIE", "SPIELENDE", "FIN DEL JUEGO"},
    {"PLAYER 1", "JOUEUR 1", "SPIELER 1", "JUGADOR 1"},
    {"PLAYER 2", "JOUEUR 2", "SPIELER 2", "JUGADOR 2"},
    {"PRESS START", "APPUYEZ SUR START", "START DRUECKEN", "PULSE START"},
    {"INSERT COINS", "INSEREZ PIECES", "MUENZEN REIN", "INSERTE MONEDAS"},
    {"HIGH SCORES", "MEILLEURS SCORES", "BESTENLISTE", "MEJORES PUNTOS"},
    {"RATE YOURSELF", "EVALUEZ-VOUS", "SELBST WERTEN", "CALIFIQUESE"},
    {"NOVICE", "DEBUTANT", "ANFAENGER", "NOVATO"},
    {"EXPERT", "EXPERT", "PROFI", "EXPERTO"},
    {"BONUS", "PRIME", "BONUS", "PREMIO"},
    {"LEVEL", "NIVEAU", "STUFE", "NIVEL"},
    {"HOLE", "TROU", "LOCH", "HOYO"},
    {"ZAPPER READY", "ZAPPEUR PRET", "ZAPPER BEREIT", "ZAPPER LISTO"},
    {"AVOID SPIKES", "EVITEZ LES PICS", "SPITZEN MEIDEN", "EVITE LAS PUAS"},
    {"ENTER INITIALS", "VOS INITIALES", "INITIALEN", "SUS INICIALES"},
    {"TURN KNOB TO CHOOSE", "TOURNEZ LE BOUTON", "KNOPF DREHEN", "GIRE EL MANDO"},
    {"PRESS FIRE", "APPUYEZ FEU", "FEUER DRUECKEN", "PULSE FUEGO"},
    {"CREDITS", "CREDITS", "KREDITE", "CREDITOS"},
    {"TIME", "TEMPS", "ZEIT", "TIEMPO"},
    {"GREAT SHOT", "BEAU TIR", "GUTER SCHUSS", "BUEN TIRO"},
    {"WELL DONE", "BRAVO", "GUT GEMACHT", "BIEN HECHO"},
    {"NEW RECORD", "NOUVEAU RECORD", "NEUER REKORD", "NUEVO RECORD"},
    {"1 COIN 1 PLAY", "1 PIECE 1 JEU", "1 MUENZE 1 SPIEL", "1 MONEDA 1 JUEGO"},
    {"FREE PLAY", "JEU GRATUIT", "FREISPIEL", "JUEGO LIBRE"},
    {"READY", "PRET", "BEREIT", "LISTO"},
    {"PAUSED", "PAUSE", "PAUSE", "PAUSA"},
    {"SCORE", "SCORE", "PUNKTE", "PUNTOS"},
    {"LIVES", "VIES", "LEBEN", "VIDAS"},
    {"1\xBD CREDITS", "1\xBD CREDITS", "1\xBD KREDITE", "1\xBD CREDITOS"},
    {"\xA9 RIMFORGE", "\xA9 RIMFORGE", "\xA9 RIMFORGE", "\xA9 RIMFORGE"},
}};

// The messages laid out one after another from the first record, each roughly centred, with
// attribute pairs of our own: the first three big, colours cycling, rows from the top down.
std::vector<std::uint8_t> TextsRom() {
  std::vector<std::uint8_t> bytes(files::kTextRomSize);
  std::copy(files::kTextRomSignature.begin(), files::kTextRomSignature.end(), bytes.begin());
  std::size_t record = files::kMessageRecordsOffset;
  for (int message = 0; message < files::kMessageCount; ++message) {
    const auto language = static_cast<std::size_t>(message / files::kMessagesPerLanguage);
    const auto number = static_cast<std::size_t>(message % files::kMessagesPerLanguage);
    std::string text(kMessages[number][language]);
    if (record + 1 + text.size() > bytes.size()) {
      std::fprintf(stderr, "make_samples: the messages do not fit into the text ROM\n");
      std::exit(1);
    }
    const int address = files::kTextRomAddress + static_cast<int>(record);
    const std::size_t pointer =
        files::kMessagePointersOffset + 2 * static_cast<std::size_t>(message);
    bytes[pointer] = static_cast<std::uint8_t>(address & 0xFF);
    bytes[pointer + 1] = static_cast<std::uint8_t>(address >> 8);
    bytes[record] = static_cast<std::uint8_t>(-3 * static_cast<int>(text.size()));
    files::EncodeMessage(text, bytes, record + 1);
    record += 1 + text.size();
  }
  for (int pair = 0; pair < files::kMessagesPerLanguage; ++pair) {
    const int colour = pair % 7;
    const int size = pair < 3 ? 0 : 1 + pair % 2;
    bytes[files::MessageAttributeOffset(pair)] = static_cast<std::uint8_t>(colour * 16 + size);
    bytes[files::MessageAttributeOffset(pair) + 1] = static_cast<std::uint8_t>(90 - 6 * pair);
  }
  return bytes;
}

struct SampleFile {
  std::string_view name;
  std::vector<std::uint8_t> (*make)();
};

constexpr std::array kSamples{
    SampleFile{"rimforge_tubes.118", TubesRom},
    SampleFile{"rimforge_tubes.TLD", TubesLevelFile},
    SampleFile{"rimforge_colours.119", ColoursRom},
    SampleFile{"rimforge_texts.121", TextsRom},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_samples OUTPUT_DIR\n");
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  for (const SampleFile& sample : kSamples) {
    const std::string path = (folder / sample.name).string();
    if (!files::WriteFileAtomically(path, sample.make())) {
      std::fprintf(stderr, "make_samples: could not write %s\n", path.c_str());
      return 1;
    }
    std::printf("wrote %s\n", path.c_str());
  }
  return 0;
}
