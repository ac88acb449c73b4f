// Every save command on a disk that fails it: a file system mounted read-only, a disk that fills up
// in the middle of the write (a small file system in a file, mounted through a loop device by the
// test), a folder standing where the file should go, and a folder that does not exist. Each save
// reports "Could not write ..." and leaves the file that was there byte for byte as it was,
// with no temporary file beside it. A save through a link writes the linked file.
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

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

constexpr std::uint64_t kBlockSize = 1024;
constexpr std::uint64_t kPageSize = 4096;
const Bytes kOldBytes(300, 0x42);

bool Run(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

// A small ext2 file system of 1 KiB blocks in a file, mounted through a loop device while the
// object lives. Mounting needs root, loop devices and mkfs.ext2; problem says which was missing
// when it is not mounted.
class SmallDisk {
 public:
  explicit SmallDisk(const fs::path& folder) : image_(folder / "disk.img"), root_(folder / "disk") {
    fs::create_directory(root_);
    if (geteuid() != 0) {
      problem = "mounting a file system needs root";
    } else if (!Run("truncate -s 1M " + Quoted(image_)) ||
               !Run("mkfs.ext2 -q -F -b 1024 -m 0 -N 32 " + Quoted(image_))) {
      problem = "mkfs.ext2 (package e2fsprogs) could not make a file system";
    } else if (!Run("mount -o loop " + Quoted(image_) + " " + Quoted(root_))) {
      problem = "mount -o loop failed (no loop devices here, or mounting is not allowed)";
    }
  }
  ~SmallDisk() {
    if (problem.empty() && !Run("umount " + Quoted(root_))) Run("umount -l " + Quoted(root_));
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  std::string File(const std::string& name) const { return (root_ / name).string(); }
  bool RemountReadOnly() { return Run("mount -o remount,ro " + Quoted(root_)); }
  std::uint64_t FreeBytes() const {
    struct statvfs stats {};
    return statvfs(root_.c_str(), &stats) == 0 ? stats.f_bavail * stats.f_frsize : 0;
  }
  // Fills the disk block by block, then gives back `room` bytes of it.
  void FillLeaving(std::uint64_t room) {
    AppendBlocks(File("filler"), -1);
    fs::resize_file(File("filler"), fs::file_size(File("filler")) - room);
    // Giving back blocks may free an indirect block too; a second file takes what is over.
    while (FreeBytes() > room)
      AppendBlocks(File("filler 2"), 1);
  }
  void Unfill() {
    fs::remove(File("filler"));
    fs::remove(File("filler 2"));
  }

  std::string problem;

 private:
  static void AppendBlocks(const std::string& path, int most) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    const std::vector<char> block(kBlockSize, 'f');
    for (int written = 0; fd >= 0 && written != most; ++written) {
      if (write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size())) break;
    }
    if (fd >= 0) close(fd);
  }

  fs::path image_;
  fs::path root_;
};

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
    // What each save writes when the disk takes it, made once on the ordinary disk.
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
  void Save(const std::string& command, std::optional<std::string> path) {
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
    const std::vector<std::string> names =
        fs::exists(folder) ? FileNames(folder) : std::vector<std::string>{};
    host.message_boxes.clear();
    Save(command, old_file);
    ExpectOnlyMessage("Could not write \"" + old_file + "\".");
    EXPECT_EQ(fs::exists(folder) ? FileNames(folder) : std::vector<std::string>{}, names);
    if (fs::is_regular_file(old_file)) {
      EXPECT_EQ(ReadFileBytes(old_file), kOldBytes);
    }
  }

  std::string colours_, texts_, program_;
  std::vector<Bytes> references_;
};

TEST_F(FailingDiskTest, SaveOntoAReadOnlyFileSystemKeepsTheOldFile) {
  SmallDisk disk(temp.Path());
  if (!disk.problem.empty()) GTEST_SKIP() << "no small file system to test on: " << disk.problem;
  for (const std::string& command : kCommands)
    WriteFileBytes(disk.File("old" + command), kOldBytes);
  ASSERT_TRUE(disk.RemountReadOnly());
  for (const std::string& command : kCommands) {
    SCOPED_TRACE(command);
    ExpectSaveFails(command, disk.File("old" + command));
  }
}

TEST_F(FailingDiskTest, SaveThatFillsTheDiskKeepsTheOldFileAndSucceedsOnceThereIsRoom) {
  SmallDisk disk(temp.Path());
  if (!disk.problem.empty()) GTEST_SKIP() << "no small file system to test on: " << disk.problem;
  for (std::size_t i = 0; i < std::size(kCommands); ++i) {
    SCOPED_TRACE(kCommands[i]);
    const std::string old_file = disk.File("old" + kCommands[i]);
    WriteFileBytes(old_file, kOldBytes);
    // The file system takes a write a page at a time: a save longer than a page writes its
    // first page and then runs out, a shorter one runs out once its file has been made.
    const std::uint64_t room = references_[i].size() > kPageSize ? kPageSize : kBlockSize;
    disk.FillLeaving(room);
    ASSERT_EQ(disk.FreeBytes(), room);
    ExpectSaveFails(kCommands[i], old_file);
    disk.Unfill();
    host.message_boxes.clear();
    Save(kCommands[i], old_file);
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(ReadFileBytes(old_file), references_[i]);
    fs::remove(old_file);
  }
}

TEST_F(FailingDiskTest, SaveOntoAFolderOrIntoAMissingFolderFailsAndThroughALinkWritesItsFile) {
  const auto permissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  for (std::size_t i = 0; i < std::size(kCommands); ++i) {
    const std::string& command = kCommands[i];
    SCOPED_TRACE(command);
    const fs::path folder = temp.Path() / ("taken" + command);
    fs::create_directory(folder);
    WriteFileBytes((folder / "inside").string(), kOldBytes);
    ExpectSaveFails(command, folder.string());
    EXPECT_EQ(ReadFileBytes((folder / "inside").string()), kOldBytes);
    ExpectSaveFails(command, temp.File("no such folder/out" + command));
    // A cancelled save dialog writes nothing and says nothing.
    const std::vector<std::string> names = FileNames(temp.Path());
    host.message_boxes.clear();
    Save(command, std::nullopt);
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(FileNames(temp.Path()), names);
    // Through a link: the linked file is written, the link and its permissions stay.
    const std::string real = temp.Write("real" + command, kOldBytes);
    fs::permissions(real, permissions);
    fs::create_symlink(real, temp.File("link" + command));
    Save(command, temp.File("link" + command));
    EXPECT_TRUE(fs::is_symlink(temp.File("link" + command)));
    EXPECT_EQ(ReadFileBytes(real), references_[i]);
    EXPECT_EQ(fs::status(real).permissions(), permissions);
  }
}

}  // namespace
