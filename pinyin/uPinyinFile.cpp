#include "pinyin/uPinyinFile.h"

#include <algorithm>

#include "pinyin/uTableFile.h"
#include "platform/codepage.h"

namespace bushou {
namespace {

using platform::ByteReader;
using platform::Bytes;
using platform::LoadU16LE;
using platform::LoadU32LE;

constexpr std::size_t kPlainField = 6;  // bytes after the length byte
constexpr std::size_t kTonedField = 7;

// Text in code page 936; ASCII (every Plain) needs no converter.
std::u16string FromGBK(Bytes bytes) {
  if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; })) {
    return std::u16string(bytes.begin(), bytes.end());
  }
  return platform::MultiByteToWide(platform::kCodePageGBK, bytes);
}

// A length-prefixed string in a field of 1 + capacity bytes.
bool ReadShortString(const std::uint8_t* field, std::size_t capacity, std::u16string& text) {
  const std::size_t length = field[0];
  if (length > capacity) return false;
  text = FromGBK(Bytes(field + 1, length));
  return true;
}

void WriteShortString(platform::ByteWriter& out, std::u16string_view text, std::size_t capacity) {
  std::string bytes = platform::WideToMultiByte(platform::kCodePageGBK, text);
  if (bytes.size() > capacity) bytes.resize(capacity);
  out.U8(static_cast<std::uint8_t>(bytes.size()));
  out.Raw(bytes);
  out.Fill(capacity - bytes.size());
}

bool DecodeSyllableRecord(const std::uint8_t* p, TSyllableInfo& s) {
  s.Tones = p[0];
  if (!ReadShortString(p + 1, kPlainField, s.Plain)) return false;
  for (std::size_t t = 1; t <= 4; ++t) {
    if (!ReadShortString(p + 8 * t, kTonedField, s.Toned[t])) return false;
  }
  return true;
}

}  // namespace

bool SyllablesFitModel(const std::vector<TSyllableInfo>& syllables) {
  std::array<bool, 26> seen{};
  char16_t previous = 0;
  for (const TSyllableInfo& s : syllables) {
    if (s.Plain.empty() || s.Plain[0] < u'a' || s.Plain[0] > u'z') return false;
    const char16_t letter = s.Plain[0];
    if (letter != previous) {
      if (seen[letter - u'a']) return false;
      seen[letter - u'a'] = true;
      previous = letter;
    }
  }
  return true;
}

namespace {

// A block of count records, or nullopt when the bytes are not all there.
std::optional<std::vector<std::uint8_t>> TakeBlock(ByteReader& reader, std::size_t count,
                                                   std::size_t size, bool scrambled) {
  if (count > reader.remaining() / size) return std::nullopt;
  const auto bytes = reader.Take(count * size);
  if (!bytes) return std::nullopt;
  std::vector<std::uint8_t> block(bytes->begin(), bytes->end());
  if (scrambled) UnscrambleBuffer(block);
  return block;
}

}  // namespace

TPinyinReading TPinyinReading::Decode(const std::uint8_t* p) {
  return {LoadU32LE(p), LoadU16LE(p + 4), LoadU16LE(p + 6), LoadU32LE(p + 8), LoadU32LE(p + 12)};
}

void TPinyinReading::Encode(platform::ByteWriter& out) const {
  out.U32LE(Code).U16LE(ID).U16LE(Syllable).U32LE(Frequency).U32LE(Flags);
}

TOldPinyinReading TOldPinyinReading::Decode(const std::uint8_t* p) {
  return {LoadU16LE(p), LoadU32LE(p + 4), LoadU32LE(p + 8), LoadU16LE(p + 16)};
}

TPinyinReading ConvertOldReading(const TOldPinyinReading& old) {
  TPinyinReading r;
  r.Code = old.Code;
  r.ID = old.ID;
  r.Syllable = old.Syllable;
  r.Frequency = (old.Packed >> 5) & 0x7FFFFF;
  const std::uint32_t w = old.Packed;
  if (w & (1u << 0)) r.Flags |= rfSimplified;
  if (w & (1u << 1)) r.Flags |= rfTraditional;
  if (w & (1u << 2)) r.Flags |= rfOther;
  if (w & (1u << 4)) r.Flags |= rfEnabled;
  if (w & (1u << 31)) r.Flags |= rfGroup;
  return r;
}

int CheckHeader(std::uint32_t magic, std::uint32_t created) {
  if (magic != kPinyinMagic) return -1;
  std::uint16_t year = 0, month = 0, day = 0, weekday = 0;
  SplitDateStamp(created, year, month, day, weekday);
  if (!IsValidDate(year, month, day)) return -2;
  if (IsoWeekday({year, month, day}) != weekday) return -3;
  const std::uint32_t date = static_cast<std::uint32_t>(year) * 10000u + month * 100u + day;
  return date < kCurrentFormatDate ? 1 : 0;
}

