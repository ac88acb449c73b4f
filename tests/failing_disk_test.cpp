// Every save command on a disk that fails it: a folder that cannot be written (by its permission
// bits, and on a file system mounted read-only), a disk that fills up in the middle of the write
// (a small file system in a file, mounted through a loop device by the test), and a folder
// standing where the file should go. Each save reports "Could not write ..." and leaves the file
// that was there byte for byte as it was, with no temporary file beside it.
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/arcade_hits_dialog.h"
#include "resources/colour_dialogs.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"
#include "support/colour_rom_builder.h"
#include "support/editor_test.h"
#include "support/level_file_builder.h"
#include "support/level_rom_builder.h"
#include "support/program_file_builder.h"
#include "support/text_rom_builder.h"

namespace {

using testing_support::FakeDialog;
using testing_support::FileNames;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

constexpr std::size_t kBlockSize = 1024;
constexpr std::size_t kPageSize = 4096;

bool Run(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

// A small ext2 file system of 1 KiB blocks in a file, mounted through a loop device while the
// object lives. Mounting needs root, loop devices and mkfs.ext2; Problem() says which was
// missing when Mounted() is false.
class SmallDisk {
 public:
  explicit SmallDisk(const fs::path& folder) : image_(folder / "disk.img"), root_(folder / "disk") {
    if (geteuid() != 0) {
      problem_ = "mounting a file system needs root";
      return;
    }
    fs::create_directory(root_);
    if (!Run("truncate -s 1M " + Quoted(image_)) ||
        !Run("mkfs.ext2 -q -F -b 1024 -m 0 -N 32 " + Quoted(image_))) {
      problem_ = "mkfs.ext2 (package e2fsprogs) could not make a file system";
      return;
    }
    if (!Run("mount -o loop " + Quoted(image_) + " " + Quoted(root_))) {
      problem_ = "mount -o loop failed (no loop devices here, or mounting is not allowed)";
      return;
    }
    mounted_ = true;
  }

  ~SmallDisk() {
    if (mounted_ && !Run("umount " + Quoted(root_))) Run("umount -l " + Quoted(root_));
  }

  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Problem() const { return problem_; }
  const fs::path& Root() const { return root_; }
  std::string File(const std::string& name) const { return (root_ / name).string(); }

  bool RemountReadOnly() { return Run("mount -o remount,ro " + Quoted(root_)); }

  std::uint64_t FreeBytes() const {
    struct statvfs stats {};
    if (statvfs(root_.c_str(), &stats) != 0) return 0;
    return static_cast<std::uint64_t>(stats.f_bavail) * stats.f_frsize;
  }

  // Fills the disk block by block, then gives back `room` bytes of it.
  void FillLeaving(std::uint64_t room) {
    AppendBlocksUntilFull(File("filler"));
    const auto size = fs::file_size(File("filler"));
    fs::resize_file(File("filler"), size - room);
    // Giving back blocks may free an indirect block too; a second file takes what is over.
    while (FreeBytes() > room) {
      AppendBlocksUntilFull(File("filler 2"), 1);
    }
  }

  void Unfill() {
    fs::remove(File("filler"));
    fs::remove(File("filler 2"));
  }

 private:
  static void AppendBlocksUntilFull(const std::string& path, int most = -1) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    ASSERT_GE(fd, 0) << path;
    const std::vector<char> block(kBlockSize, 'f');
    for (int written = 0; most < 0 || written < most; ++written) {
      if (write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size())) break;
    }
    close(fd);
  }

  fs::path image_;
  fs::path root_;
  bool mounted_ = false;
  std::string problem_;
};

// One save command, as a person makes it with `path` named in its save dialog.
struct SaveCommand {
  std::string name;
  std::string extension;
  std::function<void(const std::string& path)> save;
};

