// The stroke table: its parser's checks and offset fix-ups, the file-size
// window, the marks it sets and the generated hzbh.dat.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "chardata/uClasses_CC.h"
#include "chardata/uHZ_BH.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"
#include "tests/tables/HzbhImage.h"

namespace bushou {
namespace {

using testing::HzbhImage;
using testing::SmallHzbh;

THZBHParseResult Parse(const HzbhImage& img, THZBHFile& file) {
  const std::vector<std::uint8_t> bytes = img.Build();
  return ParseHZBHFile(bytes, file);
}

// A table created with the name of a missing file: empty, nothing loaded.
std::unique_ptr<THZBH> EmptyTable(const testing::TempDir& dir) {
  return std::make_unique<THZBH>(dir.u16("missing.dat"), false);
}

TEST(HzbhParse, SmallImage) {
  const HzbhImage img = SmallHzbh();
  THZBHFile file;
  ASSERT_EQ(Parse(img, file), THZBHParseResult::Ok);
  EXPECT_EQ(file.Header[0], 3u);
  EXPECT_EQ(file.Header[1], 0x11111111u);
  EXPECT_EQ(file.FirstCode, 0x4E00u);
  EXPECT_EQ(file.LastCode, 0x4E03u);
  EXPECT_EQ(file.CodeRange, (std::vector<std::int32_t>{0, 1, -1, 2}));
  EXPECT_EQ(file.GroupIndex, (std::vector<std::int32_t>{0, 1, 3}));  // last: ItemCount
  ASSERT_EQ(file.Items.size(), 3u);
  EXPECT_EQ(file.Items[1].Link, 2);
  EXPECT_EQ(file.Items[0].Link, -1);
  EXPECT_EQ(file.Items[0].Marks, 0x02);
  EXPECT_EQ(file.Items[0].Carried7, 0x44);
  EXPECT_EQ(PoolString(file.StringPool, file.Items[2].Text), "3");
}

// An entry offset F stands for entry (F - Base) / 16, truncating toward zero.
TEST(HzbhParse, CodeIndexOffsets) {
  const HzbhImage small = SmallHzbh();
  const std::uint32_t base = small.Base();
  struct Case {
    std::uint32_t offset;
    std::int32_t index;
  };
  const Case cases[] = {
      {0, -1},         // no entry
      {base, 0},       // the first entry
      {base + 16, 1},  // the second
      {base + 15, 0},  // inside the first entry
      {base - 1, 0},   // -1 / 16 truncates to 0
      {base - 16, -1}, // before the entries: no entry
      {1, -1},
  };
  for (const Case& c : cases) {
    HzbhImage img = SmallHzbh();
    img.codes[2] = c.offset;
    THZBHFile file;
    ASSERT_EQ(Parse(img, file), THZBHParseResult::Ok) << c.offset;
    EXPECT_EQ(file.CodeRange[2], c.index) << "offset " << c.offset;
  }
}

// Group and link offsets that name no entry become -1.
TEST(HzbhParse, GroupAndLinkOffsets) {
  const HzbhImage small = SmallHzbh();
  const std::uint32_t base = small.Base();
  struct Case {
    std::uint32_t offset;
    std::int32_t index;
  };
  const Case cases[] = {
      {0, -1},           {base, 0},     {base + 32, 2}, {base + 47, 2},
      {base + 48, -1},   // entry 3 of 3
      {0xFFFFFFFF, -1},  {base - 17, -1},
  };
  for (const Case& c : cases) {
    HzbhImage img = SmallHzbh();
    img.groups[1] = c.offset;
    img.entries[0].link = c.offset;
    THZBHFile file;
    ASSERT_EQ(Parse(img, file), THZBHParseResult::Ok) << c.offset;
    EXPECT_EQ(file.GroupIndex[1], c.index) << "offset " << c.offset;
    EXPECT_EQ(file.Items[0].Link, c.index) << "offset " << c.offset;
  }
}

// A string offset S stands for pool offset S - Base - 16I; outside the pool it
// is no string.
TEST(HzbhParse, TextOffsets) {
  const HzbhImage small = SmallHzbh();
  const std::uint32_t pool = small.PoolStart();
  struct Case {
    std::uint32_t offset;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {0, std::nullopt},         // no string
      {pool, "1"},               // the first string
      {pool + 3, ""},            // the NUL ending "2"
      {pool + 5, ""},            // the last byte of the pool
      {pool + 6, std::nullopt},  // just past the pool
      {pool - 1, std::nullopt},  // inside the entries
      {5, std::nullopt},         // inside the header
      {0xFFFFFFFF, std::nullopt},
  };
  for (const Case& c : cases) {
    HzbhImage img = SmallHzbh();
    img.entries[1].text = c.offset;
    THZBHFile file;
    ASSERT_EQ(Parse(img, file), THZBHParseResult::Ok) << c.offset;
    const auto text = PoolString(file.StringPool, file.Items[1].Text);
    EXPECT_EQ(text.has_value(), c.text.has_value()) << "offset " << c.offset;
    if (text && c.text) {
      EXPECT_EQ(*text, *c.text) << "offset " << c.offset;
    }
  }
}

TEST(HzbhParse, StringRunsToPoolEndWithoutNul) {
  HzbhImage img = SmallHzbh();
  img.pool += "tail";
  img.entries[2].text = img.PoolStart() + 6;
  THZBHFile file;
  ASSERT_EQ(Parse(img, file), THZBHParseResult::Ok);
  EXPECT_EQ(PoolString(file.StringPool, file.Items[2].Text), "tail");
}

TEST(HzbhParse, RejectedImages) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  auto withPool = [](std::string pool) {
    HzbhImage img = SmallHzbh();
    img.pool = std::move(pool);
    return img.Build();
  };
  std::vector<std::uint8_t> shortHeader = SmallHzbh().Build();
  shortHeader.resize(31);
  std::vector<std::uint8_t> noPool = SmallHzbh().Build();
  noPool.resize(SmallHzbh().PoolStart());  // tables reach the end: T is not below the size
  const Case cases[] = {
      {"header of 31 bytes", shortHeader},
      {"no string pool", noPool},
      {"one NUL too few", withPool(std::string("1\0" "2\0" "3x", 6))},
      {"one NUL too many", withPool(std::string("1\0" "2\0" "3\0\0", 7))},
  };
  for (const Case& c : cases) {
    THZBHFile file;
    EXPECT_EQ(ParseHZBHFile(c.bytes, file), THZBHParseResult::Rejected) << c.name;
  }
}

TEST(HzbhParse, MalformedHeaders) {
  struct Case {
    const char* name;
    HzbhImage img;
  };
  std::vector<Case> cases;
  {
    HzbhImage img = SmallHzbh();
    img.firstCode = 0x4E04;  // LastCode below FirstCode
    cases.push_back({"LastCode below FirstCode", img});
  }
  {
    HzbhImage img = SmallHzbh();
    img.groupCount = 0x40000000;  // 4G overflows 32 bits
    cases.push_back({"group table overflows", img});
  }
  {
    HzbhImage img = SmallHzbh();
    img.groupCount = 0x3FFFFFF6;  // 32 + 4G fits, adding 4N overflows
    cases.push_back({"code index overflows", img});
  }
  {
    HzbhImage img = SmallHzbh();
    img.itemCount = 0x10000000;  // 16I overflows
    cases.push_back({"entries overflow", img});
  }
  {
    HzbhImage img = SmallHzbh();
    img.firstCode = 0x2FFFF;
    img.lastCode = 0x30000;  // a code point without a CodeIndex slot
    img.codes = {0, 0};
    cases.push_back({"LastCode above 0x2FFFF", img});
  }
  {
    HzbhImage img = SmallHzbh();
    img.codes[2] = img.EntryOffset(3);  // entry 3 of 3
    cases.push_back({"code index beyond the entries", img});
  }
  for (const Case& c : cases) {
    THZBHFile file;
    EXPECT_EQ(Parse(c.img, file), THZBHParseResult::Malformed) << c.name;
  }
}

// Every prefix of an image parses without a crash; those that cut into the
// tables or lose a NUL of the pool are rejected.
TEST(HzbhParse, TruncationSweep) {
  HzbhImage img = SmallHzbh();
  img.pool += "pad";
  const std::vector<std::uint8_t> bytes = img.Build();
  const std::size_t lastNul = img.PoolStart() + 5;
  for (std::size_t n = 0; n <= bytes.size(); ++n) {
    THZBHFile file;
    const THZBHParseResult r = ParseHZBHFile(platform::Bytes(bytes).first(n), file);
    EXPECT_EQ(r, n > lastNul ? THZBHParseResult::Ok : THZBHParseResult::Rejected) << n;
  }
}

TEST(HzbhLoad, FileSizeWindow) {
  testing::TempDir dir;
  struct Case {
    std::size_t size;
    bool loads;
  };
  const Case cases[] = {
      {THZBH::kMinFileSize - 1, false},
      {THZBH::kMinFileSize, true},
      {THZBH::kMaxFileSize, true},
      {THZBH::kMaxFileSize + 1, false},
  };
  for (const Case& c : cases) {
    const std::u16string path = dir.Write("hzbh.dat", SmallHzbh().BuildPadded(c.size));
    auto table = EmptyTable(dir);
    EXPECT_EQ(table->LoadFromFile(path, true), c.loads) << c.size;
    EXPECT_EQ(table->Items().size(), c.loads ? 3u : 0u) << c.size;
    EXPECT_EQ(table->FileName(), c.loads ? path : dir.u16("missing.dat")) << c.size;
  }
}

TEST(HzbhLoad, FillsCodeIndexAndMarks) {
  testing::TempDir dir;
  HzbhImage img = SmallHzbh();
  img.entries[1].marks = 0x01;  // other bits are not the mark
  img.entries[2].marks = 0xFF;
  img.codes[2] = img.EntryOffset(2);  // U+4E02 shares U+4E03's entry
  const std::u16string path = dir.Write("hzbh.dat", img.BuildPadded(THZBH::kMinFileSize));
  auto table = EmptyTable(dir);
  ASSERT_TRUE(table->LoadFromFile(path, false));

  EXPECT_EQ(table->CodeIndex()[0x4DFF], -1);  // below FirstCode
  EXPECT_EQ(table->CodeIndex()[0x4E00], 0);
  EXPECT_EQ(table->CodeIndex()[0x4E03], 2);
  EXPECT_EQ(table->CodeIndex()[0x4E04], -1);  // above LastCode
  EXPECT_EQ(table->ItemText(0), "1");
  EXPECT_EQ(table->StringPool().size(), THZBH::kMinFileSize - img.PoolStart());

  EXPECT_EQ(table->MarkedCount(), 3);  // U+4E00, U+4E02, U+4E03
  for (const std::uint32_t c : {0x4E00u, 0x4E02u, 0x4E03u}) {
    EXPECT_TRUE(HasCharClass(ccStrokeMark, c)) << std::hex << c;
  }
  EXPECT_FALSE(HasCharClass(ccStrokeMark, 0x4E01));
}

TEST(HzbhLoad, RejectedFileLeavesTableAsItWas) {
  testing::TempDir dir;
  const std::u16string good = dir.Write("good.dat", SmallHzbh().BuildPadded(THZBH::kMinFileSize));
  HzbhImage bad = SmallHzbh();
  bad.pool = std::string("1\0" "2\0" "3\0\0", 7);
  const std::u16string badPath = dir.Write("bad.dat", bad.BuildPadded(THZBH::kMinFileSize));

  auto table = std::make_unique<THZBH>(good, false);
  ASSERT_EQ(table->Items().size(), 3u);
  EXPECT_FALSE(table->LoadFromFile(badPath, false));
  EXPECT_EQ(table->FileName(), good);
  EXPECT_EQ(table->Items().size(), 3u);
  EXPECT_EQ(table->CodeIndex()[0x4E03], 2);
}

TEST(HzbhLoad, MalformedFileRaises) {
  testing::TempDir dir;
  HzbhImage img = SmallHzbh();
  img.codes[1] = img.EntryOffset(7);
  const std::u16string path = dir.Write("hzbh.dat", img.BuildPadded(THZBH::kMinFileSize));
  EXPECT_THROW(THZBH(path, false), Error);
}

TEST(HzbhLoad, DefaultFileFromAllUsersRoot) {
  testing::TempDir dir;
  testing::ScopedDataRoots roots(dir.path().string());
  const std::u16string path =
      dir.Write("common/velmora6/zi/hzbh.dat", SmallHzbh().BuildPadded(THZBH::kMinFileSize));
  auto table = std::make_unique<THZBH>(u"", true);
  EXPECT_EQ(table->FileName(), path);
  EXPECT_FALSE(table->Scrambled());  // created with Load(name, false)
  EXPECT_EQ(table->Items().size(), 3u);
}

TEST(HzbhLoad, SaveOnlyRemembersTheName) {
  testing::TempDir dir;
  auto table = EmptyTable(dir);
  EXPECT_EQ(table->SaveToFile(u"", false), 0);
  EXPECT_EQ(table->FileName(), dir.u16("missing.dat"));
  EXPECT_EQ(table->SaveToFile(dir.u16("other.dat"), false), 0);
  EXPECT_EQ(table->FileName(), dir.u16("other.dat"));
  EXPECT_FALSE(platform::FileExists(dir.u16("other.dat")));
  TObject_CC& base = *table;
  EXPECT_TRUE(base.AddEntry(nullptr));
  EXPECT_TRUE(base.DeleteEntry(nullptr));
  EXPECT_TRUE(base.FindEntry(nullptr));
}

TEST(HzbhLoad, GeneratedFile) {
  const std::u16string path = platform::FromUtf8(BUSHOU_DATA_ROOT "/velmora6/zi/hzbh.dat");
  auto table = std::make_unique<THZBH>(path, false);
  ASSERT_EQ(table->FileName(), path);
  EXPECT_EQ(table->MarkedCount(), 6763);  // GB2312's Han characters
  EXPECT_TRUE(HasCharClass(ccStrokeMark, 0x4E2D));   // 中
  EXPECT_FALSE(HasCharClass(ccStrokeMark, 0x4E2F));  // not in GB2312
  const std::int32_t zhong = table->CodeIndex()[0x4E2D];
  ASSERT_GE(zhong, 0);
  EXPECT_EQ(table->ItemText(static_cast<std::size_t>(zhong)), "4");
  // Group 3 holds the four-stroke characters.
  const auto& groups = table->GroupIndex();
  ASSERT_GT(groups.size(), 4u);
  EXPECT_GE(zhong, groups[3]);
  EXPECT_LT(zhong, groups[4]);
  EXPECT_EQ(groups.back(), static_cast<std::int32_t>(table->Items().size()));
}

}  // namespace
}  // namespace bushou
