// Every save command on a disk that fails it: read-only, full in the middle of the write, a
// folder in the file's place or a missing folder. Each save reports "Could not write ..." and
// leaves the old file as it was, with no temporary file beside it. Where a new file renamed over
// the old one would harm it, the save writes in place.
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/file_system.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/colour_dialogs.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"
#include "support/editor_test.h"
#include "support/golden.h"

namespace {

using namespace testing_support;
using namespace resources;
namespace fs = std::filesystem;

const Bytes kOldBytes(300, 0x42);
using Names = std::vector<std::string>;

#ifndef _WIN32
constexpr std::uint64_t kPageSize = 4096;

bool Shell(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

// A small file system in memory, mounted while the object lives (which needs root).
class SmallDisk {
 public:
  explicit SmallDisk(const fs::path& folder) : root_(folder / "disk") {
    fs::create_directory(root_);
    mounted = Shell("mount -t tmpfs -o size=128k,nr_inodes=16 tmpfs " + Quoted(root_));
  }
  ~SmallDisk() {
    if (mounted) Shell("umount -l " + Quoted(root_));
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  std::string File(const std::string& name) const { return (root_ / name).string(); }
  bool RemountReadOnly() { return Shell("mount -o remount,ro " + Quoted(root_)); }
  std::uint64_t FreeBytes() const { return fs::space(root_).available; }
  void FillLeaving(std::uint64_t room) {
    Shell("dd if=/dev/zero bs=4096 of=" + Quoted(File("filler")));
    fs::resize_file(File("filler"), fs::file_size(File("filler")) - room);
  }
  void Unfill() { fs::remove(File("filler")); }

  bool mounted;

 private:
  fs::path root_;
};
#endif

// The save commands by the extension of what they write.
const std::string kCommands[] = {".118", ".TLD", ".119", ".121", ".exe"};

class FailingDiskTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Load(kLoadRom, LevelRomBuilder().Points(3, RingPoints()).Get(), "tubes.118");
    colours_ = temp.Write("colours.119", ColourRom());
    texts_ = temp.Write("texts.121", TextRomBuilder().Get());
    program_ = temp.Write("program.exe", ProgramFile(30000, {{100, LevelRomBuilder().Get()},
                                                             {100 + 24576, LevelRomBuilder().Get()},
                                                             {3001, TextRomImage(1)},
                                                             {27001, TextRomImage(2)}}));
    // What each save writes when the disk takes it.
    host.file_dialogs.clear();
    for (const std::string& command : kCommands) {
      const std::string path = temp.File("reference" + command);
      Save(command, path);
      references_.push_back(ReadFileBytes(path));
      fs::remove(path);
    }
    ASSERT_TRUE(host.message_boxes.empty());
    ExpectGoldenText("save_dialogs.txt", host.FileDialogsShown());
  }

  // The save, with `path` (nothing: cancelled) named in its save dialog.
  void Save(const std::string& command, FileAnswer path) {
    const auto ok = [](int id) { return [id](FakeDialog& dialog) { dialog.Click(id); }; };
    if (command == ".118") ChooseFile(kSaveRom, path);
    if (command == ".TLD") ChooseFile(kSaveTld, path);
    if (command == ".119") EditData(kEditColours, kColoursDialogId, colours_, ok(kColoursOk), path);
    if (command == ".121")
      EditData(kEditText, kTextMessagesDialogId, texts_, ok(kTextMessagesOk), path);
    if (command == ".exe")
      EditData(kHackArcadeHits, kArcadeHitsDialogId, program_, ok(kArcadeHitsOkButton), path);
  }

  // Saves over an old file that must survive, and expects the failure reported.
  void ExpectSaveFails(const std::string& command, const std::string& old_file) {
    const fs::path folder = fs::path(old_file).parent_path();
    const auto names = [&] { return fs::exists(folder) ? FileNames(folder) : Names{}; };
    const Names earlier = names();
    host.message_boxes.clear();
    Save(command, old_file);
    ExpectOnlyMessage("Could not write \"" + old_file + "\".");
    EXPECT_EQ(names(), earlier);
    if (fs::is_regular_file(old_file)) {
      EXPECT_EQ(ReadFileBytes(old_file), kOldBytes);
    }
  }

  std::string colours_, texts_, program_;
  std::vector<Bytes> references_;
};

#ifndef _WIN32
TEST_F(FailingDiskTest, SaveOntoAFullOrReadOnlyDiskKeepsTheOldFile) {
  SmallDisk disk(temp.Path());
  if (!disk.mounted) GTEST_SKIP() << "mounting a small file system needs root";
  for (std::size_t i = 0; i < std::size(kCommands); ++i) {
    SCOPED_TRACE(kCommands[i]);
    const std::string old_file = disk.File("old" + kCommands[i]);
    WriteFileBytes(old_file, kOldBytes);
    // The disk takes a write a page at a time: a save longer than a page writes its first page
    // and then runs out, a shorter one runs out once its file has been made.
    const std::uint64_t room = references_[i].size() > kPageSize ? kPageSize : 0;
    disk.FillLeaving(room);
    ASSERT_EQ(disk.FreeBytes(), room);
    ExpectSaveFails(kCommands[i], old_file);
    disk.Unfill();
  }
  // With no file entry left, no new file can be made beside the old one: it is written in place.
  for (int entry = 0; Shell("touch " + Quoted(disk.File(std::to_string(entry))));)
    ++entry;
  for (std::size_t i = 0; i < std::size(kCommands); ++i) {
    host.message_boxes.clear();
    Save(kCommands[i], disk.File("old" + kCommands[i]));
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(ReadFileBytes(disk.File("old" + kCommands[i])), references_[i]);
    WriteFileBytes(disk.File("old" + kCommands[i]), kOldBytes);
  }
  ASSERT_TRUE(disk.RemountReadOnly());
  for (const std::string& command : kCommands) {
    SCOPED_TRACE(command);
    ExpectSaveFails(command, disk.File("old" + command));
  }
}
#endif

// Through a symbolic link (where one can be made) the linked file is written; a file with other
// names, a device and a FIFO (where there are such) are written in place, so that they stay what
// they are.
TEST_F(FailingDiskTest, SaveOntoAFolderOrIntoAMissingFolderFailsAndLinksAndDevicesAreKept) {
  const auto permissions = fs::perms(0640);
  for (std::size_t i = 0; i < std::size(kCommands); ++i) {
    const std::string& command = kCommands[i];
    SCOPED_TRACE(command);
    const std::string folder = temp.File("taken" + command), inside = folder + "/inside";
    fs::create_directory(folder);
    WriteFileBytes(inside, kOldBytes);
    ExpectSaveFails(command, folder);
    EXPECT_EQ(ReadFileBytes(inside), kOldBytes);
    ExpectSaveFails(command, temp.File("no such folder/out" + command));
#ifndef _WIN32
    const std::string fifo = temp.File("fifo" + command);  // that nobody reads
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ExpectSaveFails(command, fifo);
    EXPECT_TRUE(fs::is_fifo(fifo));
#endif
    // A cancelled save dialog writes nothing and says nothing.
    const Names names = FileNames(temp.Path());
    host.message_boxes.clear();
    Save(command, std::nullopt);
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(FileNames(temp.Path()), names);
    const std::string real = temp.Write("real" + command, kOldBytes),
                      link = temp.File("link" + command), other = temp.File("other" + command),
                      longest = temp.File(std::string(255 - command.size(), 'n') + command),
                      device = temp.File("device" + command);
    fs::permissions(real, permissions);
    const fs::perms kept = fs::status(real).permissions();  // Windows keeps only read-only
    std::error_code no_link;
    fs::create_symlink(real, link, no_link);
    fs::create_hard_link(real, other);
#ifdef _WIN32
    const bool made_device = false;
#else
    const bool made_device = mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
#endif
    for (const std::string& target :
         {no_link ? other : link, longest, made_device ? device : longest})
      Save(command, target);
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_TRUE(no_link || fs::is_symlink(link));
    // Both names of the file hold the save (the C library on Windows counts no links).
    EXPECT_EQ(ReadFileBytes(real), references_[i]);
    EXPECT_EQ(ReadFileBytes(other), references_[i]);
    EXPECT_EQ(ReadFileBytes(longest), references_[i]);
    EXPECT_EQ(fs::status(real).permissions(), kept);
    EXPECT_TRUE(!made_device || fs::is_character_file(device));
  }
}

// Names beyond ASCII reach the disk whole: each save writes under them, and the editor loads
// what it wrote (the second name's saves start from what was loaded under the first).
TEST_F(FailingDiskTest, SavesAndLoadsUnderNamesBeyondAscii) {
  for (const std::string name : {"café ", "关卡 レベル "}) {
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
      SCOPED_TRACE(name + kCommands[i]);
      const std::string file = temp.File(name + kCommands[i]);
      host.message_boxes.clear();
      Save(kCommands[i], file);
      EXPECT_TRUE(host.message_boxes.empty());
      EXPECT_EQ(ReadFileBytes(file), references_[i]);
      EXPECT_EQ(std::ranges::count(FileNames(temp.Path()), name + kCommands[i]), 1);
    }
    ChooseFile(kLoadRom, temp.File(name + ".118"));
    ChooseFile(kLoadTld, temp.File(name + ".TLD"));
    EXPECT_TRUE(host.message_boxes.empty());
    colours_ = temp.File(name + ".119");
    texts_ = temp.File(name + ".121");
    program_ = temp.File(name + ".exe");
  }
}

