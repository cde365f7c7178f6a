#include "chardata/uHZ_BS.h"

#include "chardata/uCommonFuns.h"

namespace bushou {

bool THZBS::LoadFromFile(const std::u16string& fileName, bool scrambled) {
  FFileName = fileName;
  FScrambled = scrambled;
  return true;
}

bool THZBS::Load(const std::u16string& fileName, bool scrambled) {
  std::u16string name = fileName;
  ResolveLoadName(name, scrambled, DataFileName(kRadicalFile));
  return LoadFromFile(name, scrambled);
}

std::int32_t THZBS::SaveToFile(const std::u16string&, bool) { return 0; }
bool THZBS::AddEntry(const void*, std::uint8_t*, const TConfirmEntry&) { return true; }
bool THZBS::DeleteEntry(const void*, std::uint8_t*, const TConfirmEntry&) { return true; }
bool THZBS::FindEntry(const void*, std::uint8_t*) { return true; }

}  // namespace bushou
