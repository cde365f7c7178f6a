// The character radical table. It fills the radical slot of the table holder
// but carries no data: it knows its file, "hzbs.dat", and can remember where
// that file is, yet never reads it. The radical index (uBSData) reads it.
#pragma once

#include <string>

#include "chardata/uClasses_CC.h"

namespace bushou {

class THZBS : public TObject_CC {
 public:
  // Remembers the name only; does not load.
  THZBS(const std::u16string& fileName, bool scrambled) : TObject_CC(fileName, scrambled) {}

  // Remembers fileName and scrambled and answers true; reads nothing, not even
  // whether the file exists.
  bool LoadFromFile(const std::u16string& fileName, bool scrambled) override;
  // Resolves the name as every table does (default "hzbs.dat"), then LoadFromFile.
  bool Load(const std::u16string& fileName, bool scrambled) override;
  std::int32_t SaveToFile(const std::u16string& fileName, bool scrambled) override;
  bool AddEntry(const void* entry, std::uint8_t* status, const TConfirmEntry& confirm) override;
  bool DeleteEntry(const void* entry, std::uint8_t* status, const TConfirmEntry& confirm) override;
  bool FindEntry(const void* entry, std::uint8_t* status) override;
};

}  // namespace bushou
