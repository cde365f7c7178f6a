// Builds pinyin table file images field by field for the tests, and small
// helpers to make readings and load tables from images.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pinyin/uHZ_PY.h"

namespace bushou::testing {

// A reading of code with the plain syllable in a tone set (bit 0 = tone 1).
TPinyinReading MakeReading(std::uint32_t code, std::u16string_view plain, TToneSet tones,
                           std::uint16_t id = 0, std::uint32_t frequency = 0,
                           std::uint32_t flags = rfEnabled);

// A syllable record with its four marked forms.
TSyllableInfo MakeSyllable(std::u16string_view plain, std::uint32_t tones = 0);

class PinyinFileBuilder {
 public:
  // Current version, created 2009-10-10 (a Saturday), not scrambled.
  PinyinFileBuilder();

  PinyinFileBuilder& Created(std::uint32_t stamp);
  PinyinFileBuilder& OldFormat();  // created 2009-10-09 (a Friday), 18-byte records
  PinyinFileBuilder& Magic(std::uint32_t magic);
  PinyinFileBuilder& Scrambled();
  PinyinFileBuilder& Add(const TPinyinReading& reading);
  // Adds filler readings (syllable "a", tone 1) of code points from U+20000
  // upward until the file holds count readings.
  PinyinFileBuilder& FillTo(std::size_t count);
  PinyinFileBuilder& Syllable(const TSyllableInfo& syllable);
  // Syllables for every plain text, in the order given.
  PinyinFileBuilder& Syllables(std::initializer_list<std::u16string_view> plains);
  PinyinFileBuilder& LastID(std::uint16_t id);
  PinyinFileBuilder& Bitmap(std::vector<std::uint8_t> bitmap);
  // Writes L itself but only `present` of its bytes.
  PinyinFileBuilder& ShortBitmap(std::uint32_t length, std::size_t present);
  PinyinFileBuilder& NoBitmap();  // the file ends after the syllable records
  PinyinFileBuilder& PadTo(std::size_t size);
  // Keeps the checksum field as given instead of computing it.
  PinyinFileBuilder& Checksum(std::uint32_t checksum);

  std::vector<std::uint8_t> Build() const;
  // The count of readings (filler included) and syllables so far.
  std::size_t ReadingCount() const { return readings_.size(); }

 private:
  std::uint32_t magic_;
  std::uint32_t created_;
  bool old_ = false;
  bool scrambled_ = false;
  std::vector<TPinyinReading> readings_;
  std::vector<TSyllableInfo> syllables_;
  std::uint16_t lastId_ = 0;
  std::optional<std::vector<std::uint8_t>> bitmap_ = std::vector<std::uint8_t>{0x00, 0x40};
  std::optional<std::pair<std::uint32_t, std::size_t>> shortBitmap_;
  std::size_t padTo_ = 0;
  std::optional<std::uint32_t> checksum_;
};

// The old-format packed word of a reading: its flags and frequency.
std::uint32_t PackOld(const TPinyinReading& r);

// A fresh empty table, and one loaded from an image (failing the test when the
// image is refused).
std::unique_ptr<THZPY> EmptyTable();
std::unique_ptr<THZPY> TableFromImage(const std::vector<std::uint8_t>& image, bool scrambled = false);

}  // namespace bushou::testing