class FailingDiskTest : public testing_support::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    testing_support::LoadLevelRomFile(host, testing_support::LevelRomBuilder()
                                                .Points(3, testing_support::RingPoints())
                                                .WriteTo(temp, "tubes.118"));
    colours_ = testing_support::ColourRomBuilder().WriteTo(temp, "colours.119");
    texts_ = testing_support::TextRomBuilder().WriteTo(temp, "texts.121");
    program_ = testing_support::ProgramFileBuilder(30000)
                   .Put(100, testing_support::LevelRomBuilder().Bytes())
                   .Put(100 + 24576, testing_support::LevelRomBuilder().Bytes())
                   .Put(3001, testing_support::TextRomImage(1))
                   .Put(27001, testing_support::TextRomImage(2))
                   .WriteTo(temp, "program.exe");
    // What each save writes when the disk takes it, made once on the ordinary disk.
    for (const SaveCommand& command : Commands()) {
      const std::string path = temp.File("reference" + command.extension);
      command.save(path);
      references_.push_back(ReadFileBytes(path));
      fs::remove(path);
    }
    ASSERT_TRUE(host.message_boxes.empty());
  }

  std::vector<SaveCommand> Commands() {
    return {
        {"Save ROM", ".118",
         [this](const std::string& path) { testing_support::SaveLevelRomFile(host, path); }},
        {"Save TLD File", ".TLD",
         [this](const std::string& path) { testing_support::SaveLevelFile(host, path); }},
        {"Edit Colours", ".119",
         [this](const std::string& path) {
           testing_support::EditColourRomFile(
               host, colours_, [](FakeDialog& dialog) { dialog.Click(resources::kColoursOk); },
               path);
         }},
        {"Edit Text", ".121",
         [this](const std::string& path) {
           testing_support::EditTextRomFile(
               host, texts_, [](FakeDialog& dialog) { dialog.Click(resources::kTextMessagesOk); },
               path);
         }},
        {"Hack 'Atari Arcade Hits'", ".exe",
         [this](const std::string& path) {
           host.AnswerFileDialog(program_);
           host.ActInDialog(resources::kArcadeHitsDialogId, [](FakeDialog& dialog) {
             dialog.Click(resources::kArcadeHitsOkButton);
           });
           host.AnswerFileDialog(path);
           host.ChooseMenuItem(resources::kHackArcadeHits);
           host.HandleMessages();
         }},
    };
  }

  // Saves over an old file that must survive, and expects the failure reported.
  void ExpectSaveFails(const SaveCommand& command, const std::string& old_file,
                       const Bytes& old_bytes) {
    const std::vector<std::string> names = FileNames(fs::path(old_file).parent_path());
    host.message_boxes.clear();
    command.save(old_file);
    ExpectOnlyMessage("Could not write \"" + old_file + "\".");
    EXPECT_EQ(ReadFileBytes(old_file), old_bytes);
    EXPECT_EQ(FileNames(fs::path(old_file).parent_path()), names);
  }

  std::string colours_;
  std::string texts_;
  std::string program_;
  std::vector<Bytes> references_;
};

const Bytes kOldBytes(300, 0x42);

TEST_F(FailingDiskTest, SaveIntoAFolderThatCannotBeWrittenKeepsTheOldFile) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "running as root, whom permission bits do not stop; the read-only file "
                    "system test covers this case";
  }
  const fs::path locked = temp.Path() / "locked";
  fs::create_directory(locked);
  for (const SaveCommand& command : Commands()) {
    WriteFileBytes((locked / ("old" + command.extension)).string(), kOldBytes);
  }
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  for (const SaveCommand& command : Commands()) {
    SCOPED_TRACE(command.name);
    ExpectSaveFails(command, (locked / ("old" + command.extension)).string(), kOldBytes);
  }
  fs::permissions(locked, fs::perms::owner_all);
}

TEST_F(FailingDiskTest, SaveOntoAReadOnlyFileSystemKeepsTheOldFile) {
  SmallDisk disk(temp.Path());
  if (!disk.Mounted()) GTEST_SKIP() << "no small file system to test on: " << disk.Problem();
  for (const SaveCommand& command : Commands()) {
    WriteFileBytes(disk.File("old" + command.extension), kOldBytes);
  }
  ASSERT_TRUE(disk.RemountReadOnly());
  for (const SaveCommand& command : Commands()) {
    SCOPED_TRACE(command.name);
    ExpectSaveFails(command, disk.File("old" + command.extension), kOldBytes);
  }
}

TEST_F(FailingDiskTest, SaveThatFillsTheDiskKeepsTheOldFileAndSucceedsOnceThereIsRoom) {
  SmallDisk disk(temp.Path());
  if (!disk.Mounted()) GTEST_SKIP() << "no small file system to test on: " << disk.Problem();
  const std::vector<SaveCommand> commands = Commands();
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const SaveCommand& command = commands[i];
    SCOPED_TRACE(command.name);
    const std::string old_file = disk.File("old" + command.extension);
    WriteFileBytes(old_file, kOldBytes);
    // The file system takes a write a page at a time: a save longer than a page writes its
    // first page and then runs out, a shorter one runs out once its file has been made.
    const std::uint64_t room = references_[i].size() > kPageSize ? kPageSize : kBlockSize;
    disk.FillLeaving(room);
    ASSERT_EQ(disk.FreeBytes(), room);
    ASSERT_GT(references_[i].size(), room);

    ExpectSaveFails(command, old_file, kOldBytes);

    disk.Unfill();
    host.message_boxes.clear();
    command.save(old_file);
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(ReadFileBytes(old_file), references_[i]);
    fs::remove(old_file);
  }
}

TEST_F(FailingDiskTest, SaveOntoAFolderLeavesTheFolderAsItWas) {
  for (const SaveCommand& command : Commands()) {
    SCOPED_TRACE(command.name);
    const fs::path folder = temp.Path() / ("taken" + command.extension);
    fs::create_directory(folder);
    WriteFileBytes((folder / "inside").string(), kOldBytes);
    const std::vector<std::string> names = FileNames(temp.Path());
    host.message_boxes.clear();

    command.save(folder.string());

    ExpectOnlyMessage("Could not write \"" + folder.string() + "\".");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(FileNames(folder), std::vector<std::string>{"inside"});
    EXPECT_EQ(ReadFileBytes((folder / "inside").string()), kOldBytes);
    EXPECT_EQ(FileNames(temp.Path()), names);
  }
}

}  // namespace
