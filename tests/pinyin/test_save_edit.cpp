// Saving the pinyin table and editing single readings.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "chardata/uClasses_CC.h"
#include "pinyin/uHZ_PY.h"
#include "pinyin/uTableFile.h"
#include "platform/files.h"
#include "tests/pinyin/PinyinFileBuilder.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

using testing::MakeReading;
using testing::PinyinFileBuilder;

constexpr std::uint32_t kZhong = 0x4E2D;  // 中 zhong {1}
constexpr std::uint32_t kSeven = 0x4E00;  // 一 with seven readings
constexpr std::uint32_t kLe = 0x4E50;     // 乐 le {4}, yue {4}

PinyinFileBuilder Fixture() {
  PinyinFileBuilder b;
  b.Add(MakeReading(kLe, u"yue", ToneBit(4), 11, 54))
      .Add(MakeReading(kZhong, u"zhong", ToneBit(1), 10, 4875))
      .Add(MakeReading(kLe, u"le", ToneBit(4), 12, 283, rfEnabled | rfSimplified));
  for (const char16_t* plain : {u"yi", u"a", u"e", u"le", u"yue", u"zhong", u"ma"}) {
    b.Add(MakeReading(kSeven, plain, ToneBit(1)));
  }
  b.FillTo(kMinFileReadings).Syllables({u"a", u"e", u"le", u"ma", u"yi", u"yue", u"zhong"}).LastID(5000);
  return b;
}

struct Saved {
  testing::TempDir dir;
  std::u16string path;
};

// The fixture as a file of the loadable size, and a table loaded from it.
std::unique_ptr<THZPY> Loaded(Saved& saved, PinyinFileBuilder b = Fixture()) {
  saved.path = saved.dir.Write("hzpy.dat", b.PadTo(kMinPinyinFileSize).Build());
  auto table = testing::EmptyTable();
  EXPECT_TRUE(table->LoadFromFile(saved.path, false));
  return table;
}

TPinyinReading Entry(std::uint32_t code, std::u16string_view plain, TToneSet tones) {
  return MakeReading(code, plain, tones, 0, 7, 0);
}

std::vector<std::uint8_t> FileBytes(const std::u16string& path) {
  return platform::ReadWholeFile(path).bytes;
}

TEST(PinyinSave, NothingChangedWritesNothing) {
  Saved s;
  auto table = Loaded(s);
  const std::u16string elsewhere = s.dir.u16("other.dat");
  EXPECT_EQ(table->SaveToFile(elsewhere, false), 0);
  EXPECT_FALSE(platform::FileExists(elsewhere));
  const auto before = std::filesystem::last_write_time(s.dir.path() / "hzpy.dat");
  EXPECT_EQ(table->SaveToFile(u"", false), 0);
  EXPECT_EQ(std::filesystem::last_write_time(s.dir.path() / "hzpy.dat"), before);
}

TEST(PinyinEdit, AddTones) {
  Saved s;
  auto table = Loaded(s);
  std::uint8_t status = 99;
  const TPinyinReading add = Entry(kZhong, u"zhong", ToneBit(4));
  EXPECT_TRUE(table->AddEntry(&add, &status));
  EXPECT_EQ(status, esTones);
  EXPECT_EQ(table->GetPinyinText(kZhong, u';'), u"zhong1;zhong4");
  EXPECT_EQ(table->CountChanged(), 1);
  EXPECT_FALSE(table->AddEntry(&add, &status));
  EXPECT_EQ(status, esNoChange);
  EXPECT_EQ(table->CountChanged(), 1);
  EXPECT_EQ(table->GetPinyinText(kZhong, u';'), u"zhong1;zhong4");
}

