// The character pinyin table THZPY: every reading of every character, loaded
// from "hzpy.dat", with per-code-point and per-letter indexes, the polyphone
// rules, and the save and edit side.
//
// The table has fixed capacities (65,536 readings, 512 syllables, 7 readings
// for each code point 0..0x2FFFF): about 8 MB. Create it on the heap.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chardata/uClasses_CC.h"
#include "pinyin/uPinyinFile.h"
#include "pinyin/uPolyphoneRules.h"
#include "pinyin/uSyllables.h"

namespace bushou {

// Reading i of the table and its plain syllable text (empty when the code does
// not decode).
struct TReadingEntry {
  std::int32_t Reading = -1;  // index into the readings
  std::u16string Text;
};

// The readings of one code point. Slots are numbered 1..7 as in the file's
// model; Slots[0] is not used.
struct TCharReadings {
  std::array<std::uint16_t, kMaxCharReadings + 1> Slots{};  // entry indexes
  std::uint8_t Count = 0;      // used slots
  std::uint8_t Changed = 0;    // bit i: slot i changed since the last save
  std::uint16_t RuleIndex = 0; // record in the rules; 0 = none
};

// The syllables whose Plain begins with one letter.
struct TLetterRange {
  const TSyllableInfo* First = nullptr;  // nullptr when the letter has none
  std::uint16_t Count = 0;
  std::uint16_t FirstIndex = 0;
};

// Status codes of AddEntry, DeleteEntry and FindEntry (see each).
enum TEntryStatus : std::uint8_t {
  esDone = 0,
  esTones = 1,
  esNoChange = 2,
  esNoRoom = 3,
  esRefused = 4,
};

// The order readings are saved in: by initial index, then final index (0 for
// a code that does not decode), then code point. The same record compares equal.
int CompareReadingOrder(const TPinyinReading& a, const TPinyinReading& b);

class THZPY : public TObject_CC {
 public:
  // An empty table that loads nothing (the data generator builds one up).
  THZPY();
  // Stores the name and flag, then Load(fileName, scrambled); a table whose
  // file is missing or refused is simply empty.
  THZPY(const std::u16string& fileName, bool scrambled);
  ~THZPY() override;

  // --- Loading -----------------------------------------------------------------

  // Reads a file of 393,216..1,048,576 bytes. On success the readings,
  // syllables and indexes are replaced, the file's enabled set is added to
  // ccEnabled, and the name and flag are remembered. On failure the table is
  // left exactly as it was.
  bool LoadFromFile(const std::u16string& fileName, bool scrambled) override;
  // Resolves the name (the remembered file, else "hzpy.dat" in the per-user or
  // all-users data folder), loads it and builds the polyphone rules.
  bool Load(const std::u16string& fileName, bool scrambled) override;
  // The loading part of LoadFromFile on bytes already read; the name is not
  // touched.
  TPinyinParseResult LoadFromImage(platform::Bytes image, bool scrambled);

  // --- Lookups -------------------------------------------------------------------

  // Copies of the code point's readings in slot order; without includeAll only
  // enabled ones. A code point above U+2FFFF has none. Returns the count.
  std::int32_t GetReadings(std::uint32_t code, std::vector<TPinyinReading>& readings,
                           bool includeAll = true) const;
  // The readings as text, one item per tone ("zhong1;zhong4;chong2"); a
  // reading without tones gives its plain syllable, one whose code does not
  // decode gives nothing.
  std::u16string GetPinyinText(std::uint32_t code, char16_t separator) const;
  // Looks a written syllable, plain or marked, up in the syllable table: its
  // plain text (with the tone digit when appendTone), tone 1..5 and index.
  // When nothing is found plain receives the text itself.
  bool FindSyllable(std::u16string_view text, std::u16string* plain, int* toneOut = nullptr,
                    bool appendTone = false, std::int32_t* indexOut = nullptr) const;
  // Every code point of word has a reading (true for the empty word).
  bool AllHaveReadings(std::u16string_view word) const;
  static bool IsValidReading(const TPinyinReading& reading);
  static bool IsReadingEnabled(const TPinyinReading& reading);

  // --- Indexes and rules ---------------------------------------------------------

  void BuildCharIndex();
  void BuildLetterIndex();
  // Without a source: "SyExEx.txt" beside the executable when it exists and
  // is at most 262,144 bytes, else the built-in rules. A source with lines
  // replaces the rule text; an empty one rebuilds from the text last used.
  void BuildRules();
  void BuildRules(const std::vector<std::u16string>& source);
  void ClearRules();

  // --- Saving and editing ----------------------------------------------------------

