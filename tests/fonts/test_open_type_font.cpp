// The font file reader over fonts built in code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fonts/uByteEndian.h"
#include "fonts/uOpenTypeFont.h"
#include "platform/bytes.h"
#include "platform/errors.h"
#include "tests/fonts/FontBuilder.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::ByteVector;
using testing::CMapFormat12;
using testing::CMapFormat4;
using testing::CMapTable;
using testing::Collection;
using testing::Face;
using testing::FontFile;
using testing::FullName;
using testing::NameRecord;
using testing::NameTable;
using testing::SimpleFace;

TDynamicStringArray NamesOf(const ByteVector& file, std::size_t face = 0) {
  TOpenTypeFontFile reader(file);
  if (face >= reader.Faces().size()) return {};
  return reader.Faces()[face].Names;
}

Face NameOnlyFace(std::vector<NameRecord> records) { return Face{{testing::kName, NameTable(records)}}; }

Face CMapOnlyFace(const ByteVector& cmap) {
  return Face{{testing::kName, NameTable({FullName(u"X")})}, {testing::kCMap, cmap}};
}

TRanges_cmap RangesOf(const ByteVector& file) {
  TOpenTypeFontFile reader(file);
  TRanges_cmap ranges;
  if (!reader.Faces().empty()) reader.ReadCMapRanges(reader.Faces()[0], ranges);
  return ranges;
}

TEST(OpenTypeFont, SingleFontWithEnglishAndChineseNamesSortsAsciiFirst) {
  const ByteVector file = FontFile(NameOnlyFace({FullName(u"宋体", 0x0804), FullName(u"SimSun", 0x0409)}));
  TOpenTypeFontFile reader(file);
  EXPECT_FALSE(reader.IsCollection());
  EXPECT_EQ(reader.FaceCount(), 1);
  ASSERT_EQ(reader.NamedFaceCount(), 1);
  EXPECT_EQ(reader.Faces()[0].FaceIndex, 0);
  EXPECT_THAT(reader.Faces()[0].Names, ElementsAre(u"SimSun", u"宋体"));
}

TEST(OpenTypeFont, NamesDifferingOnlyInAsciiCaseCountOnce) {
  EXPECT_EQ(NamesOf(FontFile(NameOnlyFace({FullName(u"Alpha Sans"), FullName(u"ALPHA sans", 0x0809)}))).size(), 1u);
}

struct NameCase {
  const char* what;
  NameRecord record;
  std::vector<std::u16string> names;  // what the face is listed with; empty: not listed
};

ByteVector Bytes(std::initializer_list<std::uint8_t> b) { return ByteVector(b); }