TEST(PinyinEdit, AddNewReading) {
  Saved s;
  auto table = Loaded(s);
  const std::int32_t count = table->ReadingCount();
  std::uint8_t status = 99;
  const TPinyinReading add = Entry(kZhong, u"ma", ToneBit(2) | ToneBit(3));
  EXPECT_TRUE(table->AddEntry(&add, &status));
  EXPECT_EQ(status, esDone);
  EXPECT_EQ(table->ReadingCount(), count + 1);
  const TPinyinReading& added = table->Reading(count);
  EXPECT_EQ(added.ID, 5001);  // LastID + 1
  EXPECT_EQ(table->LastID(), 5001);
  EXPECT_EQ(added.Frequency, 7u);
  EXPECT_TRUE(THZPY::IsReadingEnabled(added));
  EXPECT_EQ(table->GetPinyinText(kZhong, u';'), u"zhong1;ma2;ma3");
  EXPECT_EQ(table->CharReadings(kZhong).Changed, 1 << 2);

  const TPinyinReading eighth = Entry(kSeven, u"zhong", ToneBit(4));
  EXPECT_TRUE(table->AddEntry(&eighth, &status));  // the same syllable: tones added
  EXPECT_EQ(status, esTones);
  const TPinyinReading known = Entry(kSeven, u"e", ToneBit(2));
  EXPECT_TRUE(table->AddEntry(&known, &status));  // a syllable it has: tones added
  EXPECT_EQ(status, esTones);
  const TPinyinReading full = Entry(kSeven, u"ding", ToneBit(1));
  EXPECT_FALSE(table->AddEntry(&full, &status));
  EXPECT_EQ(status, esNoRoom);
  const TPinyinReading invalid = Entry(0x41, u"a", ToneBit(1));
  EXPECT_FALSE(table->AddEntry(&invalid, &status));
  EXPECT_EQ(status, esRefused);
  EXPECT_FALSE(table->AddEntry(nullptr, &status));
  EXPECT_EQ(status, esRefused);
}

TEST(PinyinEdit, DeleteTonesThenReading) {
  Saved s;
  auto table = Loaded(s);
  const TPinyinReading add = Entry(kZhong, u"zhong", ToneBit(4));
  ASSERT_TRUE(table->AddEntry(&add));
  std::uint8_t status = 99;
  EXPECT_TRUE(table->DeleteEntry(&add, &status));
  EXPECT_EQ(status, esTones);
  EXPECT_EQ(table->GetPinyinText(kZhong, u';'), u"zhong1");
  const TPinyinReading one = Entry(kZhong, u"zhong", ToneBit(1));
  EXPECT_TRUE(table->DeleteEntry(&one, &status));
  EXPECT_EQ(status, esDone);
  std::vector<TPinyinReading> readings;
  EXPECT_EQ(table->GetReadings(kZhong, readings, false), 0);
  EXPECT_EQ(table->GetReadings(kZhong, readings, true), 1);  // kept, disabled
  EXPECT_EQ(SyllableTones(readings[0].Syllable), ToneBit(1));

  // The next save still writes the record, without rfEnabled.
  EXPECT_EQ(table->SaveToFile(u"", false), 1);
  auto again = testing::EmptyTable();
  ASSERT_TRUE(again->LoadFromFile(s.path, false));
  EXPECT_EQ(again->GetReadings(kZhong, readings, true), 1);
  EXPECT_FALSE(THZPY::IsReadingEnabled(readings[0]));

  // Adding it again brings it back.
  EXPECT_TRUE(again->AddEntry(&one, &status));
  EXPECT_EQ(status, esTones);
  EXPECT_EQ(again->GetReadings(kZhong, readings, false), 1);

  const TPinyinReading missing = Entry(kZhong, u"ma", ToneBit(1));
  EXPECT_FALSE(again->DeleteEntry(&missing, &status));
  EXPECT_EQ(status, esNoChange);
  const TPinyinReading invalid = Entry(0xD800, u"ma", ToneBit(1));
  EXPECT_FALSE(again->DeleteEntry(&invalid, &status));
  EXPECT_EQ(status, esNoRoom);
}

TEST(PinyinEdit, DecliningConfirmationChangesNothing) {
  Saved s;
  auto table = Loaded(s);
  const auto decline = [](const void*, std::uint8_t*) { return false; };
  std::uint8_t status = 99;
  const TPinyinReading tones = Entry(kZhong, u"zhong", ToneBit(4));
  EXPECT_FALSE(table->AddEntry(&tones, &status, decline));
  EXPECT_EQ(status, esRefused);
  const TPinyinReading fresh = Entry(kZhong, u"ma", ToneBit(4));
  EXPECT_FALSE(table->AddEntry(&fresh, &status, decline));
  EXPECT_EQ(status, esRefused);
  const TPinyinReading all = Entry(kZhong, u"zhong", ToneBit(1));
  EXPECT_TRUE(table->DeleteEntry(&all, &status, decline));  // found, but declined
  EXPECT_EQ(status, esRefused);
  EXPECT_EQ(table->CountChanged(), 0);
  EXPECT_EQ(table->GetPinyinText(kZhong, u';'), u"zhong1");

  // The confirmation of a removal sees the table's own record.
  const TPinyinReading* seen = nullptr;
  EXPECT_TRUE(table->DeleteEntry(&all, &status, [&seen](const void* entry, std::uint8_t* st) {
    seen = static_cast<const TPinyinReading*>(entry);
    return *st == esRefused;
  }));
  EXPECT_EQ(status, esDone);
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(seen, &table->SlotReading(kZhong, 1));
}

