// THZPY: writing the table file and editing single readings.
#include <algorithm>
#include <bit>
#include <functional>
#include <numeric>

#include "pinyin/uHZ_PY.h"
#include "pinyin/uTableFile.h"
#include "platform/files.h"

namespace bushou {
namespace {

std::uint32_t OrderKey(const TPinyinReading& r) {
  std::uint32_t initial = 0, fin = 0;
  if (!DecodeSyllable(r.Syllable, &initial, &fin, nullptr)) return 0;
  return initial * 256 + fin;
}

}  // namespace

int CompareReadingOrder(const TPinyinReading& a, const TPinyinReading& b) {
  if (&a == &b) return 0;
  std::uint32_t ka = OrderKey(a), kb = OrderKey(b);
  if (ka == kb) {
    ka = a.Code;
    kb = b.Code;
  }
  return ka < kb ? -1 : (ka > kb ? 1 : 0);
}

// --- Saving -------------------------------------------------------------------------

void THZPY::UpdateSyllableTones() {
  std::array<TToneSet, 32 * 64> cells{};
  for (std::int32_t i = 0; i < FReadingCount; ++i) {
    const TSyllableCode code = FReadings[static_cast<std::size_t>(i)].Syllable;
    TToneSet& cell = cells[SyllableInitial(code) * 64 + SyllableFinal(code)];
    cell = static_cast<TToneSet>(cell | SyllableTones(code));
  }
  for (std::uint16_t j = 0; j < FSyllableCount; ++j) {
    std::uint32_t initial = 0, fin = 0;
    // A Plain outside the inventory keeps the tones it was loaded with.
    if (ParseSyllable(FSyllables[j].Plain, &initial, &fin)) {
      FSyllables[j].Tones = cells[initial * 64 + fin];
    }
  }
}

void THZPY::SyllablesToFile(platform::ByteWriter& out) const {
  for (std::uint16_t j = 0; j < FSyllableCount; ++j) EncodeSyllable(FSyllables[j], out);
}

std::vector<std::uint8_t> THZPY::BuildFileImage(bool scrambled, TFileHeader* written) {
  const std::uint32_t today = DateStamp(Today());
  TFileHeader header = FHeader;
  // A table never loaded, or loaded from an old file, has no current header.
  if (FOldFormat || header.Magic != kPinyinMagic) {
    header.Magic = kPinyinMagic;
    header.Created = today;
  }
  header.Saved = today;

  platform::ByteWriter out;
  out.U32LE(header.Magic).U32LE(header.Created).U32LE(header.Saved).U32LE(0);
  out.U32LE(static_cast<std::uint32_t>(FReadingCount));

  std::vector<std::int32_t> order(static_cast<std::size_t>(FReadingCount));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](std::int32_t a, std::int32_t b) {
    return CompareReadingOrder(FReadings[static_cast<std::size_t>(a)],
                               FReadings[static_cast<std::size_t>(b)]) < 0;
  });
  platform::ByteWriter readings;
  for (const std::int32_t i : order) FReadings[static_cast<std::size_t>(i)].Encode(readings);
  std::vector<std::uint8_t> block = readings.Take();
  if (scrambled) ScrambleBuffer(block);
  out.Raw(block);

  out.U16LE(FSyllableCount).U16LE(FLastID);
  UpdateSyllableTones();
  platform::ByteWriter syllables;
  SyllablesToFile(syllables);
  block = syllables.Take();
  if (scrambled) ScrambleBuffer(block);
  out.Raw(block);

  BuildDefaultEnabledSet();
  const std::vector<std::uint8_t> bitmap = StoreCharClassBits(ccEnabled);
  out.U32LE(static_cast<std::uint32_t>(bitmap.size()));
  out.Raw(bitmap);
  // The loader refuses files below its size window; a small table is padded
  // (bytes after the bitmap are not read) so that what is saved loads again.
  if (out.size() < kMinPinyinFileSize) out.Fill(kMinPinyinFileSize - out.size());

  std::vector<std::uint8_t> image = out.Take();
  header.Checksum = TableChecksum(std::span<const std::uint8_t>(image).subspan(16));
  for (std::size_t k = 0; k < 4; ++k) {
    image[12 + k] = static_cast<std::uint8_t>(header.Checksum >> (8 * k));
  }
  if (written) *written = header;
  return image;
}

