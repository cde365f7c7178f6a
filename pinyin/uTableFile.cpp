#include "pinyin/uTableFile.h"

#include <ctime>

#include "chardata/uClasses_CC.h"
#include "chardata/uCommonFuns.h"

namespace bushou {
namespace {

std::uint8_t RotateRight(std::uint8_t b, unsigned n) {
  n &= 7;
  return n == 0 ? b : static_cast<std::uint8_t>((b >> n) | (b << (8 - n)));
}

std::uint8_t RotateLeft(std::uint8_t b, unsigned n) {
  n &= 7;
  return n == 0 ? b : static_cast<std::uint8_t>((b << n) | (b >> (8 - n)));
}

std::uint64_t Fold16(std::uint64_t v) {
  while (v > 0xFFFF) v = (v & 0xFFFF) + (v >> 16);
  return v;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::optional<TDate>& TodayOverride() {
  static std::optional<TDate> date;
  return date;
}

}  // namespace

void ScrambleBuffer(std::span<std::uint8_t> buffer) {
  std::size_t k = 0, r = 0;
  for (std::uint8_t& b : buffer) {
    b = RotateRight(static_cast<std::uint8_t>(b ^ ScrambleKey[k]), RotationTable[r]);
    k = (k + 1) % ScrambleKey.size();
    r = (r + 1) % RotationTable.size();
  }
}

void UnscrambleBuffer(std::span<std::uint8_t> buffer) {
  std::size_t k = 0, r = 0;
  for (std::uint8_t& b : buffer) {
    b = static_cast<std::uint8_t>(RotateLeft(b, RotationTable[r]) ^ ScrambleKey[k]);
    k = (k + 1) % ScrambleKey.size();
    r = (r + 1) % RotationTable.size();
  }
}

std::uint32_t TableChecksum(std::span<const std::uint8_t> buffer) {
  // 64-bit sums cannot overflow for any buffer that fits in memory; folding
  // once at the end gives the same result as folding along the way.
  std::uint64_t a = 0, b = 0;
  const std::size_t n = buffer.size();
  for (std::size_t i = 0; i < n; ++i) a += buffer[i];
  for (std::size_t i = 0; i + 1 < n; i += 2) {
    b += static_cast<std::uint64_t>(buffer[i]) | (static_cast<std::uint64_t>(buffer[i + 1]) << 8);
  }
  if (n % 2 != 0) b += buffer[n - 1];
  return static_cast<std::uint32_t>((Fold16(b) << 16) + Fold16(a));
}

bool IsValidDate(int year, int month, int day) {
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int last = kDays[month - 1] + ((month == 2 && leap) ? 1 : 0);
  return day <= last;
}

int IsoWeekday(const TDate& date) {
  const std::int64_t days = DaysFromCivil(date.Year, static_cast<unsigned>(date.Month),
                                          static_cast<unsigned>(date.Day));
  // 1970-01-01 was a Thursday (4).
  const std::int64_t w = ((days % 7) + 7 + 3) % 7;  // Monday = 0
  return static_cast<int>(w) + 1;
}

std::uint32_t DateStamp(const TDate& date) {
  return static_cast<std::uint32_t>(date.Year) * 1000000u +
         static_cast<std::uint32_t>(date.Month) * 10000u +
         static_cast<std::uint32_t>(date.Day) * 100u + static_cast<std::uint32_t>(IsoWeekday(date));
}

void SplitDateStamp(std::uint32_t stamp, std::uint16_t& year, std::uint16_t& month,
                    std::uint16_t& day, std::uint16_t& weekday) {
  weekday = static_cast<std::uint16_t>(stamp % 100);
  day = static_cast<std::uint16_t>((stamp / 100) % 100);
  month = static_cast<std::uint16_t>((stamp / 10000) % 100);
  year = static_cast<std::uint16_t>((stamp / 1000000) % 10000);
}

TDate Today() {
  if (TodayOverride()) return *TodayOverride();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void SetTodayOverride(std::optional<TDate> date) { TodayOverride() = date; }

bool LoadCharClassBits(std::uint8_t flag, std::span<const std::uint8_t> bitmap) {
  if (bitmap.size() > kFullBitmapBytes) return false;
  for (std::size_t i = 0; i < bitmap.size(); ++i) {
    const std::uint8_t byte = bitmap[i];
    if (byte == 0) continue;
    for (unsigned j = 0; j < 8; ++j) {
      if (byte & (1u << j)) SetCharClass(flag, static_cast<std::uint32_t>(i * 8 + j));
    }
  }
  return true;
}

std::vector<std::uint8_t> StoreCharClassBits(std::uint8_t flag) {
  std::vector<std::uint8_t> bitmap(kFullBitmapBytes, 0);
  std::size_t last = 0;
  for (std::uint32_t c = 0; c < kCodePointLimit; ++c) {
    if (!HasCharClass(flag, c)) continue;
    bitmap[c >> 3] = static_cast<std::uint8_t>(bitmap[c >> 3] | (1u << (c & 7)));
    last = c >> 3;
  }
  bitmap.resize(last + 1);
  return bitmap;
}

void BuildDefaultEnabledSet() {
  for (std::uint32_t c = 0; c < kCodePointLimit; ++c) RemoveCharClass(ccEnabled, c);
  for (std::uint32_t c = 0x80; c <= 0xFFEE; ++c) SetCharClass(ccEnabled, c);
  const TDefaultExclusions& ex = DefaultExclusions();
  for (const std::uint32_t c : ex.Singles) RemoveCharClass(ccEnabled, c);
  for (const TCodeRange& r : ex.Ranges) {
    for (std::uint32_t c = r.First; c <= r.Last; ++c) RemoveCharClass(ccEnabled, c);
  }
  for (std::uint32_t c = ex.AddBack.First; c <= ex.AddBack.Last; ++c) SetCharClass(ccEnabled, c);
}

}  // namespace bushou