TEST(PinyinEdit, FindEntry) {
  Saved s;
  auto table = Loaded(s);
  std::uint8_t status = 99;
  const TPinyinReading& own = table->SlotReading(kLe, 2);
  EXPECT_TRUE(table->FindEntry(&own, &status));
  EXPECT_EQ(status, 0);
  const TPinyinReading copy = own;  // equal, but not the table's record
  EXPECT_TRUE(table->FindEntry(&copy, &status));
  EXPECT_EQ(status, 2);
  table->SetReadingEnabled(&own, false);
  EXPECT_TRUE(table->FindEntry(&own, &status));
  EXPECT_EQ(status, 1);
  const TPinyinReading invalid = Entry(0x30000, u"le", ToneBit(1));
  EXPECT_FALSE(table->FindEntry(&invalid, &status));
  EXPECT_EQ(status, 3);
  EXPECT_FALSE(table->FindEntry(nullptr, &status));
}

TEST(PinyinSave, RoundTripGivesBackEveryReading) {
  Saved s;
  auto table = Loaded(s);
  const TPinyinReading add = Entry(kZhong, u"ma", ToneBit(2));
  ASSERT_TRUE(table->AddEntry(&add));
  const TPinyinReading tone = Entry(kLe, u"le", ToneBit(5));
  ASSERT_TRUE(table->AddEntry(&tone));
  std::vector<TPinyinReading> before(static_cast<std::size_t>(table->ReadingCount()));
  for (std::int32_t i = 0; i < table->ReadingCount(); ++i) before[static_cast<std::size_t>(i)] = table->Reading(i);

  const std::u16string path = s.dir.u16("saved.dat");
  EXPECT_EQ(table->SaveToFile(path, false), 2);
  EXPECT_EQ(table->FileName(), path);
  EXPECT_EQ(table->CountChanged(), 0);
  EXPECT_EQ(table->SaveToFile(u"", false), 0);

  auto again = testing::EmptyTable();
  ASSERT_TRUE(again->LoadFromFile(path, false));
  std::vector<TPinyinReading> after(static_cast<std::size_t>(again->ReadingCount()));
  for (std::int32_t i = 0; i < again->ReadingCount(); ++i) after[static_cast<std::size_t>(i)] = again->Reading(i);
  const auto order = [](const TPinyinReading& a, const TPinyinReading& b) {
    return std::tie(a.Code, a.Syllable, a.ID) < std::tie(b.Code, b.Syllable, b.ID);
  };
  std::sort(before.begin(), before.end(), order);
  std::sort(after.begin(), after.end(), order);
  EXPECT_EQ(after, before);
  EXPECT_EQ(again->LastID(), table->LastID());
  // A character's readings come back in the file's order: by syllable.
  EXPECT_EQ(again->GetPinyinText(kLe, u';'), u"le4;le5;yue4");
  // The syllable table carries the union of the readings' tones.
  EXPECT_EQ(again->Syllable(2).Plain, u"le");
  EXPECT_EQ(again->Syllable(2).Tones, static_cast<std::uint32_t>(ToneBit(1) | ToneBit(4) | ToneBit(5)));
  EXPECT_EQ(again->Syllable(2).Toned[4], u"l\u00E8");
}