// A file marked read-only: Windows programs keep it, so there the save is refused; elsewhere
// the folder decides, and the new file keeps the mark.
TEST_F(FailingDiskTest, SaveOverAReadOnlyFile) {
  constexpr fs::perms kWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  for (std::size_t i = 0; i < std::size(kCommands); ++i) {
    SCOPED_TRACE(kCommands[i]);
    const std::string old_file = temp.Write("read-only" + kCommands[i], kOldBytes);
    fs::permissions(old_file, kWrite, fs::perm_options::remove);
#ifdef _WIN32
    ExpectSaveFails(kCommands[i], old_file);
#else
    host.message_boxes.clear();
    Save(kCommands[i], old_file);
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(ReadFileBytes(old_file), references_[i]);
#endif
    EXPECT_EQ(fs::status(old_file).permissions() & kWrite, fs::perms::none);
    fs::permissions(old_file, fs::perms::owner_write, fs::perm_options::add);  // to be removed
  }
}

// The temporary file is created exclusively: whatever already has its name is left as it was.
TEST(NewFileTest, ANewFileNeverReplacesOne) {
  using platform::NewFile;
  TempDir temp;
  const Bytes bytes{1, 2, 3};
  const auto write = [&](const std::string& path) {
    return platform::WriteNewFile(platform::PathFromUtf8(path), bytes);
  };
  const std::string taken = temp.Write("taken", kOldBytes), fresh = temp.File("fresh");
  EXPECT_EQ(write(taken), NewFile::kExists);
  EXPECT_EQ(ReadFileBytes(taken), kOldBytes);
  EXPECT_EQ(write(fresh), NewFile::kWritten);
  EXPECT_EQ(ReadFileBytes(fresh), bytes);
  EXPECT_EQ(write(temp.File("no such folder/new")), NewFile::kNotCreated);
}

}  // namespace
