// The details panel's logic (TfMain::ShowCharDetails, ClearDetails) and
// `bushou info`, over the generated data, no data, and a stroke table that
// makes the holder raise.
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

#include "app/cli.h"
#include "app/mainform.h"
#include "chardata/uChineseFuns.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"
#include "tests/tables/HzbhImage.h"

namespace bushou {
namespace {

using Captions = std::array<std::u16string, 3>;

Captions CaptionsOf(const TfMain& form) {
  return {form.lblHZ.Caption(), form.lblPY.Caption(), form.lblCode.Caption()};
}

const Captions kDesign{u"一", u"yi", u"8140 (GBK大字符集)"};
const Captions kBlank{};

// The generated data in the all-users root, an empty per-user root.
class DetailsTest : public ::testing::Test {
 protected:
  DetailsTest() {
    env_.Set("XDG_DATA_HOME", dir_.path().string()).Set("XDG_DATA_DIRS", BUSHOU_DATA_ROOT);
  }
  testing::TempDir dir_;
  testing::ScopedEnv env_;
  TfMain form_;
};

TEST_F(DetailsTest, ShowsOneCharacter) {
  struct Case {
    std::u16string text;
    Captions shown;
  };
  const Case cases[] = {
      {u"中", {u"中", u"zhong1;zhong4", u"4E2D(Unicode)"}},
      {u" 丁 ", {u"丁", u"ding1;zheng1", u"4E01(Unicode)"}},
      // Control characters are trimmed too; the rest of the text stays.
      {u"\t\x01中文\r\n", {u"中文", u"zhong1;zhong4", u"4E2D(Unicode)"}},
      // U+3000 is above U+0020: it is the character.
      {u"\u3000", {u"\u3000", u"", u"3000(Unicode)"}},
      {u"a", {u"a", u"", u"61(Unicode)"}},
      // A surrogate pair is one character.
      {u"\U00020000", {u"\U00020000", u"he1", u"20000(Unicode)"}},
      // Beyond the tables: glyph and code, no readings.
      {u"\U00030000", {u"\U00030000", u"", u"30000(Unicode)"}},
      {u"\U0010FFFF", {u"\U0010FFFF", u"", u"10FFFF(Unicode)"}},
  };
  for (const Case& c : cases) {
    form_.ShowCharDetails(c.text);
    EXPECT_EQ(CaptionsOf(form_), c.shown) << platform::ToUtf8(c.text);
  }
}

TEST_F(DetailsTest, TextWithoutACodePointBlanksThePanel) {
  const std::u16string cases[] = {
      std::u16string(1, u'\xDC00') + u"a",  // a low surrogate first
      std::u16string(1, u'\xD800'),         // a high surrogate last
      std::u16string(1, u'\xD800') + u"a",  // a high surrogate before a non-surrogate
      std::u16string(2, u'\xD800'),
  };
  for (const std::u16string& text : cases) {
    form_.ShowCharDetails(u"中");
    form_.ShowCharDetails(text);
    EXPECT_EQ(CaptionsOf(form_), kBlank) << text.size();
  }
}

TEST_F(DetailsTest, EmptyTextChangesNothing) {
  const std::u16string cases[] = {u"", u"   ", u"\t\r\n\x1F "};
  for (const std::u16string& text : cases) {
    form_.ShowCharDetails(text);
    EXPECT_EQ(CaptionsOf(form_), kDesign);  // not even blanked
  }
  form_.ShowCharDetails(u"中");
  form_.ShowCharDetails(u" ");
  EXPECT_EQ(form_.lblHZ.Caption(), u"中");
}

TEST_F(DetailsTest, NoReadingsLeavesTheReadingsBlank) {
  form_.ShowCharDetails(u"中");
  form_.ShowCharDetails(u"a");
  EXPECT_EQ(form_.lblPY.Caption(), u"");  // neither the design caption nor 中's readings
}

TEST_F(DetailsTest, ClearDetails) {
  form_.ClearDetails();
  EXPECT_EQ(CaptionsOf(form_), kBlank);
  EXPECT_EQ(form_.lblPinYin.Caption(), u"拼音：");  // the fixed captions stay
}

TEST(Details, NoDataFiles) {
  testing::TempDir dir;
  testing::ScopedDataRoots roots(dir.path().string());
  TfMain form;
  form.ShowCharDetails(u"中");
  EXPECT_EQ(CaptionsOf(form), (Captions{u"中", u"", u"4E2D(Unicode)"}));
}

// The holder raises: the labels are blank, the error reaches the caller, and
// the next display tries again.
TEST(Details, HolderErrorBlanksAndRaises) {
  testing::TempDir dir;
  testing::ScopedDataRoots roots(dir.path().string());
  testing::HzbhImage bad = testing::SmallHzbh();
  bad.codes[0] = bad.EntryOffset(9);  // names no entry
  dir.Write("home/velmora6/zi/hzbh.dat", bad.BuildPadded(THZBH::kMinFileSize));
  TfMain form;
  try {
    form.ShowCharDetails(u"中");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), u"装载数据失败...");
  }
  EXPECT_EQ(CaptionsOf(form), kBlank);

  std::filesystem::remove(dir.path() / "home/velmora6/zi/hzbh.dat");
  form.ShowCharDetails(u"中");
  EXPECT_EQ(form.lblCode.Caption(), u"4E2D(Unicode)");
}

struct CliResult {
  int code;
  std::string out, err;
};

CliResult RunInfo(std::vector<std::string> args) {
  args.insert(args.begin(), "info");
  std::ostringstream out, err;
  const int code = RunCommandLine(args, out, err);
  return {code, out.str(), err.str()};
}

TEST_F(DetailsTest, InfoCommand) {
  struct Case {
    std::string text;
    std::string out;
  };
  const Case cases[] = {
      {"中", "中\nzhong1;zhong4\n4E2D(Unicode)\n"},
      {" 丁 ", "丁\nding1;zheng1\n4E01(Unicode)\n"},
      {"\xF0\xA0\x80\x80", "\xF0\xA0\x80\x80\nhe1\n20000(Unicode)\n"},  // U+20000
      {"   ", "一\nyi\n8140 (GBK大字符集)\n"},
  };
  for (const Case& c : cases) {
    const CliResult r = RunInfo({c.text});
    EXPECT_EQ(r.code, kExitDone) << c.text;
    EXPECT_EQ(r.out, c.out) << c.text;
    EXPECT_EQ(r.err, "") << c.text;
  }
}

TEST(Info, Usage) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                               std::vector<std::string>{"a", "b"}}) {
    const CliResult r = RunInfo(args);
    EXPECT_EQ(r.code, kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("bushou info TEXT"), std::string::npos);
  }
}

TEST(Info, NoDataFiles) {
  testing::TempDir dir;
  testing::ScopedDataRoots roots(dir.path().string());
  const CliResult r = RunInfo({"中"});
  EXPECT_EQ(r.code, kExitDone);
  EXPECT_EQ(r.out, "中\n\n4E2D(Unicode)\n");
}

TEST(Info, HolderError) {
  testing::TempDir dir;
  testing::ScopedDataRoots roots(dir.path().string());
  testing::HzbhImage bad = testing::SmallHzbh();
  bad.lastCode = 0x4DFF;  // below FirstCode
  dir.Write("common/velmora6/zi/hzbh.dat", bad.BuildPadded(THZBH::kMinFileSize));
  const CliResult r = RunInfo({"中"});
  EXPECT_EQ(r.code, kExitNoData);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "偏旁部首检字: 装载数据失败...\n");
}

}  // namespace
}  // namespace bushou