// Which name records are taken, and how their text is decoded.
TEST(OpenTypeFont, NameRecordAcceptance) {
  const std::vector<NameCase> cases = {
      {"English full name", FullName(u"Alpha"), {u"Alpha"}},
      {"symbol encoding", FullName(u"Alpha", 0x0409, 0), {u"Alpha"}},
      {"Mac platform", NameRecord{1, 0, 0, 4, testing::Utf16BE(u"Alpha")}, {}},
      {"family name, not full name", NameRecord{3, 1, 0x0409, 1, testing::Utf16BE(u"Alpha")}, {}},
      {"UCS-4 encoding", NameRecord{3, 10, 0x0409, 4, testing::Utf16BE(u"Alpha")}, {}},
      {"German", FullName(u"Alpha", 0x0407), {}},
      {"each accepted language", FullName(u"Alpha", 0x1404), {u"Alpha"}},
      {"blank", FullName(u"   "), {}},
      {"question mark", FullName(u"Al?pha"), {}},
      {"asterisk", FullName(u"Al*pha"), {}},
      {"backslash", FullName(u"Al\\pha"), {}},
      {"trimmed", FullName(u"  Alpha\t"), {u"Alpha"}},
      {"trailing zero units", NameRecord{3, 1, 0x0409, 4, Bytes({0, 'A', 0, 'b', 0, 0, 0, 0})}, {u"Ab"}},
      {"embedded zero unit", NameRecord{3, 1, 0x0409, 4, Bytes({0, 'A', 0, 0, 0, 'b'})}, {}},
      {"HanD marker", NameRecord{3, 0, 0x0409, 4, Bytes({'H', 'a', 'n', 'D', 0, 'x'})}, {}},
      {"odd length drops the last byte", NameRecord{3, 1, 0x0409, 4, Bytes({0, 'A', 0, 'b', 0})}, {u"Ab"}},
      // PRC: GBK bytes stored as they are (D6D0 CEC4 = 中文).
      {"PRC stored bytes", NameRecord{3, 3, 0x0804, 4, Bytes({0xD6, 0xD0, 0xCE, 0xC4})}, {u"中文"}},
      // PRC: one GBK byte per 16-bit unit.
      {"PRC one byte per unit", NameRecord{3, 3, 0x0804, 4, Bytes({0, 0xD6, 0, 0xD0, 0, 0xCE, 0, 0xC4})}, {u"中文"}},
      // PRC: ASCII in 16-bit units holds no lead byte: the stored bytes end at the first zero byte.
      {"PRC ASCII units", NameRecord{3, 3, 0x0804, 4, Bytes({0, 'A', 0, 'B'})}, {}},
      {"PRC ASCII bytes", NameRecord{3, 3, 0x0804, 4, Bytes({'A', 'B', 'C', 'D'})}, {u"ABCD"}},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(NamesOf(FontFile(NameOnlyFace({c.record}))), c.names);
  }
}

TEST(OpenTypeFont, PrcNameIsCutAt256Bytes) {
  ByteVector gbk;
  for (int i = 0; i < 200; ++i) gbk.insert(gbk.end(), {0xD6, 0xD0});  // 中 x 200 = 400 bytes
  const auto names = NamesOf(FontFile(NameOnlyFace({NameRecord{3, 3, 0x0804, 4, gbk}})));
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0], std::u16string(128, u'中'));
}

// Two records, the second between the first and the strings; stringOffset
// decides whether it is a record or part of the string storage.
ByteVector TwoRecordNameTable(std::uint16_t stringOffset) {
  platform::ByteWriter w;
  w.U16BE(0).U16BE(2).U16BE(stringOffset);                             // format, count, stringOffset
  w.U16BE(3).U16BE(1).U16BE(0x0409).U16BE(4).U16BE(2).U16BE(static_cast<std::uint16_t>(30 - stringOffset));  // "A" at byte 30
  w.U16BE(3).U16BE(1).U16BE(0x0409).U16BE(4).U16BE(2).U16BE(static_cast<std::uint16_t>(32 - stringOffset));  // "B" at byte 32
  w.U16BE(u'A').U16BE(u'B');                                           // bytes 30..33
  return w.Take();
}

TEST(OpenTypeFont, OnlyRecordsBeforeTheStringStorageCount) {
  EXPECT_THAT(NamesOf(FontFile(Face{{testing::kName, TwoRecordNameTable(30)}})), ElementsAre(u"A", u"B"));
  EXPECT_THAT(NamesOf(FontFile(Face{{testing::kName, TwoRecordNameTable(18)}})), ElementsAre(u"A"));
  // stringOffset below 6 leaves no records.
  EXPECT_THAT(NamesOf(FontFile(Face{{testing::kName, TwoRecordNameTable(5)}})), IsEmpty());
}

TEST(OpenTypeFont, NameStringOutsideTheTableIsSkipped) {
  ByteVector table = NameTable({FullName(u"Outside"), FullName(u"Inside")});
  platform::ByteWriter w;
  w.Raw(platform::Bytes(table)).PatchU16BE(6 + 10, 0xFFF0);  // first record's offset far past the end
  EXPECT_THAT(NamesOf(FontFile(Face{{testing::kName, w.Take()}})), ElementsAre(u"Inside"));
}

