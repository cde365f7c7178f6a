// The radical table: it remembers its file and reads nothing.
#include <gtest/gtest.h>

#include "chardata/uHZ_BS.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

TEST(Hzbs, CreateDoesNotLoad) {
  testing::TempDir dir;
  testing::ScopedDataRoots roots(dir.path().string());
  dir.Write("home/velmora6/zi/hzbs.dat", "x");
  THZBS table(u"", true);
  EXPECT_EQ(table.FileName(), u"");
  EXPECT_TRUE(table.Scrambled());
}

TEST(Hzbs, LoadFromFileRemembersAMissingFile) {
  testing::TempDir dir;
  THZBS table(u"", false);
  EXPECT_TRUE(table.LoadFromFile(dir.u16("missing.dat"), true));
  EXPECT_EQ(table.FileName(), dir.u16("missing.dat"));
  EXPECT_TRUE(table.Scrambled());
}

TEST(Hzbs, LoadResolvesTheDefaultFile) {
  testing::TempDir dir;
  testing::ScopedDataRoots roots(dir.path().string());
  THZBS table(u"", false);
  // In neither root: the all-users path is remembered.
  EXPECT_TRUE(table.Load(u"", false));
  EXPECT_EQ(table.FileName(), dir.u16("common/velmora6/zi/hzbs.dat"));

  THZBS other(u"", false);
  const std::u16string user = dir.Write("home/velmora6/zi/hzbs.dat", "x");
  EXPECT_TRUE(other.Load(u"", false));
  EXPECT_EQ(other.FileName(), user);
  EXPECT_EQ(other.SaveToFile(u"elsewhere", false), 0);
  EXPECT_EQ(other.FileName(), user);
}

}  // namespace
}  // namespace bushou
