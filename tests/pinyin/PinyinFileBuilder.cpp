#include "tests/pinyin/PinyinFileBuilder.h"

#include <gtest/gtest.h>

#include "pinyin/uTableFile.h"
#include "platform/bytes.h"

namespace bushou::testing {

TPinyinReading MakeReading(std::uint32_t code, std::u16string_view plain, TToneSet tones,
                           std::uint16_t id, std::uint32_t frequency, std::uint32_t flags) {
  std::uint32_t initial = 0, fin = 0;
  EXPECT_TRUE(ParseSyllable(plain, &initial, &fin)) << "no syllable in the inventory";
  TPinyinReading r;
  r.Code = code;
  r.ID = id;
  r.Syllable = MakeSyllableCode(initial, fin, tones);
  r.Frequency = frequency;
  r.Flags = flags;
  return r;
}

TSyllableInfo MakeSyllable(std::u16string_view plain, std::uint32_t tones) {
  TSyllableInfo s;
  s.Tones = tones;
  s.Plain = plain;
  for (int t = 1; t <= 4; ++t) s.Toned[static_cast<std::size_t>(t)] = MarkedSyllable(plain, t);
  return s;
}

std::uint32_t PackOld(const TPinyinReading& r) {
  std::uint32_t w = (r.Frequency & 0x7FFFFF) << 5;
  if (r.Flags & rfSimplified) w |= 1u << 0;
  if (r.Flags & rfTraditional) w |= 1u << 1;
  if (r.Flags & rfOther) w |= 1u << 2;
  if (r.Flags & rfEnabled) w |= 1u << 4;
  if (r.Flags & rfGroup) w |= 1u << 31;
  return w;
}

PinyinFileBuilder::PinyinFileBuilder() : magic_(kPinyinMagic), created_(2009101006) {}

PinyinFileBuilder& PinyinFileBuilder::Created(std::uint32_t stamp) {
  created_ = stamp;
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::OldFormat() {
  old_ = true;
  created_ = 2009100905;
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::Magic(std::uint32_t magic) {
  magic_ = magic;
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::Scrambled() {
  scrambled_ = true;
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::Add(const TPinyinReading& reading) {
  readings_.push_back(reading);
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::FillTo(std::size_t count) {
  std::uint32_t code = 0x20000;
  while (readings_.size() < count) {
    readings_.push_back(MakeReading(code++, u"a", ToneBit(1),
                                    static_cast<std::uint16_t>(readings_.size() + 1)));
  }
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::Syllable(const TSyllableInfo& syllable) {
  syllables_.push_back(syllable);
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::Syllables(std::initializer_list<std::u16string_view> plains) {
  for (const auto plain : plains) syllables_.push_back(MakeSyllable(plain));
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::LastID(std::uint16_t id) {
  lastId_ = id;
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::Bitmap(std::vector<std::uint8_t> bitmap) {
  bitmap_ = std::move(bitmap);
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::ShortBitmap(std::uint32_t length, std::size_t present) {
  shortBitmap_ = {length, present};
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::NoBitmap() {
  bitmap_.reset();
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::PadTo(std::size_t size) {
  padTo_ = size;
  return *this;
}

PinyinFileBuilder& PinyinFileBuilder::Checksum(std::uint32_t checksum) {
  checksum_ = checksum;
  return *this;
}

std::vector<std::uint8_t> PinyinFileBuilder::Build() const {
  platform::ByteWriter out;
  out.U32LE(magic_);    // Magic
  out.U32LE(created_);  // Created stamp
  if (!old_) {
    out.U32LE(2024010101);  // Saved stamp (not checked)
    out.U32LE(0);           // Checksum, patched below
  }
  out.U32LE(static_cast<std::uint32_t>(readings_.size()));  // N

  platform::ByteWriter records;
  for (const TPinyinReading& r : readings_) {
    if (old_) {
      records.U16LE(r.Syllable)  // syllable code
          .U16LE(0)              // not used
          .U32LE(r.Code)         // code point
          .U32LE(PackOld(r))     // flags and frequency
          .U32LE(0)              // not used
          .U16LE(r.ID);          // ID
    } else {
      r.Encode(records);  // code u32, ID u16, syllable u16, frequency u32, flags u32
    }
  }
  std::vector<std::uint8_t> block = records.Take();
  if (scrambled_) ScrambleBuffer(block);
  out.Raw(block);

  out.U16LE(static_cast<std::uint16_t>(syllables_.size()));  // S
  out.U16LE(lastId_);                                        // LastID
  platform::ByteWriter syllables;
  for (const TSyllableInfo& s : syllables_) EncodeSyllable(s, syllables);
  block = syllables.Take();
  if (scrambled_) ScrambleBuffer(block);
  out.Raw(block);

  if (shortBitmap_) {
    out.U32LE(shortBitmap_->first);     // L
    out.Fill(shortBitmap_->second, 1);  // fewer bytes than L
  } else if (bitmap_) {
    out.U32LE(static_cast<std::uint32_t>(bitmap_->size()));  // L
    out.Raw(*bitmap_);                                       // bitmap
  }
  if (out.size() < padTo_) out.Fill(padTo_ - out.size());

  std::vector<std::uint8_t> image = out.Take();
  if (!old_) {
    const std::uint32_t sum = checksum_.value_or(TableChecksum(std::span(image).subspan(16)));
    for (std::size_t k = 0; k < 4; ++k) image[12 + k] = static_cast<std::uint8_t>(sum >> (8 * k));
  }
  return image;
}

std::unique_ptr<THZPY> EmptyTable() { return std::make_unique<THZPY>(); }

std::unique_ptr<THZPY> TableFromImage(const std::vector<std::uint8_t>& image, bool scrambled) {
  auto table = EmptyTable();
  EXPECT_EQ(table->LoadFromImage(image, scrambled), TPinyinParseResult::Ok);
  return table;
}

}  // namespace bushou::testing