TEST(OpenTypeFont, AtMost128NamesPerFace) {
  std::vector<NameRecord> records;
  for (int i = 0; i < 130; ++i) {
    records.push_back(FullName(u"N" + std::u16string(1, static_cast<char16_t>(u'A' + i / 26)) +
                               std::u16string(1, static_cast<char16_t>(u'a' + i % 26))));
  }
  const auto names = NamesOf(FontFile(NameOnlyFace(records)));
  EXPECT_EQ(names.size(), 128u);
  EXPECT_EQ(std::count(names.begin(), names.end(), u"NEz"), 0);  // the 130th record
}

TEST(OpenTypeFont, CollectionOfTenFacesReadsEachDirectory) {
  std::vector<Face> faces;
  for (std::uint16_t i = 0; i < 10; ++i) {
    const auto c = static_cast<std::uint16_t>(0x4E00 + 16 * i);
    faces.push_back(SimpleFace({u"Face " + std::u16string(1, static_cast<char16_t>(u'0' + i))}, {{c, c + 3}}));
  }
  TOpenTypeFontFile reader(Collection(faces));
  EXPECT_TRUE(reader.IsCollection());
  EXPECT_EQ(reader.FaceCount(), 10);
  ASSERT_EQ(reader.NamedFaceCount(), 10);
  for (std::uint16_t i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(reader.Faces()[i].FaceIndex, i);
    TCMap_SingleOTF info;
    ASSERT_EQ(reader.GetFaceCMap(u"face " + std::u16string(1, static_cast<char16_t>(u'0' + i)), info), 1);
    const auto c = static_cast<std::uint32_t>(0x4E00 + 16 * i);
    EXPECT_THAT(info.Ranges, ElementsAre(TRange_cmap{c, c + 3}));
    EXPECT_EQ(info.Face.FaceIndex, i);
    EXPECT_EQ(info.NameCount, 1);
  }
}

TEST(OpenTypeFont, CollectionFaceWithoutNamesIsNotListed) {
  const ByteVector file = Collection({SimpleFace({u"Zero"}, {{0x41, 0x42}}),
                                      Face{{testing::kCMap, CMapTable({{3, 1, CMapFormat4({{0x43, 0x43}})}})}},
                                      SimpleFace({u"Two"}, {{0x4E00, 0x4E01}})});
  TOpenTypeFontFile reader(file);
  EXPECT_EQ(reader.FaceCount(), 3);
  ASSERT_EQ(reader.NamedFaceCount(), 2);
  EXPECT_EQ(reader.Faces()[0].FaceIndex, 0);
  EXPECT_EQ(reader.Faces()[1].FaceIndex, 2);
  TCMap_SingleOTF info;
  EXPECT_EQ(reader.GetFaceCMap(u"TWO", info), 1);
  EXPECT_THAT(info.Ranges, ElementsAre(TRange_cmap{0x4E00, 0x4E01}));
  // Face 1 is not listed: asking for its ranges gives none.
  TItem_FontName unnamed{1, {}};
  TRanges_cmap ranges{{1, 2}};
  EXPECT_EQ(reader.ReadCMapRanges(unnamed, ranges), 0);
  EXPECT_THAT(ranges, IsEmpty());
}

TEST(OpenTypeFont, UnknownNameLeavesInfoUnchanged) {
  TOpenTypeFontFile reader(FontFile(SimpleFace({u"Alpha"}, {{0x41, 0x5A}})));
  TCMap_SingleOTF info;
  info.FileName = u"unchanged";
  EXPECT_EQ(reader.GetFaceCMap(u"Beta", info), 0);
  EXPECT_EQ(info.FileName, u"unchanged");
  TItem_FontName face;
  EXPECT_FALSE(reader.FindFaceByName(u"Alph", face));
  EXPECT_TRUE(reader.FindFaceByName(u"aLPHA", face));
}

TEST(OpenTypeFont, CollectionLimitedTo253Faces) {
  // 300 faces announced; the offsets beyond the first 1024 bytes are not read.
  platform::ByteWriter w;
  w.Raw(std::string_view("ttcf")).U32BE(0x00010000).U32BE(300);
  for (int i = 0; i < 300; ++i) w.U32BE(0);  // every face at offset 0: the header, no tables
  TOpenTypeFontFile reader(w.Take());
  EXPECT_EQ(reader.FaceCount(), 253);
  EXPECT_EQ(reader.NamedFaceCount(), 0);
}

