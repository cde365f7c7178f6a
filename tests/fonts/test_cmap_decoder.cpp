// The coverage reader in face mode (over a catalogue) and file mode ("cmap.dat").
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fonts/uCMapDecoder.h"
#include "platform/errors.h"
#include "tests/fonts/CatalogueFixture.h"

namespace bushou {
namespace {

using ::testing::ElementsAre;
using testing::CatalogueTest;

// A coverage record: the bitmap with the given code points set, then the
// description in UTF-16LE and a zero unit (unless told otherwise).
std::vector<std::uint8_t> RecordBytes(const std::vector<std::uint32_t>& covered, std::u16string_view description,
                                      bool terminate = true) {
  platform::ByteWriter w;
  std::vector<std::uint8_t> bitmap(kCoverageBitmapSize, 0);
  for (const std::uint32_t c : covered) bitmap[c / 8] = static_cast<std::uint8_t>(bitmap[c / 8] | (1u << (c % 8)));
  w.Raw(platform::Bytes(bitmap));
  for (const char16_t u : description) w.U16LE(u);
  if (terminate) w.U16LE(0);
  return w.Take();
}

class CMapFileTest : public CatalogueTest {
 protected:
  std::u16string WriteCMap(const std::vector<std::uint8_t>& bytes) {
    return dir.Write("common/velmora6/zi/cmap.dat", bytes);
  }
  std::u16string Path() const { return dir.u16("common/velmora6/zi/cmap.dat"); }
  // The message of the error file mode raises, empty when it raises none.
  std::u16string FileModeError() {
    try {
      TCMapDataDecoder decoder;
      return {};
    } catch (const Error& e) {
      return e.message();
    }
  }
};

TEST_F(CatalogueTest, FaceModeAnswersFromTheChainBitmap) {
  AddFont("a.ttf", {u"Alpha", u"Beta"}, {{0, 0}, {0x4E00, 0x4E00}}, {{0x2FFFF, 0x2FFFF}});
  const auto fonts = Build();
  const TCMapDataDecoder decoder(*fonts, u"beta");
  EXPECT_TRUE(decoder.FromFonts());
  EXPECT_EQ(decoder.FaceName(), u"beta");
  EXPECT_TRUE(decoder.IsSupported(0));
  EXPECT_TRUE(decoder.IsSupported(0x2FFFF));
  EXPECT_TRUE(decoder.IsSupported(0x4E00));
  EXPECT_FALSE(decoder.IsSupported(1));
  EXPECT_FALSE(decoder.IsSupported(0x30000));
  EXPECT_FALSE(decoder.IsSupported(0xFFFFFFFF));
  EXPECT_EQ(decoder.CoveredCount(), 3u);
  EXPECT_EQ(decoder.Description(), u"(Alpha;Beta){本身}");
  // The requested face's names, from the description.
  EXPECT_THAT(decoder.Names(), ElementsAre(u"Alpha", u"Beta"));
  EXPECT_EQ(decoder.TextSize(), static_cast<std::int32_t>(2 * decoder.Description().size() + 2));
}

TEST_F(CatalogueTest, FaceModeForAFaceNotInstalledAnswersFalse) {
  AddFont("a.ttf", {u"Alpha"}, {{0x4E00, 0x9FA5}});
  const auto fonts = Build();
  const TCMapDataDecoder decoder(*fonts, u"Not Installed");
  EXPECT_TRUE(decoder.Record().empty());
  EXPECT_EQ(decoder.TextSize(), 0);
  EXPECT_FALSE(decoder.IsSupported(0x4E00));
  EXPECT_EQ(decoder.Description(), u"");
}

TEST_F(CatalogueTest, FaceModeUsesTheProcessCatalogue) {
  AddFont("a.ttf", {u"Alpha"}, {{0x4E00, 0x4E00}});
  auto old = platform::SetRegistry(std::make_unique<platform::MemoryRegistry>(registry));
  const TCMapDataDecoder decoder(u"Alpha");
  EXPECT_TRUE(decoder.IsSupported(0x4E00));
  FreeFontTools();
  platform::SetRegistry(std::move(old));
}

TEST_F(CMapFileTest, FileModeAnswersFromTheFile) {
  WriteCMap(RecordBytes({0, 0x4E2D, 0x2FFFF}, u"(Alpha;Beta){本身}|Gamma{通用回退}"));
  const TCMapDataDecoder decoder;
  EXPECT_FALSE(decoder.FromFonts());
  EXPECT_TRUE(decoder.IsSupported(0));
  EXPECT_TRUE(decoder.IsSupported(0x4E2D));
  EXPECT_TRUE(decoder.IsSupported(0x2FFFF));
  EXPECT_FALSE(decoder.IsSupported(0x4E2E));
  EXPECT_FALSE(decoder.IsSupported(0x30000));
  EXPECT_EQ(decoder.NamesText(), u"Alpha;Beta");
  EXPECT_THAT(decoder.Names(), ElementsAre(u"Alpha", u"Beta"));
  EXPECT_EQ(decoder.NameCount(), 2);
}

TEST_F(CMapFileTest, EmptyFaceNameSelectsFileMode) {
  WriteCMap(RecordBytes({0x41}, u"(A;B){本身}"));
  EXPECT_TRUE(TCMapDataDecoder(std::u16string_view()).IsSupported(0x41));
}

TEST_F(CMapFileTest, MissingFile) { EXPECT_EQ(FileModeError(), u"文件不存在：" + Path()); }

TEST_F(CMapFileTest, RejectedFiles) {
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"0x5FFF bytes", std::vector<std::uint8_t>(0x5FFF, 0)},
      {"0x6800 bytes", [] {
         auto b = RecordBytes({}, u"(A;B){本身}");
         b.resize(0x6800, 0);
         return b;
       }()},
      {"no parentheses", RecordBytes({}, u"Alpha{本身}")},
      {"empty parentheses", RecordBytes({}, u"(){本身}")},
      {"no closing parenthesis", RecordBytes({}, u"(Alpha{本身}")},
      {"bitmap only", RecordBytes({}, u"", false)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteCMap(c.bytes);
    EXPECT_EQ(FileModeError(), u"文件[" + Path() + u"]并非所望");
  }
}

TEST_F(CMapFileTest, LargestAcceptedFile) {
  auto bytes = RecordBytes({}, u"(A;B){本身}");
  bytes.resize(kCMapFileMaxSize, 0);
  WriteCMap(bytes);
  EXPECT_EQ(FileModeError(), u"");
}

// Every prefix of a record, and the record with its description cut anywhere.
TEST(CMapFileBytes, TruncationSweep) {
  const auto bytes = RecordBytes({0x4E00}, u"(Alpha;Beta){本身}|Gamma{通用回退}");
  for (std::size_t n = 0; n <= bytes.size(); ++n) {
    const auto decoder = TCMapDataDecoder::FromFileBytes(platform::Bytes(bytes).first(n));
    // A record is accepted once its description holds "(Alpha;" and the ")".
    const bool expected = n >= kCoverageBitmapSize + 2 * 12;
    ASSERT_EQ(decoder != nullptr, expected) << n;
    if (decoder) {
      EXPECT_TRUE(decoder->IsSupported(0x4E00));
      EXPECT_EQ(decoder->NameCount(), 2);
    }
  }
}

}  // namespace
}  // namespace bushou
