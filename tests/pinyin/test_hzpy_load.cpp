// Loading pinyin table files: the header, both versions, the checksum,
// scrambled blocks, the bitmap, and files outside the table's model.
#include <gtest/gtest.h>

#include "chardata/uClasses_CC.h"
#include "chardata/uCommonFuns.h"
#include "pinyin/uHZ_PY.h"
#include "tests/pinyin/PinyinFileBuilder.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

using testing::MakeReading;
using testing::PinyinFileBuilder;
using testing::TableFromImage;

// A small valid file: 中 zhong {1,4} and chong {2}, 乐 le {4} and yue {4},
// filler up to the minimum of 3,072 readings.
PinyinFileBuilder SmallFile() {
  PinyinFileBuilder b;
  b.Add(MakeReading(0x4E2D, u"zhong", ToneBit(1) | ToneBit(4), 1, 500))
      .Add(MakeReading(0x4E2D, u"chong", ToneBit(2), 2, 5))
      .Add(MakeReading(0x4E50, u"le", ToneBit(4), 3))
      .Add(MakeReading(0x4E50, u"yue", ToneBit(4), 4))
      .FillTo(kMinFileReadings)
      .Syllables({u"a", u"chong", u"le", u"yue", u"zhong"})
      .LastID(9000);
  return b;
}

TPinyinParseResult Parse(const std::vector<std::uint8_t>& image, bool scrambled = false) {
  TPinyinFile file;
  return ParsePinyinFile(image, scrambled, file);
}

