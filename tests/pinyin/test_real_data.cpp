// End-to-end checks over the generated hzpy.dat and the built-in rule text.
#include <gtest/gtest.h>

#include <memory>

#include "pinyin/uHZ_PY.h"
#include "pinyin/uTableFile.h"
#include "platform/files.h"
#include "platform/text.h"

namespace bushou {
namespace {

std::u16string RealTable() {
  return platform::FromUtf8(std::string(BUSHOU_DATA_ROOT) + "/velmora6/zi/hzpy.dat");
}

// Loads the generated file with the table's own Load; rules from the built-in
// text (no SyExEx.txt lies beside the test program).
std::unique_ptr<THZPY> LoadReal() {
  auto table = std::make_unique<THZPY>(RealTable(), false);
  EXPECT_GT(table->ReadingCount(), 0) << "hzpy.dat did not load";
  return table;
}

TEST(RealData, LoadsWithValidChecksumAndHeader) {
  const platform::ReadResult read = platform::ReadWholeFile(RealTable());
  ASSERT_TRUE(read.ok);
  EXPECT_GE(read.bytes.size(), kMinPinyinFileSize);
  EXPECT_LE(read.bytes.size(), kMaxPinyinFileSize);
  TPinyinFile file;
  ASSERT_EQ(ParsePinyinFile(read.bytes, false, file), TPinyinParseResult::Ok);
  EXPECT_FALSE(file.OldFormat);
  EXPECT_EQ(file.Header.Magic, kPinyinMagic);
  EXPECT_EQ(TableChecksum(std::span<const std::uint8_t>(read.bytes).subspan(16)), file.Header.Checksum);

  auto table = LoadReal();
  EXPECT_EQ(table->ReadingCount(), static_cast<std::int32_t>(file.Readings.size()));
  EXPECT_GT(table->CharCount(), 40000);
}

TEST(RealData, KnownReadings) {
  auto table = LoadReal();
  const std::u16string zhong = table->GetPinyinText(0x4E2D, u';');
  EXPECT_TRUE(zhong == u"zhong1;zhong4" || zhong == u"zhong4;zhong1") << platform::ToUtf8(zhong);
  const std::u16string le = table->GetPinyinText(0x4E50, u';');  // 乐
  EXPECT_NE(le.find(u"le4"), std::u16string::npos);
  EXPECT_NE(le.find(u"yue4"), std::u16string::npos);
  const std::u16string xing = table->GetPinyinText(0x884C, u';');  // 行
  EXPECT_NE(xing.find(u"hang2"), std::u16string::npos);
  EXPECT_NE(xing.find(u"xing2"), std::u16string::npos);
  // The ideographic zero, which Unihan no longer lists.
  EXPECT_EQ(table->GetPinyinText(0x3007, u';'), u"ling2");
}

TEST(RealData, BuiltInRulesIndexSeveralHundredCharacters) {
  auto table = LoadReal();
  EXPECT_GE(table->Rules().size(), 301u);  // record 0 is never used
  const TCharReadings& le = table->CharReadings(0x4E50);
  ASSERT_NE(le.RuleIndex, 0);
  const TPolyphoneRule& rule = table->Rules()[le.RuleIndex];
  int yue = 0;
  for (int slot = 1; slot <= le.Count; ++slot) {
    if (table->Entry(le.Slots[static_cast<std::size_t>(slot)]).Text == u"yue") yue = slot;
  }
  ASSERT_NE(yue, 0);
  ASSERT_TRUE(rule.Contexts[static_cast<std::size_t>(yue)].has_value());
  const auto& words = *rule.Contexts[static_cast<std::size_t>(yue)];
  EXPECT_NE(std::find(words.begin(), words.end(), TContextWord{u"乐器", 0}), words.end());
}

}  // namespace
}  // namespace bushou