  // Writes the table when a reading changed: 0 when none did (nothing is
  // written), the number of changed readings when the file was replaced, -1
  // when it could not be (the marks stay). An empty name means the remembered
  // file.
  std::int32_t SaveToFile(const std::u16string& fileName, bool scrambled) override;
  // The file SaveToFile writes, in memory; header receives its header. Like a
  // save it resets ccEnabled to the default set, which the file carries.
  std::vector<std::uint8_t> BuildFileImage(bool scrambled, TFileHeader* header = nullptr);

  // entry points to a TPinyinReading. AddEntry: 0 new reading appended, 1 tones
  // added to (or a removed reading restored as) the reading of that syllable,
  // 2 nothing to add, 3 no room (7 readings, or the table's IDs or records
  // used up), 4 not a valid reading or declined.
  bool AddEntry(const void* entry, std::uint8_t* status = nullptr,
                const TConfirmEntry& confirm = {}) override;
  // 0 reading disabled, 1 tones removed, 2 no reading of that syllable, 3 not a
  // valid reading, 4 declined.
  bool DeleteEntry(const void* entry, std::uint8_t* status = nullptr,
                   const TConfirmEntry& confirm = {}) override;
  // 0 entry is one of the table's own records and enabled, 1 disabled, 2 not
  // one of its records, 3 not a valid reading.
  bool FindEntry(const void* entry, std::uint8_t* status = nullptr) override;

  std::int32_t CountChanged() const;
  void ClearChanged();
  // reading must be one of the table's own records (Reading(i)).
  void MarkChanged(const TPinyinReading* reading);
  void SetReadingTones(const TPinyinReading* reading, TToneSet tones);
  void SetReadingEnabled(const TPinyinReading* reading, bool value);
  // Appends a reading with the next ID, enabled and marked changed. False when
  // the table already holds 65,535 readings or the IDs are used up.
  bool AppendReading(const TPinyinReading& entry);

  // Replaces the syllable table (the data generator's way to fill it) and
  // rebuilds the letter index. False, and nothing changed, when the list does
  // not fit the model (see ParsePinyinFile's BadSyllable).
  bool SetSyllables(const std::vector<TSyllableInfo>& syllables);

  // --- State, read-only --------------------------------------------------------------

  std::int32_t CharCount() const { return FCharCount; }
  std::int32_t ReadingCount() const { return FReadingCount; }
  std::int32_t SyllableCount() const { return FSyllableCount; }
  std::uint16_t LastID() const { return FLastID; }
  bool OldFormat() const { return FOldFormat; }
  const TFileHeader& Header() const { return FHeader; }
  // i must be below ReadingCount() (SyllableCount()).
  const TPinyinReading& Reading(std::int32_t i) const { return FReadings[static_cast<std::size_t>(i)]; }
  const TReadingEntry& Entry(std::int32_t i) const { return FEntries[static_cast<std::size_t>(i)]; }
  const TSyllableInfo& Syllable(std::int32_t i) const { return FSyllables[static_cast<std::size_t>(i)]; }
  // The record of a code point; code must be at most 0x2FFFF.
  const TCharReadings& CharReadings(std::uint32_t code) const { return FCharReadings[code]; }
  // The reading in slot 1..Count of a code point.
  const TPinyinReading& SlotReading(std::uint32_t code, int slot) const;
  const TLetterRange& Letter(char16_t letter) const { return FLetters[letter - u'a']; }
  // Rule records from 1; record 0 is never used.
  const std::vector<TPolyphoneRule>& Rules() const { return FRules; }
  const std::vector<std::u16string>& RuleLines() const { return FRuleLines; }

 private:
  void Commit(TPinyinFile& file);
  void RebuildRules();
  // The index of a record of this table, or -1.
  std::int32_t IndexOf(const TPinyinReading* reading) const;
  // FindEntry's walk: the status and the matching reading's index (or -1).
  std::uint8_t Locate(const TPinyinReading& entry, std::int32_t& match) const;
  void SyllablesToFile(platform::ByteWriter& out) const;
  void UpdateSyllableTones();

  std::vector<std::u16string> FRuleLines;
  TFileHeader FHeader;
  std::int32_t FCharCount = 0;
  std::int32_t FReadingCount = 0;
  std::uint16_t FSyllableCount = 0;
  std::uint16_t FLastID = 0;
  std::vector<TPinyinReading> FReadings;   // kMaxFileReadings, fixed
  std::vector<TReadingEntry> FEntries;     // kMaxFileReadings, fixed
  std::vector<TSyllableInfo> FSyllables;   // kMaxSyllables, fixed
  std::vector<TCharReadings> FCharReadings;  // 0x30000, fixed
  std::array<TLetterRange, 26> FLetters{};
  std::vector<TPolyphoneRule> FRules;
  std::vector<std::uint32_t> FRuleCodes;  // the character of each record from 1
  bool FOldFormat = false;
};

}  // namespace bushou
