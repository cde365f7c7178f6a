// The common base of the character property tables and the per-code-point
// class flags they fill while loading.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace bushou {

// --- CharClasses: eight flags per code point 0..0x2FFFF ----------------------

enum TCharClass : std::uint8_t {
  ccEnabled = 0,      // in the enabled character set of the pinyin table file
  ccStrokeMark = 1,   // the stroke entry carries mark bit 1
  ccSimplified = 2,   // simplified repertoire
  ccTraditional = 3,  // traditional repertoire
  ccOtherHan = 4,     // a Han character in neither repertoire
};

// Adds flag to code's entry. A flag above 7 does nothing; a code above
// 0x2FFFF throws std::out_of_range.
void SetCharClass(std::uint8_t flag, std::uint32_t code);
// Whether code's entry has flag; false for a flag above 7. A code above
// 0x2FFFF throws std::out_of_range.
bool HasCharClass(std::uint8_t flag, std::uint32_t code);
// Removes flag from code's entry (the default enabled set is rebuilt this way).
void RemoveCharClass(std::uint8_t flag, std::uint32_t code);
// Clears every flag of every code point, as at process start. For tests.
void ResetCharClasses();

// --- TObject_CC ----------------------------------------------------------------

// Confirms an edit before it is made; bound to the caller's context. Receives
// the entry and the status byte and may rewrite the status; false vetoes.
using TConfirmEntry = std::function<bool(const void* entry, std::uint8_t* status)>;

class TObject_CC {
 public:
  TObject_CC(std::u16string fileName, bool scrambled)
      : FFileName(std::move(fileName)), FScrambled(scrambled) {}
  virtual ~TObject_CC() = default;
  TObject_CC(const TObject_CC&) = delete;
  TObject_CC& operator=(const TObject_CC&) = delete;

  // Slot 0: reads the named file. On success remembers the name and flag.
  virtual bool LoadFromFile(const std::u16string& fileName, bool scrambled) = 0;
  // Slot 2: finds the file (ResolveLoadName) and calls LoadFromFile.
  virtual bool Load(const std::u16string& fileName, bool scrambled) = 0;
  // Slot 3: writes the table; 0 when nothing was written.
  virtual std::int32_t SaveToFile(const std::u16string& fileName, bool scrambled) = 0;
  // Slots 4-6: act on one entry record of the table (only the pinyin table has
  // editable entries; the others answer true and change nothing).
  virtual bool AddEntry(const void* entry, std::uint8_t* status = nullptr,
                        const TConfirmEntry& confirm = {}) = 0;
  virtual bool DeleteEntry(const void* entry, std::uint8_t* status = nullptr,
                           const TConfirmEntry& confirm = {}) = 0;
  virtual bool FindEntry(const void* entry, std::uint8_t* status = nullptr) = 0;

  const std::u16string& FileName() const { return FFileName; }
  bool Scrambled() const { return FScrambled; }

 protected:
  // The file-name resolution every table's Load shares: an empty name takes
  // the remembered file and flag; with nothing remembered, the per-user path of
  // the default file when it exists, else the all-users path.
  void ResolveLoadName(std::u16string& fileName, bool& scrambled,
                       std::u16string_view defaultRelName) const;

  std::u16string FFileName;
  bool FScrambled;
};

}  // namespace bushou
