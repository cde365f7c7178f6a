// Fallback chain coverage: which code points a face's chain covers, and its description.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fonts/CatalogueFixture.h"

namespace bushou {
namespace {

using testing::CatalogueTest;

struct Record {
  std::int32_t size = 0;
  std::vector<std::uint8_t> bytes;

  bool Covers(std::uint32_t c) const { return ((static_cast<unsigned>(bytes[c / 8]) >> (c % 8)) & 1u) != 0; }
  std::u16string Description() const {
    std::u16string text;
    for (std::size_t at = kCoverageBitmapSize; at + 1 < bytes.size(); at += 2) {
      const auto u = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
      if (u == 0) break;
      text.push_back(u);
    }
    return text;
  }
  std::size_t CoveredCount() const {
    std::size_t n = 0;
    for (std::uint32_t c = 0; c < kCoverageLimit; ++c) n += Covers(c) ? 1u : 0u;
    return n;
  }
};

Record Chain(TFontTools& fonts, std::u16string_view face, std::size_t capacity = kCoverageRecordCapacity) {
  Record r;
  r.bytes.assign(capacity, 0xEE);
  r.size = fonts.GetChainCoverage(face, r.bytes);
  return r;
}

TEST(ChainCoverage, MarkRangesAndBuildBitmap) {
  std::vector<std::uint8_t> map(kCoverageLimit, 0);
  MarkRanges({{0, 0}, {5, 9}, {0x1FFF0, 0x20005}, {0x2FFFF, 0xFFFFFFFF}}, 0, 0x1FFFF, map);
  EXPECT_EQ(map[0], 1);
  EXPECT_EQ(map[4], 0);
  EXPECT_EQ(map[9], 1);
  EXPECT_EQ(map[0x1FFFF], 1);
  EXPECT_EQ(map[0x20000], 0);  // outside the window
  EXPECT_EQ(map[0x2FFFF], 0);
  MarkRanges({{0x2FFF0, 0xFFFFFFFF}}, 0x20000, 0x2FFFF, map);
  EXPECT_EQ(map[0x2FFFF], 1);

  std::vector<std::uint8_t> bitmap(kCoverageBitmapSize, 0xFF);
  BuildBitmap(map, bitmap);
  EXPECT_EQ(bitmap[0], 0xE1);                      // 0 is bit 0, least significant; 5, 6, 7
  EXPECT_EQ(bitmap[1], 0x03);                      // 8 and 9
  EXPECT_EQ(bitmap[0x1FFFF / 8], 0xFF);            // 0x1FFF8..0x1FFFF
  EXPECT_EQ(bitmap[0x20000 / 8], 0x00);
  EXPECT_EQ(bitmap[kCoverageBitmapSize - 1], 0xFF);  // 0x2FFF8..0x2FFFF
}

TEST_F(CatalogueTest, FaceNotInstalledWritesNothing) {
  AddFont("a.ttf", {u"Alpha"}, {{0x41, 0x5A}});
  const auto fonts = Build();
  const Record r = Chain(*fonts, u"Beta");
  EXPECT_EQ(r.size, 0);
  EXPECT_EQ(std::count(r.bytes.begin(), r.bytes.end(), 0xEE), static_cast<std::ptrdiff_t>(r.bytes.size()));
}

TEST_F(CatalogueTest, FaceAloneCoversItsOwnCharacterMap) {
  AddFont("a.ttf", {u"Alpha"}, {{0x41, 0x5A}, {0x4E00, 0x4E0F}}, {{0x20000, 0x20002}});
  const auto fonts = Build();
  const Record r = Chain(*fonts, u"alpha");
  EXPECT_EQ(r.Description(), u"Alpha{本身}");
  EXPECT_EQ(r.size, static_cast<std::int32_t>(kCoverageBitmapSize + 2 * r.Description().size() + 2));
  EXPECT_EQ(r.CoveredCount(), 26u + 16u + 3u);
  EXPECT_TRUE(r.Covers(0x41));
  EXPECT_TRUE(r.Covers(0x4E0F));
  EXPECT_FALSE(r.Covers(0x4E10));
  // With no surrogate fallback in force, the face's own plane-2 coverage counts.
  EXPECT_TRUE(r.Covers(0x20002));
  EXPECT_FALSE(r.Covers(0x20003));
}

TEST_F(CatalogueTest, GenericFallbackDescription) {
  AddFont("ab.ttf", {u"Alpha", u"Beta"}, {{0x4E00, 0x4E00}});
  // The plane-2 face also covers BMP code points; they are not marked by it.
  AddFont("g.ttf", {u"Gamma"}, {{0x4E01, 0x4E01}}, {{0x20000, 0x2A6D6}});
  SetSurrogateMode(2);
  SetString(Root::LocalMachine, platform::kSurrogateFallbackKey, u"Plane2", u"Gamma");
  const auto fonts = Build();
  const Record r = Chain(*fonts, u"Beta");
  EXPECT_EQ(r.Description(), u"(Alpha;Beta){本身}|Gamma{通用回退}");
  EXPECT_TRUE(r.Covers(0x4E00));
  EXPECT_FALSE(r.Covers(0x4E01));
  EXPECT_TRUE(r.Covers(0x2A6D6));
  EXPECT_FALSE(r.Covers(0x1FFFF));
}

TEST_F(CatalogueTest, WithoutSurrogateModeNoFallbackFace) {
  AddFont("a.ttf", {u"Alpha"}, {{0x41, 0x41}});
  AddFont("g.ttf", {u"Gamma"}, {}, {{0x20000, 0x2A6D6}});
  SetString(Root::LocalMachine, platform::kSurrogateFallbackKey, u"Plane2", u"Gamma");  // SURROGATE not 2
  const auto fonts = Build();
  const Record r = Chain(*fonts, u"Alpha");
  EXPECT_EQ(r.Description(), u"Alpha{本身}");
  for (std::uint32_t c = 0x10000; c < kCoverageLimit; ++c) ASSERT_FALSE(r.Covers(c)) << c;
}

TEST_F(CatalogueTest, DirectedFallbackOfTheFaceItselfFallsBackToGeneric) {
  AddFont("a.ttf", {u"Alpha", u"Alpha Zh"}, {{0x41, 0x41}});
  AddFont("p1.ttf", {u"One"}, {}, {{0x10000, 0x10010}});
  AddFont("p2.ttf", {u"Two"}, {}, {{0x20000, 0x20010}});
  const std::u16string key(platform::kSurrogateFallbackKey);
  SetString(Root::LocalMachine, key, u"Plane1", u"One");
  SetString(Root::LocalMachine, key, u"Plane2", u"Two");
  SetString(Root::LocalMachine, key + u"\\Alpha", u"Plane1", u"Alpha Zh");  // the face itself
  SetString(Root::LocalMachine, key + u"\\Alpha", u"Plane2", u"alpha");
  const auto fonts = Build();
  ASSERT_EQ(fonts->FallbackByFace().size(), 1u);  // a record keeps the directed setting on
  const Record r = Chain(*fonts, u"Alpha Zh");
  EXPECT_EQ(r.Description(), u"(Alpha;Alpha Zh){本身}|One{通用回退}|Two{通用回退}");
  EXPECT_TRUE(r.Covers(0x10010));
  EXPECT_TRUE(r.Covers(0x20010));
}

TEST_F(CatalogueTest, DirectedFallbackReplacesGeneric) {
  AddFont("a.ttf", {u"Alpha"}, {{0x41, 0x41}});
  AddFont("d.ttf", {u"Directed"}, {{0x42, 0x42}}, {{0x20000, 0x20001}});
  AddFont("g.ttf", {u"Generic"}, {}, {{0x20000, 0x2A6D6}});
  const std::u16string key(platform::kSurrogateFallbackKey);
  SetString(Root::LocalMachine, key, u"Plane2", u"Generic");
  SetString(Root::LocalMachine, key + u"\\Alpha", u"Plane2", u"Directed");
  // The default font is the directed fallback face: it is not added again.
  SetProportionalFont(u"Directed");
  const auto fonts = Build();
  const Record r = Chain(*fonts, u"Alpha");
  EXPECT_EQ(r.Description(), u"Alpha{本身}|Directed{定向回退}");
  EXPECT_TRUE(r.Covers(0x20001));
  EXPECT_FALSE(r.Covers(0x20002));
  EXPECT_FALSE(r.Covers(0x42));
}

TEST_F(CatalogueTest, FaceThatIsTheProportionalFontGetsNoDefaultEntry) {
  AddFont("a.ttf", {u"Alpha", u"阿"}, {{0x41, 0x41}});
  SetProportionalFont(u"阿");
  const auto fonts = Build();
  EXPECT_EQ(Chain(*fonts, u"Alpha").Description(), u"(Alpha;阿){本身}");
}

TEST_F(CatalogueTest, LinksAndDefaultFont) {
  AddFont("base.ttf", {u"Base"}, {{0x41, 0x41}});
  AddFont("default.ttf", {u"Default"}, {{0x42, 0x42}}, {{0x20000, 0x20000}});
  Install("link.ttc", testing::Collection({testing::SimpleFace({u"Link", u"链接体"}, {{0x43, 0x43}, {0xFFFF, 0xFFFF}},
                                                               {{0x10000, 0x10001}}),
                                           testing::SimpleFace({u"Other"}, {{0x44, 0x44}})}));
  Register(u"Link & Other (TrueType)", u"link.ttc");
  SetProportionalFont(u"Default");
  // The default font is also in the list, and one face is linked under two of its names.
  SetLinks(u"Base", {u"default.ttf", u"link.ttc,Link", u"link.ttc,链接体"});
  const auto fonts = Build();
  const Record r = Chain(*fonts, u"Base");
  EXPECT_EQ(r.Description(), u"Base{本身}|(Link;链接体){链接}|Default{缺省}");
  EXPECT_TRUE(r.Covers(0x41));
  EXPECT_TRUE(r.Covers(0x42));
  EXPECT_TRUE(r.Covers(0x43));
  EXPECT_FALSE(r.Covers(0x20000));  // the default font counts for the BMP only
  EXPECT_FALSE(r.Covers(0x10000));  // so does a link
  EXPECT_FALSE(r.Covers(0x44));     // the collection's other face is not linked
}

TEST_F(CatalogueTest, LongDescriptionIsCutAtAnEntryBoundary) {
  AddFont("base.ttf", {u"Base"}, {{0x41, 0x41}});
  std::vector<std::u16string> links;
  for (int i = 0; i < 40; ++i) {
    const std::string name = "Linked Face With A Long Name " + std::to_string(100 + i);
    const std::uint16_t c = static_cast<std::uint16_t>(0x4E00 + i);
    AddFont(name + ".ttf", {platform::FromUtf8(name)}, {{c, c}});
    links.push_back(platform::FromUtf8(name + ".ttf"));
  }
  SetLinks(u"Base", links);
  const auto fonts = Build();
  const Record r = Chain(*fonts, u"Base");
  const std::u16string text = r.Description();
  ASSERT_LE(kCoverageBitmapSize + 2 * text.size() + 2, kCoverageRecordCapacity);
  EXPECT_EQ(r.size, static_cast<std::int32_t>(kCoverageBitmapSize + 2 * text.size() + 2));
  EXPECT_TRUE(text.ends_with(u"{链接}"));
  EXPECT_LT(std::count(text.begin(), text.end(), u'|'), 40);
  // The bitmap stays whole: every linked face counts.
  for (int i = 0; i < 40; ++i) EXPECT_TRUE(r.Covers(static_cast<std::uint32_t>(0x4E00 + i))) << i;

  // A buffer too small for a bitmap and a zero unit gets nothing.
  EXPECT_EQ(Chain(*fonts, u"Base", kCoverageBitmapSize + 1).size, 0);
  EXPECT_EQ(Chain(*fonts, u"Base", kCoverageBitmapSize + 2).size, static_cast<std::int32_t>(kCoverageBitmapSize + 2));
}

}  // namespace
}  // namespace bushou