TEST(OpenTypeFont, DirectoryLimitedTo63Tables) {
  // 64 tables: 63 dummies, then the name table, which lies beyond the 1024-byte block.
  Face face;
  for (int i = 0; i < 63; ++i) face.push_back({{'d', 'u', 'm', static_cast<std::uint8_t>('0' + i % 10)}, {0}});
  face.push_back({testing::kName, NameTable({FullName(u"Late")})});
  EXPECT_EQ(TOpenTypeFontFile(FontFile(face)).NamedFaceCount(), 0);
  face.erase(face.begin());  // 63 tables: the name table is the last one the block holds
  EXPECT_EQ(TOpenTypeFontFile(FontFile(face)).NamedFaceCount(), 1);
}

TEST(OpenTypeFont, TableOutsideTheFileYieldsNothing) {
  ByteVector file = FontFile(SimpleFace({u"Alpha"}, {{0x41, 0x5A}}));
  // Table record 0 is the cmap (offset at 12 + 8, length at 12 + 12).
  platform::ByteWriter w;
  w.Raw(platform::Bytes(file)).PatchU32BE(12 + 12, 0xFFFFFFF0u);
  TOpenTypeFontFile reader(w.Take());
  ASSERT_EQ(reader.NamedFaceCount(), 1);
  TRanges_cmap ranges;
  EXPECT_EQ(reader.ReadCMapRanges(reader.Faces()[0], ranges), 0);
}

TEST(OpenTypeFont, Format4Segments) {
  // 0x30..0x39; start above end (swapped); the closing 0xFFFF segment adds nothing.
  const auto ranges = RangesOf(FontFile(
      CMapOnlyFace(CMapTable({{3, 1, CMapFormat4({{0x30, 0x39}, {0x5A, 0x41}, {0xFFFF, 0xFFFF}})}}))));
  EXPECT_THAT(ranges, ElementsAre(TRange_cmap{0x30, 0x39}, TRange_cmap{0x41, 0x5A}));
}

TEST(OpenTypeFont, SubtablesUsedByPlatformEncodingAndFormat) {
  const ByteVector f4 = CMapFormat4({{0x41, 0x41}});
  const ByteVector f12 = CMapFormat12({{0x20000, 0x20001}});
  const auto ranges = RangesOf(FontFile(CMapOnlyFace(CMapTable({
      {0, 3, CMapFormat4({{0x61, 0x61}})},        // Unicode platform: not used
      {3, 0, f4},                                 // symbol, format 4
      {3, 10, f12},                               // UCS-4, format 12
      {3, 1, f12},                                // format 12 under BMP: not used
      {3, 10, CMapFormat4({{0x62, 0x62}})},       // format 4 under UCS-4: not used
      {3, 2, CMapFormat4({{0x63, 0x63}})},        // ShiftJIS: not used
  }))));
  EXPECT_THAT(ranges, ElementsAre(TRange_cmap{0x41, 0x41}, TRange_cmap{0x20000, 0x20001}));
}

TEST(OpenTypeFont, MoreThan0x8000GroupsAreAllKept) {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> groups;
  for (std::uint32_t i = 0; i < 0x8000 + 5; ++i) groups.emplace_back(0x10000 + 2 * i, 0x10000 + 2 * i);
  const auto ranges = RangesOf(FontFile(CMapOnlyFace(CMapTable({{3, 10, CMapFormat12(groups)}}))));
  ASSERT_EQ(ranges.size(), groups.size());
  EXPECT_EQ(ranges.back(), (TRange_cmap{groups.back().first, groups.back().second}));
}

