#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TempDir.h"

namespace bushou::platform {
namespace {

using testing::TempDir;

TEST(FindFirstFile, MatchesWildcardsFilesAndDirectories) {
  TempDir dir;
  dir.Write("data/hzbs.dat", "12345");
  dir.MakeDir("data/sub");

  const auto exact = FindFirstFile(dir.u16("data/hzbs.dat"));
  ASSERT_TRUE(exact);
  EXPECT_EQ(exact->size, 5u);
  EXPECT_FALSE(exact->isDirectory);

  const auto wild = FindFirstFile(dir.u16("data/hz*.d?t"));
  ASSERT_TRUE(wild);
  EXPECT_EQ(wild->path, dir.u16("data/hzbs.dat"));

  const auto folder = FindFirstFile(dir.u16("data/sub"));
  ASSERT_TRUE(folder);
  EXPECT_TRUE(folder->isDirectory);

  EXPECT_FALSE(FindFirstFile(dir.u16("data/missing*")));
  EXPECT_FALSE(FindFirstFile(u""));
}

TEST(Files, ExistenceTestsTellFilesFromFolders) {
  TempDir dir;
  const std::u16string file = dir.Write("f", "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(DirectoryExists(dir.u16()));
  EXPECT_FALSE(FileExists(dir.u16()));
  EXPECT_FALSE(FileExists(dir.u16("nothing")));
  EXPECT_FALSE(DirectoryExists(dir.u16("nothing")));
}

TEST(ReadWholeFile, ReadsFilesAndRefusesWhatItCannot) {
  TempDir dir;
  const std::u16string file = dir.Write("f", "abcdef");
  const ReadResult whole = ReadWholeFile(file);
  ASSERT_TRUE(whole.ok);
  EXPECT_EQ(whole.bytes.size(), 6u);

  EXPECT_FALSE(ReadWholeFile(file, 5).ok);        // larger than allowed
  EXPECT_FALSE(ReadWholeFile(dir.u16()).ok);      // a folder
  const ReadResult missing = ReadWholeFile(dir.u16("missing"));
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("missing"), std::string::npos);

  const ReadResult head = ReadFileHead(file, 4);
  ASSERT_TRUE(head.ok);
  EXPECT_EQ(head.bytes, (std::vector<std::uint8_t>{'a', 'b', 'c', 'd'}));
}

TEST(WriteFileReplacing, ReplacesTheFileAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::u16string file = dir.Write("table.dat", "old contents");
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  EXPECT_EQ(WriteFileReplacing(file, bytes), "");
  EXPECT_EQ(ReadWholeFile(file).bytes, bytes);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);

  EXPECT_NE(WriteFileReplacing(dir.u16("no/such/folder/x"), bytes), "");
}

TEST(ExecutableDirectory, IsTheFolderOfThisProgram) {
  const std::u16string folder = ExecutableDirectory();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(DirectoryExists(folder));
  EXPECT_NE(folder.back(), u'/');
}

}  // namespace
}  // namespace bushou::platform
