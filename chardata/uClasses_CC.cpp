#include "chardata/uClasses_CC.h"

#include <array>
#include <stdexcept>

#include "chardata/uCommonFuns.h"

namespace bushou {
namespace {

std::array<std::uint8_t, kCodePointLimit>& CharClasses() {
  static std::array<std::uint8_t, kCodePointLimit> table{};
  return table;
}

std::uint8_t& Entry(std::uint32_t code) {
  if (code >= kCodePointLimit) throw std::out_of_range("code point above U+2FFFF");
  return CharClasses()[code];
}

}  // namespace

void SetCharClass(std::uint8_t flag, std::uint32_t code) {
  std::uint8_t& e = Entry(code);
  if (flag <= 7) e = static_cast<std::uint8_t>(e | (1u << flag));
}

bool HasCharClass(std::uint8_t flag, std::uint32_t code) {
  const std::uint8_t e = Entry(code);
  return flag <= 7 && (e & (1u << flag)) != 0;
}

void RemoveCharClass(std::uint8_t flag, std::uint32_t code) {
  std::uint8_t& e = Entry(code);
  if (flag <= 7) e = static_cast<std::uint8_t>(e & ~(1u << flag));
}

void ResetCharClasses() { CharClasses().fill(0); }

void TObject_CC::ResolveLoadName(std::u16string& fileName, bool& scrambled,
                                 std::u16string_view defaultRelName) const {
  if (!fileName.empty()) return;
  if (!FFileName.empty()) {
    fileName = FFileName;
    scrambled = FScrambled;
    return;
  }
  fileName = GetDataFilePath(defaultRelName, false);
  if (!platform::FileExists(fileName)) fileName = GetDataFilePath(defaultRelName, true);
}

}  // namespace bushou