std::int32_t THZPY::SaveToFile(const std::u16string& fileName, bool scrambled) {
  const std::int32_t changed = CountChanged();
  if (changed == 0) return 0;
  const std::u16string name = fileName.empty() ? FFileName : fileName;
  TFileHeader header;
  try {
    const std::vector<std::uint8_t> image = BuildFileImage(scrambled, &header);
    // A file the loader would refuse is not written over a good one.
    if (image.size() > kMaxPinyinFileSize) return -1;
    if (!platform::WriteFileReplacing(name, image).empty()) return -1;
  } catch (...) {
    return -1;
  }
  FFileName = name;
  FHeader = header;
  FOldFormat = false;
  ClearChanged();
  return changed;
}

// --- Change marks -----------------------------------------------------------------

std::int32_t THZPY::CountChanged() const {
  std::int32_t n = 0;
  for (const TCharReadings& r : FCharReadings) {
    if (r.Changed) n += std::popcount(static_cast<unsigned>(r.Changed & 0xFE));
  }
  return n;
}

void THZPY::ClearChanged() {
  for (TCharReadings& r : FCharReadings) r.Changed = 0;
}

std::int32_t THZPY::IndexOf(const TPinyinReading* reading) const {
  const std::less<const TPinyinReading*> before;
  const TPinyinReading* first = FReadings.data();
  if (!reading || before(reading, first) || !before(reading, first + FReadingCount)) return -1;
  return static_cast<std::int32_t>(reading - first);
}

void THZPY::MarkChanged(const TPinyinReading* reading) {
  const std::int32_t index = IndexOf(reading);
  if (index < 0 || reading->Code > kMaxReadingCode) return;
  TCharReadings& r = FCharReadings[reading->Code];
  for (int slot = 1; slot <= r.Count; ++slot) {
    if (FEntries[r.Slots[static_cast<std::size_t>(slot)]].Reading == index) {
      r.Changed = static_cast<std::uint8_t>(r.Changed | (1u << slot));
      return;
    }
  }
}

void THZPY::SetReadingTones(const TPinyinReading* reading, TToneSet tones) {
  const std::int32_t index = IndexOf(reading);
  if (index < 0) return;
  TPinyinReading& r = FReadings[static_cast<std::size_t>(index)];
  if (SyllableTones(r.Syllable) == (tones & kAllTones)) return;
  r.Syllable = WithTones(r.Syllable, tones);
  MarkChanged(&r);
}

void THZPY::SetReadingEnabled(const TPinyinReading* reading, bool value) {
  const std::int32_t index = IndexOf(reading);
  if (index < 0) return;
  TPinyinReading& r = FReadings[static_cast<std::size_t>(index)];
  if (IsReadingEnabled(r) == value) return;
  r.Flags = value ? (r.Flags | rfEnabled) : (r.Flags & ~static_cast<std::uint32_t>(rfEnabled));
  MarkChanged(&r);
}

// --- Editing ----------------------------------------------------------------------

bool THZPY::AppendReading(const TPinyinReading& entry) {
  // Editing never grows the table past 65,535 readings, and IDs are 16-bit
  // and never reused.
  if (FReadingCount >= kMaxFileReadings - 1 || FLastID == 0xFFFF) return false;
  if (entry.Code > kMaxReadingCode || FCharReadings[entry.Code].Count >= kMaxCharReadings) {
    return false;
  }
  const std::int32_t i = FReadingCount++;
  TPinyinReading& r = FReadings[static_cast<std::size_t>(i)];
  r = entry;
  r.ID = ++FLastID;
  TReadingEntry& e = FEntries[static_cast<std::size_t>(i)];
  e.Reading = i;
  e.Text.clear();
  SyllableText(r.Syllable, &e.Text, nullptr);
  TCharReadings& rec = FCharReadings[r.Code];
  if (rec.Count == 0) ++FCharCount;
  ++rec.Count;
  rec.Slots[rec.Count] = static_cast<std::uint16_t>(i);
  rec.Changed = static_cast<std::uint8_t>(rec.Changed | (1u << rec.Count));
  SetReadingEnabled(&r, true);
  return true;
}

