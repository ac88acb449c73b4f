// The editor's own file commands, run on the batch host with their file dialogs answered by
// paths from the command line: every check, derivation, message and safe save is the editor's.
// Each returns false when the editor reported a problem (kept in the host).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/batch_host.h"
#include "files/arcade_hits.h"

namespace cli {

enum class FileKind { kLevelRom, kLevelFile, kColourRom, kTextRom, kUnknown };

// The kind of a file by its signature; nothing when it cannot be read (reported as the editor
// reports a file it cannot open).
std::optional<FileKind> RecogniseFile(BatchHost& host, const std::string& path);

// "&Load ROM ...", "Load &TLD File ...", "&Save ROM ..." and "Sa&ve TLD File ...".
bool LoadLevelRom(BatchHost& host, const std::string& path);
bool LoadLevelFile(BatchHost& host, const std::string& path);
bool SaveLevelRom(BatchHost& host, const std::string& path);
bool SaveLevelFile(BatchHost& host, const std::string& path);
// A level file when the file starts like one, else a level ROM.
bool LoadLevels(BatchHost& host, const std::string& path);

// The loads that start "Edit &Colours..." and "&Edit Text...".
bool LoadColourRom(BatchHost& host, const std::string& path);
bool LoadTextRom(BatchHost& host, const std::string& path);

// The load that starts "Hack 'Atari Arcade Hits'...".
std::optional<files::ArcadeHitsFile> LoadArcadeHitsFile(BatchHost& host, const std::string& path);
// "Hack 'Atari Arcade Hits'..." on `program`: in its dialog the person picks the level set and,
// if asked, "Include Text Data", then OK; the result is saved as `output`.
bool HackArcadeHits(BatchHost& host, const std::string& program, const std::string& output,
                    files::LevelSet level_set, bool include_text);

// Whether the extension of `path` is `extension` (".118", with its dot), in any case.
bool HasExtension(const std::string& path, std::string_view extension);
// Whether the two paths name one file: the same device and inode, so links and other
// spellings count. False when either is missing.
bool SameFile(const std::string& a, const std::string& b);

// Saves bytes as the editor saves its files: all or nothing, a failure reported as it reports
// one.
bool SaveBytes(BatchHost& host, const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace cli