TEST(CheckHeader, Answers) {
  struct Case {
    std::uint32_t magic, created;
    int answer;
  };
  const Case cases[] = {
      {kPinyinMagic, 2009101006, 0},   // 2009-10-10, a Saturday: current
      {kPinyinMagic, 2009100905, 1},   // 2009-10-09, a Friday: old
      {kPinyinMagic, 2009101005, -3},  // wrong weekday
      {kPinyinMagic, 2009131006, -2},  // month 13
      {kPinyinMagic, 2011022901, -2},  // no 29 February in 2011
      {kPinyinMagic, 2012022903, 0},   // 2012-02-29, a Wednesday
      {kPinyinMagic, 2008022905, 1},   // 2008-02-29, a Friday
      {kPinyinMagic, 2024010100, -3},  // weekday 0
      {0x1A6C6557, 2009101006, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckHeader(c.magic, c.created), c.answer) << c.created;
}

TEST(PinyinLoad, CurrentFormatReadsEveryField) {
  ResetCharClasses();
  const auto table = TableFromImage(SmallFile().Build());
  EXPECT_FALSE(table->OldFormat());
  EXPECT_EQ(table->Header().Magic, kPinyinMagic);
  EXPECT_EQ(table->Header().Created, 2009101006u);
  EXPECT_EQ(table->ReadingCount(), kMinFileReadings);
  EXPECT_EQ(table->CharCount(), kMinFileReadings - 2);
  EXPECT_EQ(table->SyllableCount(), 5);
  EXPECT_EQ(table->LastID(), 9000);
  EXPECT_EQ(table->Reading(0), MakeReading(0x4E2D, u"zhong", ToneBit(1) | ToneBit(4), 1, 500));
  EXPECT_EQ(table->Syllable(4), testing::MakeSyllable(u"zhong"));
  EXPECT_EQ(table->GetPinyinText(0x4E2D, u';'), u"zhong1;zhong4;chong2");
  EXPECT_TRUE(HasCharClass(ccEnabled, 14));  // the default fixture bitmap: 00 40
  EXPECT_FALSE(HasCharClass(ccEnabled, 13));
}

TEST(PinyinLoad, ReadingCountBounds) {
  EXPECT_EQ(Parse(PinyinFileBuilder().FillTo(kMinFileReadings - 1).Syllables({u"a"}).Build()),
            TPinyinParseResult::BadReadingCount);
  EXPECT_EQ(Parse(PinyinFileBuilder().FillTo(kMaxFileReadings).Syllables({u"a"}).Build()),
            TPinyinParseResult::Ok);
  // 65,537 cannot be made with the builder's filler alone; a count field
  // beyond the limit is refused before anything is read.
  std::vector<std::uint8_t> image = SmallFile().Build();
  image[16] = 0x01;
  image[17] = 0x00;
  image[18] = 0x01;  // N = 0x10001
  image[19] = 0x00;
  EXPECT_EQ(Parse(image), TPinyinParseResult::BadReadingCount);
}

TEST(PinyinLoad, HeaderFailures) {
  EXPECT_EQ(Parse(SmallFile().Magic(0x12345678).Build()), TPinyinParseResult::BadMagic);
  EXPECT_EQ(Parse(SmallFile().Created(2009131006).Build()), TPinyinParseResult::BadDate);
  EXPECT_EQ(Parse(SmallFile().Created(2009101005).Build()), TPinyinParseResult::BadWeekday);
  EXPECT_EQ(Parse(SmallFile().Checksum(0).Build()), TPinyinParseResult::BadChecksum);
}

TEST(PinyinLoad, OneChangedByteBreaksTheChecksum) {
  const std::vector<std::uint8_t> image = SmallFile().PadTo(60000).Build();
  ASSERT_EQ(Parse(image), TPinyinParseResult::Ok);
  const std::size_t syllables = 24 + 16 * kMinFileReadings;
  for (const std::size_t at : {std::size_t{16}, std::size_t{21}, std::size_t{20 + 16 * 100 + 9},
                               syllables + 3, image.size() - 20, image.size() - 1}) {
    std::vector<std::uint8_t> changed = image;
    changed[at] ^= 0x01;
    const TPinyinParseResult result = Parse(changed);
    EXPECT_NE(result, TPinyinParseResult::Ok) << at;
  }
  // Bytes 8..15 are outside the sum: the Saved stamp may change freely.
  std::vector<std::uint8_t> saved = image;
  saved[8] ^= 0xFF;
  EXPECT_EQ(Parse(saved), TPinyinParseResult::Ok);
}

TEST(PinyinLoad, OldFormat) {
  ResetCharClasses();
  // Packed word with bits 0, 4 and 31: frequency 0, rfSimplified, rfEnabled, rfGroup.
  const TOldPinyinReading a = TOldPinyinReading::Decode(
      platform::ByteWriter().U16LE(0x0800).U16LE(0).U32LE(0x4E00).U32LE(0x80000011).U32LE(0).U16LE(7)
          .bytes().data());
  const TPinyinReading ra = ConvertOldReading(a);
  EXPECT_EQ(ra.Frequency, 0u);
  EXPECT_EQ(ra.Flags, static_cast<std::uint32_t>(rfSimplified | rfEnabled | rfGroup));
  EXPECT_EQ(ra.ID, 7);
  EXPECT_EQ(ra.Code, 0x4E00u);
  // Bits 3 and 5: frequency 1 and no flags; bits 28-30 are dropped too.
  EXPECT_EQ(ConvertOldReading({0, 0x4E00, 0x70000028, 0}).Frequency, 1u);
  EXPECT_EQ(ConvertOldReading({0, 0x4E00, 0x70000028, 0}).Flags, 0u);

  auto table = testing::EmptyTable();
  const TFileHeader before = table->Header();
  ASSERT_EQ(table->LoadFromImage(SmallFile().OldFormat().Build(), false), TPinyinParseResult::Ok);
  EXPECT_TRUE(table->OldFormat());
  EXPECT_EQ(table->Header().Magic, before.Magic);  // only current headers are kept
  EXPECT_EQ(table->GetPinyinText(0x4E2D, u';'), u"zhong1;zhong4;chong2");
  EXPECT_EQ(table->Reading(0).Frequency, 500u);
  EXPECT_EQ(table->Reading(0).Flags, static_cast<std::uint32_t>(rfEnabled));
}

TEST(PinyinLoad, ScrambledBlocks) {
  for (const bool old : {false, true}) {
    PinyinFileBuilder b = SmallFile();
    if (old) b.OldFormat();
    const std::vector<std::uint8_t> image = b.Scrambled().Build();
    const auto table = TableFromImage(image, true);
    EXPECT_EQ(table->GetPinyinText(0x4E50, u';'), u"le4;yue4") << old;
    EXPECT_EQ(table->Syllable(2).Plain, u"le");
    EXPECT_NE(Parse(image, false), TPinyinParseResult::Ok) << old;
  }
}

TEST(PinyinLoad, LastIdZeroTakesTheLargestId) {
  const auto table = TableFromImage(SmallFile().LastID(0).Build());
  EXPECT_EQ(table->LastID(), kMinFileReadings);  // the filler's IDs run up to N
}

TEST(PinyinLoad, MissingBitmapEnablesEverything) {
  ResetCharClasses();
  const auto table = TableFromImage(SmallFile().NoBitmap().Build());
  EXPECT_TRUE(HasCharClass(ccEnabled, 0));
  EXPECT_TRUE(HasCharClass(ccEnabled, 0x2FFF7));
  EXPECT_FALSE(HasCharClass(ccEnabled, 0x2FFF8));
  // Up to three stray bytes still count as no bitmap.
  std::vector<std::uint8_t> image = SmallFile().NoBitmap().Build();
  image.insert(image.end(), {0xFF, 0xFF, 0xFF});
  TPinyinFile file;
  EXPECT_NE(ParsePinyinFile(image, false, file), TPinyinParseResult::Ok);  // checksum covers them
}

TEST(PinyinLoad, BitmapLength) {
  std::vector<std::uint8_t> full(kMaxBitmapLength, 0);
  full.back() = 0x80;
  EXPECT_EQ(Parse(SmallFile().Bitmap(full).Build()), TPinyinParseResult::Ok);
  full.push_back(0);  // L = 24,576
  EXPECT_EQ(Parse(SmallFile().Bitmap(full).Build()), TPinyinParseResult::BadBitmapLength);
  EXPECT_EQ(Parse(SmallFile().ShortBitmap(100, 99).Build()), TPinyinParseResult::Truncated);
  EXPECT_EQ(Parse(SmallFile().Bitmap({}).Build()), TPinyinParseResult::Ok);
}

TEST(PinyinLoad, FilesOutsideTheModelAreRefused) {
  PinyinFileBuilder eight = SmallFile();
  for (const char16_t* plain : {u"a", u"chong", u"le", u"yue", u"zhong", u"a", u"le", u"yue"}) {
    eight.Add(MakeReading(0x4E01, plain, ToneBit(1)));
  }
  EXPECT_EQ(Parse(eight.Build()), TPinyinParseResult::TooManyReadings);

  EXPECT_EQ(Parse(SmallFile().Add(MakeReading(0x30000, u"a", 1)).Build()),
            TPinyinParseResult::CodeOutOfRange);

  PinyinFileBuilder many = SmallFile();
  for (int i = 0; i < 513 - 5; ++i) many.Syllables({u"zhong"});
  EXPECT_EQ(Parse(many.Build()), TPinyinParseResult::TooManySyllables);

  TSyllableInfo empty = testing::MakeSyllable(u"zhong");
  empty.Plain.clear();
  EXPECT_EQ(Parse(SmallFile().Syllable(empty).Build()), TPinyinParseResult::BadSyllable);
  TSyllableInfo upper = testing::MakeSyllable(u"zhong");
  upper.Plain = u"Zhong";
  EXPECT_EQ(Parse(SmallFile().Syllable(upper).Build()), TPinyinParseResult::BadSyllable);
  // Letters apart: a, c, l, y, z, then a again.
  EXPECT_EQ(Parse(SmallFile().Syllables({u"ai"}).Build()), TPinyinParseResult::BadSyllable);

  // A length byte larger than its field.
  std::vector<std::uint8_t> image = SmallFile().Build();
  const std::size_t plainLength = 24 + 16 * kMinFileReadings + 1;
  image[plainLength] = 7;
  TPinyinFile file;
  EXPECT_EQ(ParsePinyinFile(image, false, file), TPinyinParseResult::BadSyllable);
}

TEST(PinyinLoad, FailedLoadLeavesTheTableAsItWas) {
  testing::TempDir dir;
  const std::u16string good = dir.Write("good.dat", SmallFile().PadTo(kMinPinyinFileSize).Build());
  const std::u16string bad = dir.Write(
      "bad.dat", SmallFile().Checksum(1).Add(MakeReading(0x4E2D, u"a", 1)).PadTo(kMinPinyinFileSize).Build());
  auto table = testing::EmptyTable();
  ASSERT_TRUE(table->LoadFromFile(good, false));
  EXPECT_FALSE(table->LoadFromFile(bad, false));
  EXPECT_EQ(table->FileName(), good);
  EXPECT_EQ(table->ReadingCount(), kMinFileReadings);
  EXPECT_EQ(table->GetPinyinText(0x4E2D, u';'), u"zhong1;zhong4;chong2");
}

TEST(PinyinLoad, FileSizeWindow) {
  testing::TempDir dir;
  struct Case {
    std::size_t size;
    bool ok;
  };
  for (const Case c : {Case{kMinPinyinFileSize - 1, false}, Case{kMinPinyinFileSize, true},
                       Case{kMaxPinyinFileSize, true}, Case{kMaxPinyinFileSize + 1, false}}) {
    const std::u16string path = dir.Write("hzpy.dat", SmallFile().PadTo(c.size).Build());
    auto table = testing::EmptyTable();
    EXPECT_EQ(table->LoadFromFile(path, false), c.ok) << c.size;
    EXPECT_EQ(table->FileName(), c.ok ? path : u"") << c.size;
    EXPECT_FALSE(table->Scrambled());
  }
}

TEST(PinyinLoad, LoadResolvesTheDataFolders) {
  testing::TempDir dir;
  testing::ScopedDataRoots roots(dir.path().string());
  const std::vector<std::uint8_t> image = SmallFile().PadTo(kMinPinyinFileSize).Build();
  // Only in the all-users root: loaded from there by the constructor.
  dir.Write("common/velmora6/zi/hzpy.dat", image);
  auto table = std::make_unique<THZPY>(u"", false);
  EXPECT_EQ(table->ReadingCount(), kMinFileReadings);
  EXPECT_EQ(table->FileName(), GetDataFilePath(DataFileName(kPinyinFile), true));
  // An empty name reloads the remembered file, with its flag.
  EXPECT_TRUE(table->Load(u"", true));
  EXPECT_FALSE(table->Scrambled());

  testing::TempDir empty;
  testing::ScopedDataRoots none(empty.path().string());
  auto missing = std::make_unique<THZPY>(u"", false);
  EXPECT_EQ(missing->ReadingCount(), 0);
  EXPECT_EQ(missing->GetPinyinText(0x4E2D, u';'), u"");
  EXPECT_EQ(missing->FileName(), u"");
}

// Every prefix of a file parses without a fault, and only the whole file is
// accepted.
TEST(PinyinLoad, TruncationSweep) {
  for (const bool old : {false, true}) {
    PinyinFileBuilder b = SmallFile();
    if (old) b.OldFormat();
    const std::vector<std::uint8_t> image = b.Build();
    const std::size_t syllablesEnd =
        image.size() - 4 - 2;  // L and the two bitmap bytes of the fixture
    for (std::size_t n = 0; n <= image.size(); ++n) {
      TPinyinFile file;
      const TPinyinParseResult result =
          ParsePinyinFile(std::span(image).first(n), false, file);
      // The old version has no checksum: ending after the syllable records
      // (fewer than 4 bytes left) is a file without bitmap.
      const bool expectOk = n == image.size() || (old && n >= syllablesEnd && n < syllablesEnd + 4);
      EXPECT_EQ(result == TPinyinParseResult::Ok, expectOk) << "old " << old << " prefix " << n;
    }
  }
}

}  // namespace
}  // namespace bushou