TPinyinParseResult ParsePinyinFile(Bytes image, bool scrambled, TPinyinFile& out) {
  out = TPinyinFile{};
  ByteReader reader(image);
  const auto magic = reader.U32();
  const auto created = reader.U32();
  if (!magic || !created) return TPinyinParseResult::Truncated;
  switch (CheckHeader(*magic, *created)) {
    case -1: return TPinyinParseResult::BadMagic;
    case -2: return TPinyinParseResult::BadDate;
    case -3: return TPinyinParseResult::BadWeekday;
    case 1: out.OldFormat = true; break;
    default: break;
  }
  out.Header.Magic = *magic;
  out.Header.Created = *created;
  if (!out.OldFormat) {
    const auto saved = reader.U32();
    const auto checksum = reader.U32();
    if (!saved || !checksum) return TPinyinParseResult::Truncated;
    out.Header.Saved = *saved;
    out.Header.Checksum = *checksum;
  }

  const auto count = reader.U32();
  if (!count) return TPinyinParseResult::Truncated;
  if (*count < static_cast<std::uint32_t>(kMinFileReadings) ||
      *count > static_cast<std::uint32_t>(kMaxFileReadings)) {
    return TPinyinParseResult::BadReadingCount;
  }
  const std::size_t n = *count;
  const std::size_t recordSize = out.OldFormat ? TOldPinyinReading::kSize : TPinyinReading::kSize;
  const auto readingBlock = TakeBlock(reader, n, recordSize, scrambled);
  if (!readingBlock) return TPinyinParseResult::Truncated;
  out.Readings.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* p = readingBlock->data() + i * recordSize;
    out.Readings[i] = out.OldFormat ? ConvertOldReading(TOldPinyinReading::Decode(p))
                                    : TPinyinReading::Decode(p);
  }

  const auto syllableCount = reader.U16();
  const auto lastID = reader.U16();
  if (!syllableCount || !lastID) return TPinyinParseResult::Truncated;
  if (*syllableCount > kMaxSyllables) return TPinyinParseResult::TooManySyllables;
  const auto syllableBlock = TakeBlock(reader, *syllableCount, TSyllableInfo::kSize, scrambled);
  if (!syllableBlock) return TPinyinParseResult::Truncated;
  out.Syllables.resize(*syllableCount);
  for (std::size_t i = 0; i < out.Syllables.size(); ++i) {
    if (!DecodeSyllableRecord(syllableBlock->data() + i * TSyllableInfo::kSize, out.Syllables[i])) {
      return TPinyinParseResult::BadSyllable;
    }
  }
  if (!SyllablesFitModel(out.Syllables)) return TPinyinParseResult::BadSyllable;

  out.LastID = *lastID;
  if (out.LastID == 0) {
    for (const TPinyinReading& r : out.Readings) out.LastID = std::max(out.LastID, r.ID);
  }

  if (reader.remaining() < 4) {
    out.Bitmap.assign(kMaxBitmapLength, 0xFF);
  } else {
    const std::uint32_t length = *reader.U32();
    if (length > kMaxBitmapLength) return TPinyinParseResult::BadBitmapLength;
    const auto bitmap = reader.Take(length);
    if (!bitmap) return TPinyinParseResult::Truncated;
    out.Bitmap.assign(bitmap->begin(), bitmap->end());
  }

  // The per-code-point records hold seven readings of code points up to
  // U+2FFFF; a file with more does not fit the table and is refused whole.
  std::vector<std::uint8_t> perCode(kMaxReadingCode + 1, 0);
  for (const TPinyinReading& r : out.Readings) {
    if (r.Code > kMaxReadingCode) return TPinyinParseResult::CodeOutOfRange;
    if (++perCode[r.Code] > kMaxCharReadings) return TPinyinParseResult::TooManyReadings;
  }

  // Checked last: the structure is cheap to check, the sum costs a pass.
  if (!out.OldFormat && TableChecksum(image.subspan(16)) != out.Header.Checksum) {
    return TPinyinParseResult::BadChecksum;
  }
  return TPinyinParseResult::Ok;
}

void EncodeSyllable(const TSyllableInfo& syllable, platform::ByteWriter& out) {
  out.U8(static_cast<std::uint8_t>(syllable.Tones));
  WriteShortString(out, syllable.Plain, kPlainField);
  for (std::size_t t = 1; t <= 4; ++t) WriteShortString(out, syllable.Toned[t], kTonedField);
}

}  // namespace bushou