TEST(PinyinSave, ReadingsAreWrittenBySyllableThenCodePoint) {
  Saved s;
  auto table = Loaded(s);
  const TPinyinReading add = Entry(kZhong, u"e", ToneBit(2));
  ASSERT_TRUE(table->AddEntry(&add));
  const std::vector<std::uint8_t> image = table->BuildFileImage(false);
  TPinyinFile file;
  ASSERT_EQ(ParsePinyinFile(image, false, file), TPinyinParseResult::Ok);
  for (std::size_t i = 1; i < file.Readings.size(); ++i) {
    EXPECT_LE(CompareReadingOrder(file.Readings[i - 1], file.Readings[i]), 0) << i;
  }
  // a (no initial, final 1) first: 一's, then the filler's by code point;
  // then e, 一's before 中's.
  EXPECT_EQ(file.Readings[0].Code, kSeven);
  EXPECT_EQ(file.Readings[1].Code, 0x20000u);
  const std::size_t e = 1 + static_cast<std::size_t>(kMinFileReadings - 10);  // after every a
  EXPECT_EQ(SyllableFinal(file.Readings[e].Syllable), 6u);
  EXPECT_EQ(file.Readings[e].Code, kSeven);
  EXPECT_EQ(file.Readings[e + 1].Code, kZhong);
  const TPinyinReading& r = table->Reading(0);
  EXPECT_EQ(CompareReadingOrder(r, r), 0);
  TPinyinReading bad = r;
  bad.Syllable = MakeSyllableCode(31, 1, 0);  // does not decode: key 0
  EXPECT_LT(CompareReadingOrder(bad, MakeReading(0x80, u"a", 1)), 0);
}

TEST(PinyinSave, HeaderStamps) {
  SetTodayOverride(TDate{2031, 7, 4});  // a Friday
  Saved s;
  auto table = Loaded(s);
  const TPinyinReading ma = Entry(kZhong, u"ma", ToneBit(1));
  ASSERT_TRUE(table->AddEntry(&ma));
  TFileHeader header;
  const std::vector<std::uint8_t> image = table->BuildFileImage(false, &header);
  EXPECT_EQ(header.Magic, kPinyinMagic);
  EXPECT_EQ(header.Created, 2009101006u);  // as loaded
  EXPECT_EQ(header.Saved, 2031070405u);
  EXPECT_EQ(platform::LoadU32LE(image.data() + 12), TableChecksum(std::span(image).subspan(16)));

  // Never loaded: the current magic and today as Created.
  auto fresh = testing::EmptyTable();
  ASSERT_TRUE(fresh->SetSyllables({testing::MakeSyllable(u"ma")}));
  ASSERT_TRUE(fresh->AddEntry(&ma));
  const std::u16string path = s.dir.u16("fresh.dat");
  EXPECT_EQ(fresh->SaveToFile(path, false), 1);
  const std::vector<std::uint8_t> bytes = FileBytes(path);
  EXPECT_EQ(bytes.size(), kMinPinyinFileSize);  // padded up to the loadable size
  EXPECT_EQ(platform::LoadU32LE(bytes.data()), kPinyinMagic);
  EXPECT_EQ(platform::LoadU32LE(bytes.data() + 4), 2031070405u);
  EXPECT_EQ(fresh->Header().Created, 2031070405u);

  // Loaded from an old file: saved as a current one, created today.
  Saved old;
  PinyinFileBuilder b = Fixture();
  auto oldTable = Loaded(old, b.OldFormat());
  ASSERT_TRUE(oldTable->OldFormat());
  ASSERT_TRUE(oldTable->AddEntry(&ma));
  EXPECT_EQ(oldTable->SaveToFile(u"", false), 1);
  auto reloaded = testing::EmptyTable();
  ASSERT_TRUE(reloaded->LoadFromFile(old.path, false));
  EXPECT_FALSE(reloaded->OldFormat());
  EXPECT_EQ(reloaded->Header().Created, 2031070405u);
  EXPECT_EQ(reloaded->GetPinyinText(kZhong, u';'), u"ma1;zhong1");
  SetTodayOverride(std::nullopt);
}

TEST(PinyinSave, SavedFileCarriesTheDefaultEnabledSet) {
  ResetCharClasses();
  Saved s;
  auto table = Loaded(s);
  const TPinyinReading ma = Entry(kZhong, u"ma", ToneBit(1));
  ASSERT_TRUE(table->AddEntry(&ma));
  ASSERT_EQ(table->SaveToFile(u"", false), 1);
  ResetCharClasses();
  auto again = testing::EmptyTable();
  ASSERT_TRUE(again->LoadFromFile(s.path, false));
  EXPECT_TRUE(HasCharClass(ccEnabled, 0x4E00));
  EXPECT_FALSE(HasCharClass(ccEnabled, 14));  // the fixture's own bit is gone
}

