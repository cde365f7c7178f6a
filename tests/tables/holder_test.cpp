// The table holder: creation order, the error that replaces any other,
// freeing, retry, and the process-wide holder with and without data.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "chardata/uChineseFuns.h"
#include "platform/errors.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"
#include "tests/tables/HzbhImage.h"

namespace bushou {
namespace {

using Log = std::vector<std::string>;

// Tables that write their creation and freeing into a log.
template <class Table>
class Traced : public Table {
 public:
  Traced(Log& log, std::string name, const std::u16string& file, bool scrambled)
      : Table(file, scrambled), log_(log), name_(std::move(name)) {
    log_.push_back("make " + name_);
  }
  ~Traced() override { log_.push_back("free " + name_); }

 private:
  Log& log_;
  std::string name_;
};

TTableMakers TracedMakers(Log& log) {
  return {
      [&log](const std::u16string& f, bool s) { return std::make_unique<Traced<THZJF>>(log, "JF", f, s); },
      [&log](const std::u16string& f, bool s) { return std::make_unique<Traced<THZBH>>(log, "BH", f, s); },
      [&log](const std::u16string& f, bool s) { return std::make_unique<Traced<THZBS>>(log, "BS", f, s); },
      [&log](const std::u16string& f, bool s) { return std::make_unique<Traced<THZPY>>(log, "PY", f, s); },
  };
}

// Data roots with no files at all.
class HolderTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
  testing::ScopedDataRoots roots_{dir_.path().string()};
};

TEST_F(HolderTest, CreatesInOrderAndFreesInItsOwnOrder) {
  Log log;
  auto holder = std::make_unique<TChineseChars>(u"", u"", u"", u"", false, TracedMakers(log));
  EXPECT_EQ(log, (Log{"make JF", "make BH", "make BS", "make PY"}));
  log.clear();
  holder.reset();
  EXPECT_EQ(log, (Log{"free BS", "free BH", "free JF", "free PY"}));
}

TEST_F(HolderTest, PassesNamesAndFlag) {
  auto holder = std::make_unique<TChineseChars>(dir_.u16("py"), dir_.u16("jf"), dir_.u16("bh"),
                                                dir_.u16("bs"), true);
  // The missing files are not loaded, so each table keeps the name it was given.
  EXPECT_EQ(holder->HZPY().FileName(), dir_.u16("py"));
  EXPECT_EQ(holder->HZJF().FileName(), dir_.u16("jf"));
  EXPECT_EQ(holder->HZBH().FileName(), dir_.u16("bh"));
  EXPECT_EQ(holder->HZBS().FileName(), dir_.u16("bs"));
  EXPECT_TRUE(holder->HZBS().Scrambled());
}

// Any error while a table is made becomes "装载数据失败..."; the tables made
// before are freed and the later ones never made.
TEST_F(HolderTest, StrokeTableFailureFreesWhatWasMade) {
  Log log;
  TTableMakers makers = TracedMakers(log);
  makers.MakeHZBH = [&log](const std::u16string&, bool) -> std::unique_ptr<THZBH> {
    log.push_back("make BH");
    throw std::runtime_error("disk on fire");
  };
  try {
    TChineseChars holder(u"", u"", u"", u"", false, makers);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), u"装载数据失败...");
  }
  EXPECT_EQ(log, (Log{"make JF", "make BH", "free JF"}));
}

TEST_F(HolderTest, RealStrokeTableThatRaises) {
  testing::HzbhImage img = testing::SmallHzbh();
  img.firstCode = 0x4E04;  // LastCode below FirstCode
  dir_.Write("home/velmora6/zi/hzbh.dat", img.BuildPadded(THZBH::kMinFileSize));
  try {
    GetChineseChars();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), u"装载数据失败...");
  }
  // Nothing was kept; the next call starts again and succeeds without the file.
  std::filesystem::remove(dir_.path() / "home/velmora6/zi/hzbh.dat");
  EXPECT_TRUE(GetChineseChars().HZBH().Items().empty());
}

TEST_F(HolderTest, NoDataFiles) {
  TChineseChars& holder = GetChineseChars();
  EXPECT_EQ(&holder, &GetChineseChars());  // one holder, made once
  EXPECT_EQ(holder.HZPY().GetPinyinText(0x4E2D, u';'), u"");
  EXPECT_TRUE(holder.HZBH().Items().empty());
  EXPECT_EQ(holder.HZBH().CodeIndex()[0x4E2D], -1);
  EXPECT_EQ(holder.HZBS().FileName(), u"");  // created without loading
  EXPECT_EQ(holder.HZJF().FileName(), u"");  // its load failed
  EXPECT_FALSE(HasCharClass(ccOtherHan, 0x4E2D));
}

TEST(Holder, RaiseTableErrorMessages) {
  const std::pair<std::uint8_t, std::u16string> cases[] = {
      {tekLoadFailed, u"装载数据失败..."},
      {tekSaveFailed, u"保存数据失败..."},
      {tekBadEntry, u"非法汉字条目指针..."},
      {200, u"装载数据失败..."},
  };
  for (const auto& [kind, message] : cases) {
    try {
      TChineseChars::RaiseTableError(kind);
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), message) << int{kind};
    }
  }
}

TEST(Holder, GeneratedData) {
  testing::TempDir dir;
  testing::ScopedEnv env;
  env.Set("XDG_DATA_HOME", dir.path().string()).Set("XDG_DATA_DIRS", BUSHOU_DATA_ROOT);
  const TChineseChars& holder = GetChineseChars();
  EXPECT_EQ(holder.HZPY().GetPinyinText(0x4E2D, u';'), u"zhong1;zhong4");
  EXPECT_EQ(holder.HZBH().MarkedCount(), 6763);
  EXPECT_NE(GetRalationCC().FindRelation(0x4E07, rkSimplifiedToTraditional), nullptr);
  EXPECT_TRUE(HasCharClass(ccSimplified, 0x4E07));
  EXPECT_TRUE(HasCharClass(ccTraditional, 0x4E07));
}

}  // namespace
}  // namespace bushou
