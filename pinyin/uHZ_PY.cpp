// THZPY: construction, loading, the indexes and the lookups.
#include "pinyin/uHZ_PY.h"

#include <algorithm>

#include "chardata/uCommonFuns.h"
#include "pinyin/uCodePoints.h"
#include "pinyin/uTableFile.h"
#include "platform/files.h"

namespace bushou {
namespace {

// The letters a written syllable can begin with; none is spelled with a
// leading i, u or v.
bool CanBeginSyllable(char16_t c) {
  return c >= u'a' && c <= u'z' && c != u'i' && c != u'u' && c != u'v';
}

}  // namespace

THZPY::THZPY() : TObject_CC(std::u16string(), false) {
  FReadings.resize(kMaxFileReadings);
  FEntries.resize(kMaxFileReadings);
  FSyllables.resize(kMaxSyllables);
  FCharReadings.resize(kMaxReadingCode + 1);
}

THZPY::THZPY(const std::u16string& fileName, bool scrambled) : THZPY() {
  FFileName = fileName;
  FScrambled = scrambled;
  Load(fileName, scrambled);
}

THZPY::~THZPY() { ClearRules(); }

bool THZPY::Load(const std::u16string& fileName, bool scrambled) {
  std::u16string name = fileName;
  bool flag = scrambled;
  ResolveLoadName(name, flag, DataFileName(kPinyinFile));
  if (!LoadFromFile(name, flag)) return false;
  BuildRules();
  return true;
}

bool THZPY::LoadFromFile(const std::u16string& fileName, bool scrambled) {
  if (!FileSizeInRange(fileName, kMinPinyinFileSize, kMaxPinyinFileSize)) return false;
  const platform::ReadResult read = platform::ReadWholeFile(fileName, kMaxPinyinFileSize);
  // The size is checked again: the file may have changed since it was found.
  if (!read.ok || read.bytes.size() < kMinPinyinFileSize) return false;
  if (LoadFromImage(read.bytes, scrambled) != TPinyinParseResult::Ok) return false;
  FFileName = fileName;
  FScrambled = scrambled;
  return true;
}

TPinyinParseResult THZPY::LoadFromImage(platform::Bytes image, bool scrambled) {
  TPinyinFile file;
  const TPinyinParseResult result = ParsePinyinFile(image, scrambled, file);
  if (result == TPinyinParseResult::Ok) Commit(file);
  return result;
}

// Takes a parsed file over whole, so a failed load never leaves a half-replaced
// table behind.
void THZPY::Commit(TPinyinFile& file) {
  FOldFormat = file.OldFormat;
  if (!FOldFormat) FHeader = file.Header;
  FReadingCount = static_cast<std::int32_t>(file.Readings.size());
  std::copy(file.Readings.begin(), file.Readings.end(), FReadings.begin());
  FSyllableCount = static_cast<std::uint16_t>(file.Syllables.size());
  std::move(file.Syllables.begin(), file.Syllables.end(), FSyllables.begin());
  FLastID = file.LastID;
  ClearRules();
  BuildCharIndex();
  BuildLetterIndex();
  LoadCharClassBits(ccEnabled, file.Bitmap);
}

void THZPY::BuildCharIndex() {
  std::fill(FCharReadings.begin(), FCharReadings.end(), TCharReadings{});
  FCharCount = 0;
  for (std::int32_t i = 0; i < FReadingCount; ++i) {
    const std::uint32_t code = FReadings[static_cast<std::size_t>(i)].Code;
    // Loading and editing keep both limits; the guard keeps the index whole
    // whatever happens.
    if (code > kMaxReadingCode) continue;
    TCharReadings& r = FCharReadings[code];
    if (r.Count >= kMaxCharReadings) continue;
    if (r.Count == 0) ++FCharCount;
    ++r.Count;
    r.Slots[r.Count] = static_cast<std::uint16_t>(i);
  }
  for (std::int32_t i = 0; i < FReadingCount; ++i) {
    TReadingEntry& e = FEntries[static_cast<std::size_t>(i)];
    e.Reading = i;
    e.Text.clear();
    SyllableText(FReadings[static_cast<std::size_t>(i)].Syllable, &e.Text, nullptr);
  }
}

void THZPY::BuildLetterIndex() {
  FLetters.fill(TLetterRange{});
  for (std::uint16_t j = 0; j < FSyllableCount; ++j) {
    const std::u16string& plain = FSyllables[j].Plain;
    if (plain.empty() || plain[0] < u'a' || plain[0] > u'z') continue;
    TLetterRange& range = FLetters[static_cast<std::size_t>(plain[0] - u'a')];
    if (range.Count == 0) {
      range.First = &FSyllables[j];
      range.FirstIndex = j;
    }
    ++range.Count;
  }
}

bool THZPY::SetSyllables(const std::vector<TSyllableInfo>& syllables) {
  if (syllables.size() > kMaxSyllables || !SyllablesFitModel(syllables)) return false;
  std::copy(syllables.begin(), syllables.end(), FSyllables.begin());
  FSyllableCount = static_cast<std::uint16_t>(syllables.size());
  BuildLetterIndex();
  return true;
}

const TPinyinReading& THZPY::SlotReading(std::uint32_t code, int slot) const {
  const std::uint16_t entry = FCharReadings[code].Slots[static_cast<std::size_t>(slot)];
  return FReadings[static_cast<std::size_t>(FEntries[entry].Reading)];
}

std::int32_t THZPY::GetReadings(std::uint32_t code, std::vector<TPinyinReading>& readings,
                                bool includeAll) const {
  readings.clear();
  if (code > kMaxReadingCode) return 0;
  const TCharReadings& r = FCharReadings[code];
  for (int slot = 1; slot <= r.Count; ++slot) {
    const TPinyinReading& reading = SlotReading(code, slot);
    if (includeAll || IsReadingEnabled(reading)) readings.push_back(reading);
  }
  return static_cast<std::int32_t>(readings.size());
}

std::u16string THZPY::GetPinyinText(std::uint32_t code, char16_t separator) const {
  std::u16string text;
  std::vector<TPinyinReading> readings;
  GetReadings(code, readings, true);
  for (const TPinyinReading& reading : readings) {
    std::u16string plain;
    TToneSet tones = 0;
    if (!SyllableText(reading.Syllable, &plain, &tones)) continue;
    if (tones == 0) {
      text += plain;
      text.push_back(separator);
      continue;
    }
    for (int t = 1; t <= 5; ++t) {
      if ((tones & ToneBit(t)) == 0) continue;
      text += plain;
      text.push_back(static_cast<char16_t>(u'0' + t));
      text.push_back(separator);
    }
  }
  if (!text.empty()) text.pop_back();
  return text;
}

bool THZPY::FindSyllable(std::u16string_view text, std::u16string* plain, int* toneOut,
                         bool appendTone, std::int32_t* indexOut) const {
  // Plain holds the text as given unless a syllable is found.
  if (plain) plain->assign(text);
  if (text.empty()) return false;
  const char16_t c = StripToneMark(text[0]);
  if (!CanBeginSyllable(c)) return false;
  const TLetterRange& range = FLetters[static_cast<std::size_t>(c - u'a')];
  for (std::uint16_t k = 0; k < range.Count; ++k) {
    const std::size_t index = static_cast<std::size_t>(range.FirstIndex) + k;
    if (index >= FSyllableCount) break;
    const TSyllableInfo& s = FSyllables[index];
    int tone = 0;
    if (text == s.Plain) {
      tone = 5;
    } else {
      for (int t = 1; t <= 4 && tone == 0; ++t) {
        if (text == s.Toned[static_cast<std::size_t>(t)]) tone = t;
      }
    }
    if (tone == 0) continue;
    if (plain) {
      *plain = s.Plain;
      if (appendTone) plain->push_back(static_cast<char16_t>(u'0' + tone));
    }
    if (toneOut) *toneOut = tone;
    if (indexOut) *indexOut = static_cast<std::int32_t>(index);
    return true;
  }
  return false;
}

bool THZPY::AllHaveReadings(std::u16string_view word) const {
  for (const std::uint32_t code : StringToCodePoints(word)) {
    if (code > kMaxReadingCode || FCharReadings[code].Count == 0) return false;
  }
  return true;
}

bool THZPY::IsValidReading(const TPinyinReading& reading) {
  const std::uint32_t c = reading.Code;
  if (c < 0x80 || c > kMaxReadingCode || (c >= 0xD800 && c <= 0xDFFF)) return false;
  return DecodeSyllable(reading.Syllable, nullptr, nullptr, nullptr);
}

bool THZPY::IsReadingEnabled(const TPinyinReading& reading) {
  return (reading.Flags & rfEnabled) != 0;
}

}  // namespace bushou