TEST(OpenTypeFont, CountsBeyondTheTableStopAtItsEnd) {
  // format 12 claiming 0xFFFFFFFF groups, with one present.
  ByteVector f12 = CMapFormat12({{0x4E00, 0x4E05}});
  platform::ByteWriter w12;
  w12.Raw(platform::Bytes(f12)).PatchU32BE(12, 0xFFFFFFFFu);
  EXPECT_THAT(RangesOf(FontFile(CMapOnlyFace(CMapTable({{3, 10, w12.Take()}})))),
              ElementsAre(TRange_cmap{0x4E00, 0x4E05}));
  // format 4 claiming 0x7FFF segments: its arrays end outside the table.
  ByteVector f4 = CMapFormat4({{0x41, 0x42}});
  platform::ByteWriter w4;
  w4.Raw(platform::Bytes(f4)).PatchU16BE(6, 0xFFFE);
  EXPECT_THAT(RangesOf(FontFile(CMapOnlyFace(CMapTable({{3, 1, w4.Take()}})))), IsEmpty());
  // Encoding records claimed beyond the table, subtable offset beyond it.
  platform::ByteWriter records;
  records.U16BE(0).U16BE(500).U16BE(3).U16BE(1).U32BE(0x7FFFFFF0u);
  EXPECT_THAT(RangesOf(FontFile(CMapOnlyFace(records.Take()))), IsEmpty());
}

// Every prefix of a collection with names and character maps parses without
// reading outside it; the whole file gives both faces.
TEST(OpenTypeFont, TruncationSweep) {
  const ByteVector file = Collection({SimpleFace({u"Alpha", u"阿"}, {{0x41, 0x5A}}, {{0x20000, 0x2A6D6}}),
                                      SimpleFace({u"Beta"}, {{0x4E00, 0x9FA5}})});
  for (std::size_t n = 0; n <= file.size(); ++n) {
    TOpenTypeFontFile reader(ByteVector(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n)));
    for (const TItem_FontName& face : reader.Faces()) {
      TRanges_cmap ranges;
      reader.ReadCMapRanges(face, ranges);
    }
    if (n < file.size()) continue;
    EXPECT_EQ(reader.NamedFaceCount(), 2);
  }
}

TEST(OpenTypeFont, ReadsFromDiskAndReportsAMissingFile) {
  testing::TempDir dir;
  const std::u16string path = dir.Write("a.ttf", FontFile(SimpleFace({u"Alpha"}, {{0x41, 0x5A}})));
  TOpenTypeFontFile reader(path);
  EXPECT_EQ(reader.FileName(), path);
  TCMap_SingleOTF info;
  EXPECT_EQ(reader.GetFaceCMap(u"Alpha", info), 1);
  EXPECT_EQ(info.FileName, path);
  try {
    TOpenTypeFontFile missing(dir.u16("missing.ttf"));
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), u"Failed on Create OTFF: CreateFile");
  }
}

TEST(ByteEndian, SwapsWholeUnitsOnly) {
  std::vector<std::uint8_t> b{1, 2, 3, 4, 5, 6, 7};
  SwapWords(1, b);
  EXPECT_THAT(b, ElementsAre(1, 2, 3, 4, 5, 6, 7));
  SwapWords(5, b);
  EXPECT_THAT(b, ElementsAre(2, 1, 4, 3, 5, 6, 7));
  SwapDWords(3, b);
  EXPECT_THAT(b, ElementsAre(2, 1, 4, 3, 5, 6, 7));
  SwapDWords(100, b);  // never beyond the buffer
  EXPECT_THAT(b, ElementsAre(3, 4, 1, 2, 5, 6, 7));
}

TEST(SortUniqueStrings, KeepsOneOfEachCaselessRun) {
  TDynamicStringArray one{u"b"};
  EXPECT_EQ(SortUniqueStrings(one, 1, CompareCaseless), 1);
  TDynamicStringArray items{u"b", u"A", u"a"};
  ASSERT_EQ(SortUniqueStrings(items, 3, CompareCaseless), 2);
  EXPECT_TRUE(items[0] == u"A" || items[0] == u"a");
  EXPECT_EQ(items[1], u"b");
  EXPECT_EQ(items.size(), 3u);
}

}  // namespace
}  // namespace bushou