std::uint8_t THZPY::Locate(const TPinyinReading& entry, std::int32_t& match) const {
  match = -1;
  if (!IsValidReading(entry)) return esNoRoom;  // 3: not a valid reading
  const TCharReadings& rec = FCharReadings[entry.Code];
  for (int slot = 1; slot <= rec.Count; ++slot) {
    const std::int32_t index = FEntries[rec.Slots[static_cast<std::size_t>(slot)]].Reading;
    const TPinyinReading& r = FReadings[static_cast<std::size_t>(index)];
    if (&r == &entry) {
      match = index;
      return IsReadingEnabled(r) ? esDone : esTones;
    }
    if (SameSyllable(r.Syllable, entry.Syllable)) {
      match = index;
      break;
    }
  }
  return esNoChange;
}

bool THZPY::FindEntry(const void* entry, std::uint8_t* status) {
  std::uint8_t s = esNoRoom;
  std::int32_t match = -1;
  if (entry) s = Locate(*static_cast<const TPinyinReading*>(entry), match);
  if (status) *status = s;
  return s != esNoRoom;
}

bool THZPY::AddEntry(const void* entry, std::uint8_t* status, const TConfirmEntry& confirm) {
  std::uint8_t s = esRefused;
  const auto* e = static_cast<const TPinyinReading*>(entry);
  if (!e || !IsValidReading(*e)) {
    if (status) *status = s;
    return false;
  }
  const TCharReadings& rec = FCharReadings[e->Code];
  std::int32_t match = -1;
  for (int slot = 1; slot <= rec.Count; ++slot) {
    const std::int32_t index = FEntries[rec.Slots[static_cast<std::size_t>(slot)]].Reading;
    if (SameSyllable(FReadings[static_cast<std::size_t>(index)].Syllable, e->Syllable)) {
      match = index;
      break;
    }
  }
  const TToneSet tones = SyllableTones(e->Syllable);
  bool restore = false;
  if (match >= 0) {
    const TPinyinReading& r = FReadings[static_cast<std::size_t>(match)];
    // Adding a removed reading again brings it back.
    restore = !IsReadingEnabled(r);
    s = (!restore && (tones & ~SyllableTones(r.Syllable)) == 0) ? esNoChange : esTones;
  } else if (rec.Count >= kMaxCharReadings || FReadingCount >= kMaxFileReadings - 1 ||
             FLastID == 0xFFFF) {
    s = esNoRoom;
  } else {
    s = esDone;
  }
  if (s != esDone && s != esTones) {
    if (status) *status = s;
    return false;
  }
  if (confirm && !confirm(e, &s)) {
    if (status) *status = esRefused;
    return false;
  }
  if (match < 0) {
    AppendReading(*e);
    if (status) *status = esDone;
    return true;
  }
  const TPinyinReading* r = &FReadings[static_cast<std::size_t>(match)];
  SetReadingTones(r, static_cast<TToneSet>(SyllableTones(r->Syllable) | tones));
  if (restore) SetReadingEnabled(r, true);
  if (status) *status = esTones;
  return true;
}

bool THZPY::DeleteEntry(const void* entry, std::uint8_t* status, const TConfirmEntry& confirm) {
  const auto* e = static_cast<const TPinyinReading*>(entry);
  std::int32_t match = -1;
  std::uint8_t s = e ? Locate(*e, match) : std::uint8_t{esNoRoom};
  if (s == esNoRoom) {
    if (status) *status = s;
    return false;
  }
  if (match < 0) {
    if (status) *status = esNoChange;
    return false;
  }
  const TPinyinReading* r = &FReadings[static_cast<std::size_t>(match)];
  const TToneSet left = static_cast<TToneSet>(SyllableTones(r->Syllable) & ~SyllableTones(e->Syllable));
  if (left != 0) {
    SetReadingTones(r, left);
    s = esTones;
  } else {
    s = esRefused;
    if (!confirm || confirm(r, &s)) {
      SetReadingEnabled(r, false);
      s = esDone;
    }
  }
  if (status) *status = s;
  return true;
}

}  // namespace bushou
