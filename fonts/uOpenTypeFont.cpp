#include "fonts/uOpenTypeFont.h"

#include <algorithm>

#include "platform/errors.h"

namespace bushou {

TOpenTypeFontFile::TOpenTypeFontFile(std::u16string fileName) : FFileName(std::move(fileName)) {
  FFile = platform::RandomAccessFile::Open(FFileName);
  if (!FFile) throw Error(u"Failed on Create OTFF: CreateFile");
  ReadAll();
}

TOpenTypeFontFile::TOpenTypeFontFile(std::vector<std::uint8_t> bytes, std::u16string fileName)
    : FFileName(std::move(fileName)), FMemory(std::move(bytes)) {
  ReadAll();
}

TOpenTypeFontFile::~TOpenTypeFontFile() = default;

void TOpenTypeFontFile::ReadAll() {
  ReadTableDirectories();
  for (std::size_t i = 0; i < static_cast<std::size_t>(FFaceCount); ++i) {
    TItem_FontName face;
    ReadFaceNames(i, face.Names);
    if (face.Names.empty()) continue;  // a face without an accepted name is not listed
    face.FaceIndex = static_cast<std::uint16_t>(i);
    FFaces.push_back(std::move(face));
  }
}

std::uint64_t TOpenTypeFontFile::DataSize() const { return FFile ? FFile->Size() : FMemory.size(); }

std::size_t TOpenTypeFontFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (FFile) return FFile->ReadAt(offset, out);
  if (offset >= FMemory.size()) return 0;
  const std::size_t n = std::min<std::size_t>(out.size(), FMemory.size() - static_cast<std::size_t>(offset));
  std::copy_n(FMemory.begin() + static_cast<std::ptrdiff_t>(offset), n, out.begin());
  return n;
}

void TOpenTypeFontFile::ReadTableDirectories() {
  // A short file gives a short block: only what it holds is parsed.
  std::vector<std::uint8_t> block(kDirectoryBlockSize);
  block.resize(ReadAt(0, block));
  const TCollectionHeader header = ParseCollectionHeader(block);
  FIsCollection = header.IsCollection;
  FDirectories.clear();
  if (!FIsCollection) {
    FFaceCount = 1;
    FDirectories.push_back(ParseTableDirectory(block));
    return;
  }
  FFaceCount = static_cast<std::int32_t>(header.FaceOffsets.size());
  for (const std::uint32_t offset : header.FaceOffsets) {
    block.assign(kDirectoryBlockSize, 0);
    block.resize(ReadAt(offset, block));
    FDirectories.push_back(ParseTableDirectory(block));
  }
}

const TTableRecord* TOpenTypeFontFile::FindTable(std::size_t face, const TTableTag& tag) const {
  if (face >= FDirectories.size()) return nullptr;
  for (const TTableRecord& r : FDirectories[face]) {
    if (r.Tag == tag) return &r;
  }
  return nullptr;
}

bool TOpenTypeFontFile::ReadTable(const TTableRecord& table) {
  const std::uint64_t size = DataSize();
  if (table.Offset > size || table.Length > size - table.Offset) return false;
  FTableBuffer.resize(table.Length);
  return ReadAt(table.Offset, FTableBuffer) == FTableBuffer.size();
}

void TOpenTypeFontFile::ReadFaceNames(std::size_t face, TDynamicStringArray& names) {
  names.clear();
  const TTableRecord* table = FindTable(face, kTagName);
  if (!table || !ReadTable(*table)) return;
  names = ParseNameTable(FTableBuffer);
  names.resize(static_cast<std::size_t>(
      SortUniqueStrings(names, static_cast<std::int32_t>(names.size()), CompareCaseless)));
}

std::int32_t TOpenTypeFontFile::GetFaceNames(TFontNames& faces) const {
  faces = FFaces;
  return static_cast<std::int32_t>(faces.size());
}

bool TOpenTypeFontFile::FindFaceByName(std::u16string_view name, TItem_FontName& face) const {
  for (const TItem_FontName& f : FFaces) {
    for (const std::u16string& n : f.Names) {
      if (SameCaseless(n, name)) {
        face = f;
        return true;
      }
    }
  }
  return false;
}

std::int32_t TOpenTypeFontFile::GetFaceCMap(std::u16string_view name, TCMap_SingleOTF& info) {
  TItem_FontName face;
  if (!FindFaceByName(name, face)) return 0;
  info.FileName = FFileName;
  info.NameCount = static_cast<std::int32_t>(face.Names.size());
  info.Face = std::move(face);
  return ReadCMapRanges(info.Face, info.Ranges);
}

std::int32_t TOpenTypeFontFile::ReadCMapRanges(const TItem_FontName& face, TRanges_cmap& ranges) {
  ranges.clear();
  const bool listed = std::any_of(FFaces.begin(), FFaces.end(),
                                  [&](const TItem_FontName& f) { return f.FaceIndex == face.FaceIndex; });
  if (!listed) return 0;
  const TTableRecord* table = FindTable(face.FaceIndex, kTagCMap);
  if (!table || !ReadTable(*table)) return 0;
  ParseCMapTable(FTableBuffer, ranges);
  ranges.shrink_to_fit();
  return static_cast<std::int32_t>(ranges.size());
}

}  // namespace bushou
