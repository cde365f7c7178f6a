// End to end over the real fonts scripts/setup installs (through a fontconfig
// configuration that lists only them) and the generated radical index.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "app/cli.h"
#include "fonts/uFontUtils.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "tests/support/ScopedEnv.h"

namespace bushou {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class FontsEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* dir : {"/usr/share/fonts/truetype/wqy", "/usr/share/fonts/truetype/hanazono"}) {
      if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << dir << " is missing: run scripts/setup";
    }
    env_.Set("FONTCONFIG_FILE", BUSHOU_SOURCE_DIR "/tests/fonts/fixture-fonts.conf")
        .Set("XDG_DATA_DIRS", BUSHOU_DATA_ROOT)
        .Set("XDG_DATA_HOME", (std::filesystem::temp_directory_path() / "bushou-no-user-data").string());
    // A fresh process-wide registry and catalogue under these settings.
    platform::SetRegistry(nullptr);
    FreeFontTools();
  }
  void TearDown() override {
    FreeFontTools();
    platform::SetRegistry(nullptr);
  }

  struct Run {
    int status;
    std::vector<std::string> lines;
    std::string err;
  };
  static Run Cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = RunCommandLine(args, out, err);
    Run run{status, {}, err.str()};
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) run.lines.push_back(line);
    return run;
  }
  // The characters a chars listing shows: every cell after the label.
  static std::size_t CharacterCells(const Run& run) {
    std::size_t n = 0;
    for (std::size_t i = 1; i < run.lines.size(); ++i) {
      n += static_cast<std::size_t>(std::count(run.lines[i].begin(), run.lines[i].end(), '\t'));
    }
    return n;
  }

  testing::ScopedEnv env_;
};

TEST_F(FontsEndToEnd, CoverageOfTheGridFace) {
  const Run run = Cli({"coverage", "中", "𠀀", "U+30000"});
  ASSERT_EQ(run.status, kExitDone) << run.err;
  ASSERT_EQ(run.lines.size(), 5u);
  EXPECT_THAT(run.lines[0], StartsWith("(WenQuanYi Zen Hei;文泉驛正黑;文泉驿正黑){本身}|"));
  EXPECT_THAT(run.lines[0], HasSubstr("(HanaMinB Regular;花園明朝B Regular){通用回退}"));
  EXPECT_GT(std::stoul(run.lines[1]), 40000u);
  EXPECT_EQ(run.lines[2], "U+4E2D yes");
  EXPECT_EQ(run.lines[3], "U+20000 yes");
  EXPECT_EQ(run.lines[4], "U+30000 no");
}

TEST_F(FontsEndToEnd, CoverageOfAnotherFace) {
  const Run run = Cli({"coverage", "--face", "HanaMinB Regular", "A"});
  ASSERT_EQ(run.status, kExitDone) << run.err;
  EXPECT_THAT(run.lines[0], StartsWith("(HanaMinB Regular;花園明朝B Regular){本身}"));
  EXPECT_EQ(Cli({"coverage", "--face", "No Such Face"}).status, kExitNoData);
  EXPECT_EQ(Cli({"coverage", "--face"}).status, kExitUsage);
}

TEST_F(FontsEndToEnd, CharsListsDrawableAndAllCharacters) {
  const Run drawable = Cli({"chars", "水"});
  ASSERT_EQ(drawable.status, kExitDone) << drawable.err;
  const std::regex caption("部首【水】汉字([0-9]+)个，系统字体支持([0-9]+)个");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(drawable.lines.at(0), m, caption)) << drawable.lines.at(0);
  const unsigned long total = std::stoul(m[1]), supported = std::stoul(m[2]);
  EXPECT_GT(total, 1000u);
  EXPECT_GT(supported, total / 2);
  EXPECT_LE(supported, total);
  EXPECT_EQ(CharacterCells(drawable), supported);
  EXPECT_THAT(drawable.lines.at(1), StartsWith("0\t水"));

  const Run all = Cli({"chars", "水", "--all"});
  ASSERT_EQ(all.status, kExitDone);
  EXPECT_EQ(all.lines.at(0), drawable.lines.at(0));
  EXPECT_GE(CharacterCells(all), CharacterCells(drawable));
  EXPECT_EQ(CharacterCells(all), total);

  EXPECT_EQ(Cli({"chars", "无此"}).status, kExitUsage);
  EXPECT_EQ(Cli({"chars"}).status, kExitUsage);
}

TEST_F(FontsEndToEnd, FontsListsTheCatalogue) {
  const Run run = Cli({"fonts"});
  ASSERT_EQ(run.status, kExitDone);
  EXPECT_THAT(run.lines, ::testing::Contains("WenQuanYi Zen Hei\t/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"));
  EXPECT_THAT(run.lines, ::testing::Contains("花園明朝B Regular\t/usr/share/fonts/truetype/hanazono/HanaMinB.ttf"));
  EXPECT_TRUE(std::is_sorted(run.lines.begin(), run.lines.end(), [](const std::string& a, const std::string& b) {
    return CompareCaseless(platform::FromUtf8(a), platform::FromUtf8(b)) < 0;
  }));
}

}  // namespace
}  // namespace bushou
