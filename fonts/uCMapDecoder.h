// The glyph coverage reader: whether a code point can be drawn with a face or
// one of the faces the system falls back to from it. Holds one coverage record
// (a 0x6000-byte bitmap and the chain description), built from the installed
// fonts for a face name, or loaded from the cache file "cmap.dat".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chardata/uCommonFuns.h"
#include "platform/bytes.h"

namespace bushou {

class TFontTools;

// A cache file holds one record: 0x6000 to 0x67FF bytes.
inline constexpr std::uint32_t kCMapFileMinSize = 0x6000;
inline constexpr std::uint32_t kCMapFileMaxSize = 0x67FF;

class TCMapDataDecoder {
 public:
  // File mode: loads "cmap.dat" from the all-users data root. Throws Error
  // "文件不存在：<path>" when it is missing and "文件[<path>]并非所望" when its
  // size is wrong or its description holds no name list.
  TCMapDataDecoder();
  // Face mode: the coverage of the face's fallback chain, from the process's
  // font catalogue (built on first use; its errors propagate). A face that is
  // not installed gives a reader that answers false for every code point. An
  // empty face name selects file mode.
  explicit TCMapDataDecoder(std::u16string_view faceName);
  // Face mode over a given catalogue.
  TCMapDataDecoder(TFontTools& fonts, std::u16string_view faceName);

  // A file-mode reader over the bytes of a cache file; nullptr when they are
  // not an acceptable record.
  static std::unique_ptr<TCMapDataDecoder> FromFileBytes(platform::Bytes bytes);

  // Bit (codePoint mod 8) of byte (codePoint div 8) of the bitmap; false at or
  // above 0x30000 and for a reader without coverage.
  bool IsSupported(std::uint32_t codePoint) const;
  // Fills NamesText, Names and NameCount from the text between the first "("
  // and the next ")" of the description; false when there is none.
  bool ParseNames();

  std::int32_t TextSize() const { return FTextSize; }
  const std::u16string& NamesText() const { return FNamesText; }
  const TDynamicStringArray& Names() const { return FNames; }
  std::int32_t NameCount() const { return FNameCount; }
  const std::u16string& FaceName() const { return FFaceName; }
  bool FromFonts() const { return FFromFonts; }
  // The whole record; empty for a face that is not installed.
  const std::vector<std::uint8_t>& Record() const { return FStream; }
  // The chain description, up to its terminating zero unit.
  std::u16string Description() const;
  // The number of code points the bitmap marks.
  std::uint32_t CoveredCount() const;

 private:
  struct FileModeTag {};
  explicit TCMapDataDecoder(FileModeTag) {}
  void BuildFromFonts(TFontTools& fonts, std::u16string_view faceName);
  void LoadFile();
  bool LoadRecord(std::vector<std::uint8_t> bytes);
  std::u16string DescriptionUnits() const;

  std::vector<std::uint8_t> FStream;
  std::int32_t FTextSize = 0;
  std::u16string FNamesText;
  TDynamicStringArray FNames;
  std::int32_t FNameCount = 0;
  std::u16string FFaceName;
  bool FFromFonts = false;
};

}  // namespace bushou
