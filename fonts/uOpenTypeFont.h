// The font file reader: one TrueType/OpenType font file or collection, the full
// names of its faces and the code-point ranges of a face's character map. It is
// the only code that reads font files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chardata/uCommonFuns.h"
#include "fonts/uOpenTypeTables.h"
#include "platform/random_access_file.h"

namespace bushou {

// A face of the file that has at least one accepted full name.
struct TItem_FontName {
  std::uint16_t FaceIndex = 0;  // 0 for a single font, the position in a collection's offset list
  TDynamicStringArray Names;    // the accepted full names, sorted caselessly, without duplicates
};
using TFontNames = std::vector<TItem_FontName>;

// The answer of a coverage query.
struct TCMap_SingleOTF {
  std::u16string FileName;
  std::int32_t NameCount = 0;  // number of names of the face
  TItem_FontName Face;
  TRanges_cmap Ranges;
};

class TOpenTypeFontFile {
 public:
  // Opens the file and reads its table directories and the names of every
  // face. The file stays open, for reading, until the reader is destroyed.
  // Throws Error "Failed on Create OTFF: CreateFile" when it cannot be opened.
  explicit TOpenTypeFontFile(std::u16string fileName);
  // A reader over bytes in memory (tests, fuzzing); fileName is only reported.
  explicit TOpenTypeFontFile(std::vector<std::uint8_t> bytes, std::u16string fileName = {});
  ~TOpenTypeFontFile();
  TOpenTypeFontFile(const TOpenTypeFontFile&) = delete;
  TOpenTypeFontFile& operator=(const TOpenTypeFontFile&) = delete;

  // A copy of the named faces; returns their number.
  std::int32_t GetFaceNames(TFontNames& faces) const;
  // The first face, in list order, with a name equal under SameCaseless.
  bool FindFaceByName(std::u16string_view name, TItem_FontName& face) const;
  // Fills info for the face of that name and returns its number of ranges; 0
  // and info unchanged when no face has the name.
  std::int32_t GetFaceCMap(std::u16string_view name, TCMap_SingleOTF& info);
  // The ranges of the face's character map (read from the file again); a face
  // that is not listed, or has no usable 'cmap', gives none.
  std::int32_t ReadCMapRanges(const TItem_FontName& face, TRanges_cmap& ranges);

  std::int32_t FaceCount() const { return FFaceCount; }
  std::int32_t NamedFaceCount() const { return static_cast<std::int32_t>(FFaces.size()); }
  const TFontNames& Faces() const { return FFaces; }
  const std::u16string& FileName() const { return FFileName; }
  bool IsCollection() const { return FIsCollection; }

 private:
  void ReadTableDirectories();
  const TTableRecord* FindTable(std::size_t face, const TTableTag& tag) const;
  void ReadFaceNames(std::size_t face, TDynamicStringArray& names);
  // Reads the whole table into FTableBuffer; false when it does not lie
  // entirely inside the file or cannot be read.
  bool ReadTable(const TTableRecord& table);
  // Copies up to out.size() bytes at offset; returns how many.
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
  std::uint64_t DataSize() const;
  void ReadAll();

  std::u16string FFileName;
  std::unique_ptr<platform::RandomAccessFile> FFile;  // the open file, or
  std::vector<std::uint8_t> FMemory;                  // the bytes of an in-memory reader
  std::int32_t FFaceCount = 0;
  bool FIsCollection = false;
  std::vector<std::vector<TTableRecord>> FDirectories;  // per face index
  TFontNames FFaces;
  std::vector<std::uint8_t> FTableBuffer;  // reused for every table read
};

}  // namespace bushou
