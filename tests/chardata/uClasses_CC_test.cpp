#include "chardata/uClasses_CC.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "chardata/uCommonFuns.h"
#include "platform/text.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

TEST(CharClasses, FlagsAboveSevenNameNoFlag) {
  ResetCharClasses();
  SetCharClass(ccSimplified, 0x4E07);
  SetCharClass(ccTraditional, 0x4E07);
  SetCharClass(8, 0x4E07);
  EXPECT_TRUE(HasCharClass(ccSimplified, 0x4E07));
  EXPECT_TRUE(HasCharClass(ccTraditional, 0x4E07));
  EXPECT_FALSE(HasCharClass(ccEnabled, 0x4E07));
  EXPECT_FALSE(HasCharClass(8, 0x4E07));
  RemoveCharClass(ccSimplified, 0x4E07);
  EXPECT_FALSE(HasCharClass(ccSimplified, 0x4E07));
  EXPECT_TRUE(HasCharClass(ccTraditional, 0x4E07));
  SetCharClass(ccOtherHan, 0x2FFFF);
  EXPECT_TRUE(HasCharClass(ccOtherHan, 0x2FFFF));
}

TEST(CharClasses, CodePointsBeyondTheTableAreARangeError) {
  EXPECT_THROW(SetCharClass(ccEnabled, 0x30000), std::out_of_range);
  EXPECT_THROW(HasCharClass(ccEnabled, 0x30000), std::out_of_range);
  EXPECT_THROW(SetCharClass(9, 0x30000), std::out_of_range);
}

// A table that records what Load asks it to read.
class RecordingTable : public TObject_CC {
 public:
  using TObject_CC::TObject_CC;
  bool LoadFromFile(const std::u16string& fileName, bool scrambled) override {
    lastName = fileName;
    lastScrambled = scrambled;
    if (!platform::FileExists(fileName)) return false;
    FFileName = fileName;
    FScrambled = scrambled;
    return true;
  }
  bool Load(const std::u16string& fileName, bool scrambled) override {
    std::u16string name = fileName;
    ResolveLoadName(name, scrambled, DataFileName(kStrokeFile));
    return LoadFromFile(name, scrambled);
  }
  std::int32_t SaveToFile(const std::u16string&, bool) override { return 0; }
  bool AddEntry(const void*, std::uint8_t*, const TConfirmEntry&) override { return true; }
  bool DeleteEntry(const void*, std::uint8_t*, const TConfirmEntry&) override { return true; }
  bool FindEntry(const void*, std::uint8_t*) override { return true; }

  std::u16string lastName;
  bool lastScrambled = false;
};

class LoadResolution : public ::testing::Test {
 protected:
  testing::TempDir dir;
  testing::ScopedDataRoots roots{dir.path().string()};
  std::u16string userFile = platform::FromUtf8(roots.user) + u"/velmora6/zi/hzbh.dat";
  std::u16string commonFile = platform::FromUtf8(roots.common) + u"/velmora6/zi/hzbh.dat";
};

TEST_F(LoadResolution, AnEmptyNameReloadsTheRememberedFileWithItsFlag) {
  const std::u16string file = dir.Write("mine.dat", "x");
  RecordingTable table(u"", false);
  ASSERT_TRUE(table.Load(file, true));
  EXPECT_TRUE(table.Load(u"", false));
  EXPECT_EQ(table.lastName, file);
  EXPECT_TRUE(table.lastScrambled);  // the passed flag is ignored
}

TEST_F(LoadResolution, WithNothingRememberedThePerUserFileWinsThenTheAllUsersFile) {
  RecordingTable table(u"", false);
  EXPECT_FALSE(table.Load(u"", false));
  EXPECT_EQ(table.lastName, commonFile);  // neither exists: the all-users path is tried

  dir.Write("common/velmora6/zi/hzbh.dat", "c");
  EXPECT_TRUE(table.Load(u"", false));
  EXPECT_EQ(table.FileName(), commonFile);

  RecordingTable fresh(u"", false);
  dir.Write("home/velmora6/zi/hzbh.dat", "u");
  EXPECT_TRUE(fresh.Load(u"", true));
  EXPECT_EQ(fresh.FileName(), userFile);
  EXPECT_TRUE(fresh.Scrambled());
}

TEST_F(LoadResolution, AFailedLoadKeepsTheRememberedName) {
  RecordingTable table(u"given.dat", true);
  EXPECT_EQ(table.FileName(), u"given.dat");
  EXPECT_FALSE(table.Load(dir.u16("missing.dat"), false));
  EXPECT_EQ(table.FileName(), u"given.dat");
  EXPECT_TRUE(table.Scrambled());
}

}  // namespace
}  // namespace bushou
