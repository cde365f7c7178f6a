#include "app/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "chardata/uBSData.h"
#include "tests/support/BSFileBuilder.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

struct CliRun {
  int status;
  std::string out, err;
};

CliRun RunCli(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = RunCommandLine(args, out, err);
  return {status, out.str(), err.str()};
}

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override { FreeBSData(); }
  void TearDown() override { FreeBSData(); }
  testing::TempDir dir;
  testing::ScopedDataRoots roots{dir.path().string()};
};

TEST_F(CommandLine, RadicalsPrintsTheCaptionAndEveryRow) {
  dir.Write("common/velmora6/zi/hzbs.dat",
            testing::BuildBSFile({{0x4E00, 0, 1, 1}, {0x4E28, 0, 0, 1}, {0x6C34, 0, 0, 4}}, {{0x4E01, 1}}));
  const CliRun r = RunCli({"radicals"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "偏旁部首：共3个\n"
            "1\t一\t丨\n2\n3\n4\t水\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14+\n\n\n\n");
}

TEST_F(CommandLine, RadicalsWithoutDataReportsAndExitsOne) {
  const CliRun r = RunCli({"radicals"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "偏旁部首检字: 未找到数据文件！\n");
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "偏旁部首：共0个");
}

TEST_F(CommandLine, UnknownCommandsAndExtraArgumentsAreUsageErrors) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"frobnicate"}, std::vector<std::string>{"radicals", "extra"}}) {
    const CliRun r = RunCli(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage"), std::string::npos);
  }
}

TEST(ParseWindowHandle, AcceptsDecimalsThatFit32Bits) {
  EXPECT_EQ(ParseWindowHandle("1234"), 1234u);
  EXPECT_EQ(ParseWindowHandle("0"), 0u);
  EXPECT_EQ(ParseWindowHandle("4294967295"), 0xFFFFFFFFu);
  for (const char* bad : {"", "4294967296", "99999999999", "-1", "+5", "12a", " 7"}) {
    EXPECT_EQ(ParseWindowHandle(bad), std::nullopt) << bad;
  }
}

TEST(WantsWindow, NoArgumentsOrOneDecimalHandle) {
  EXPECT_TRUE(WantsWindow({}));
  const std::vector<std::string> handle = {"1234"}, word = {"radicals"}, signedHandle = {"-1"};
  EXPECT_TRUE(WantsWindow(handle));
  EXPECT_FALSE(WantsWindow(word));
  EXPECT_FALSE(WantsWindow(signedHandle));
}

}  // namespace
}  // namespace bushou