TEST(PinyinSave, Scrambled) {
  Saved s;
  auto table = Loaded(s);
  const TPinyinReading ma = Entry(kZhong, u"ma", ToneBit(1));
  ASSERT_TRUE(table->AddEntry(&ma));
  const std::u16string path = s.dir.u16("scrambled.dat");
  EXPECT_EQ(table->SaveToFile(path, true), 1);
  EXPECT_FALSE(table->Scrambled());  // the remembered flag is not changed
  auto again = testing::EmptyTable();
  EXPECT_FALSE(again->LoadFromFile(path, false));
  ASSERT_TRUE(again->LoadFromFile(path, true));
  EXPECT_EQ(again->GetPinyinText(kZhong, u';'), u"ma1;zhong1");
  EXPECT_EQ(again->Syllable(3).Plain, u"ma");
}

TEST(PinyinSave, FailureKeepsTheMarks) {
  Saved s;
  auto table = Loaded(s);
  const TPinyinReading ma = Entry(kZhong, u"ma", ToneBit(1));
  ASSERT_TRUE(table->AddEntry(&ma));
  const std::vector<std::uint8_t> original = FileBytes(s.path);
  EXPECT_EQ(table->SaveToFile(s.dir.u16("no/such/folder/hzpy.dat"), false), -1);
  EXPECT_EQ(table->CountChanged(), 1);
  EXPECT_EQ(table->FileName(), s.path);
  EXPECT_EQ(FileBytes(s.path), original);
  EXPECT_EQ(table->SaveToFile(u"", false), 1);  // the same change, written later
  EXPECT_NE(FileBytes(s.path), original);
}

TEST(PinyinSave, FullTables) {
  // 65,535 readings: no new reading fits, and the file would be too large.
  PinyinFileBuilder b;
  b.Add(MakeReading(kZhong, u"zhong", ToneBit(1))).FillTo(kMaxFileReadings - 1).Syllables({u"a", u"zhong"});
  auto table = testing::TableFromImage(b.Build());
  std::uint8_t status = 99;
  const TPinyinReading fresh = Entry(kZhong, u"a", ToneBit(1));
  EXPECT_FALSE(table->AddEntry(&fresh, &status));
  EXPECT_EQ(status, esNoRoom);
  EXPECT_FALSE(table->AppendReading(fresh));
  const TPinyinReading tones = Entry(kZhong, u"zhong", ToneBit(2));
  EXPECT_TRUE(table->AddEntry(&tones, &status));
  testing::TempDir dir;
  EXPECT_EQ(table->SaveToFile(dir.u16("big.dat"), false), -1);
  EXPECT_FALSE(platform::FileExists(dir.u16("big.dat")));

  // IDs used up.
  auto ids = testing::TableFromImage(Fixture().LastID(0xFFFF).Build());
  EXPECT_FALSE(ids->AddEntry(&fresh, &status));
  EXPECT_EQ(status, esNoRoom);
}

TEST(PinyinSave, SyllableTonesOfUnknownPlainsStay) {
  auto table = testing::TableFromImage(Fixture().Build());
  std::vector<TSyllableInfo> syllables;
  for (std::int32_t i = 0; i < table->SyllableCount(); ++i) syllables.push_back(table->Syllable(i));
  syllables.push_back(testing::MakeSyllable(u"zzz", ToneBit(3)));  // not in the inventory
  syllables.back().Toned = {};
  ASSERT_TRUE(table->SetSyllables(syllables));
  const std::vector<std::uint8_t> image = table->BuildFileImage(false);
  TPinyinFile file;
  ASSERT_EQ(ParsePinyinFile(image, false, file), TPinyinParseResult::Ok);
  EXPECT_EQ(file.Syllables.back().Plain, u"zzz");
  EXPECT_EQ(file.Syllables.back().Tones, ToneBit(3));
  EXPECT_EQ(file.Syllables[0].Tones, ToneBit(1));  // a: the filler and 一

  std::vector<TSyllableInfo> apart = syllables;
  apart.push_back(testing::MakeSyllable(u"a"));
  EXPECT_FALSE(table->SetSyllables(apart));
  EXPECT_EQ(table->SyllableCount(), static_cast<std::int32_t>(syllables.size()));
}

}  // namespace
}  // namespace bushou
