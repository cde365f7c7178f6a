// The font catalogue: every TrueType font file and collection registered with
// the system, every face in them under all of its full names, and the system's
// font fallback settings (the code page's proportional font, the surrogate
// fallback faces, the font links). Built once per process from the registry and
// the font files; evaluates a face's fallback chain into a coverage record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chardata/uCommonFuns.h"
#include "fonts/uOpenTypeFont.h"
#include "platform/registry.h"

namespace bushou {

// Limits of the tables; entries beyond them are ignored.
inline constexpr std::size_t kMaxCatalogueFiles = 4096;
inline constexpr std::size_t kMaxCatalogueFaceNames = 4096;
inline constexpr std::size_t kMaxRegistryFontPairs = 4096;
// A font-link value is read up to this many bytes.
inline constexpr std::size_t kMaxLinkValueBytes = 0x30000;

// A face of a catalogued file.
struct TCache_Font {
  std::int32_t FaceIndex = 0;  // the face's index in its file
  std::int32_t NameCount = 0;
  TDynamicStringArray Names;   // sorted, unique
};
using TCaches_Fonts = std::vector<TCache_Font>;

// An entry of the file table.
struct TItem_FileToFont {
  std::u16string FileName;     // full path
  std::int32_t FaceCount = 0;  // number of named faces; 0 until the file has been read
  TCaches_Fonts Faces;
};

// An entry of the face-name table.
struct TItem_FontToFile {
  std::u16string FaceName;
  std::int32_t FileIndex = 0;   // into the file table
  std::uint16_t FaceSlot = 0;   // position of the face in that file's Faces
};

// A per-face (directed) surrogate fallback setting.
struct TItem_FallBackByFace {
  std::u16string FaceName;     // the registry key name
  std::int32_t FaceIndex = 0;  // face-name-table index of that name
  std::int32_t Plane1 = -1;    // face-name-table indices, -1 for none
  std::int32_t Plane2 = -1;
};
using TItems_FallBackByFace = std::vector<TItem_FallBackByFace>;

// A font-link setting as read from the registry.
struct TItem_FontLink_Original {
  std::u16string FaceName;     // the registry value name
  std::int32_t FaceIndex = 0;  // face-name-table index of that name
  std::int32_t LinkCount = 0;
  TDynamicStringArray Links;   // linked face names
};
using TFontLinks_Original = std::vector<TItem_FontLink_Original>;

// A font-link setting resolved to face-name-table indices.
struct TItem_FontLink {
  std::int32_t LinkCount = 0;
  std::vector<std::int32_t> Links;
};
using TFontLinks = std::vector<TItem_FontLink>;

// One registry font entry per face name, while the file table is built.
struct TItem_FaceAndFile {
  std::u16string FaceName;
  std::u16string FileName;
};

// The kinds of chain entries, with the labels of the chain description.
enum class TChainKind : int { Self = 0, Link = 1, GenericFallback = 2, DirectedFallback = 3, Default = 4 };

// The coverage record: a bitmap of code points 0..0x2FFFF, then the chain
// description in UTF-16LE ended by a zero unit.
inline constexpr std::size_t kCoverageBitmapSize = 0x6000;
inline constexpr std::uint32_t kCoverageLimit = 0x30000;
// The buffer the coverage reader provides: 0x800 bytes for the description.
inline constexpr std::size_t kCoverageRecordCapacity = 0x6800;
// At most this many entries are described.
inline constexpr std::size_t kMaxChainEntries = 128;

class TFontTools {
 public:
  // Builds the catalogue from the registry's font settings and every registered
  // font file. A file that cannot be opened is skipped.
  explicit TFontTools(platform::Registry& registry);
  ~TFontTools();
  TFontTools(const TFontTools&) = delete;
  TFontTools& operator=(const TFontTools&) = delete;

  // --- Look-ups ---------------------------------------------------------------
  // Binary search of the face-name table, caseless.
  bool FindFace(std::u16string_view name, std::int32_t& index) const;
  // The same entry, or entries of the same face of the same file; -1 is no face.
  bool IsSameFace(std::int32_t a, std::int32_t b) const;
  // SurrogateMode is 2 or some directed fallback setting exists.
  bool SurrogateEnabled() const;
  // Makes the reader of that file-table entry current, reading its faces the
  // first time. Errors of the reader propagate.
  void OpenFontFile(std::int32_t fileIndex);
  // The first face, in slot order, of the file with a name equal under SameCaseless.
  bool FindFaceSlot(std::int32_t fileIndex, std::u16string_view name, std::int32_t& slot) const;
  // Binary search of the file table, caseless.
  bool FindFile(std::u16string_view path, std::int32_t& index) const;
  // The extension from the last "." is ".TTC" or ".TTF", ASCII letters caseless.
  static bool IsTrueTypeFile(std::u16string_view path);
  // The face names of a Fonts value name: "Alpha & Beta (TrueType)" gives
  // Alpha and Beta; a name ending in ")" without "(" gives none.
  static TDynamicStringArray SplitFontsValueName(std::u16string_view valueName);
  // A font-link entry "FILE[,FACE[,...]]" resolved to a face name, if any.
  std::optional<std::u16string> ParseLinkEntry(std::u16string_view entry) const;

  // --- Chain coverage ---------------------------------------------------------
  // Evaluates the fallback chain of the face, writes the coverage record into
  // buffer and returns its size (0x6000 + 2L + 2). 0, and nothing written, when
  // the face is not catalogued or the buffer cannot hold a bitmap and an empty
  // description. A description longer than the buffer allows is cut after the
  // last entry that fits; the bitmap stays whole.
  std::int32_t GetChainCoverage(std::u16string_view faceName, std::span<std::uint8_t> buffer);

  // --- State ------------------------------------------------------------------
  std::uint32_t AnsiCodePage() const { return FAnsiCodePage; }
  const std::u16string& FontsFolder() const { return FFontsFolder; }
  const std::u16string& ProportionalFont() const { return FProportionalFont; }
  std::int32_t SurrogateMode() const { return FSurrogateMode; }
  std::int32_t Plane1Face() const { return FPlane1Face; }
  std::int32_t Plane2Face() const { return FPlane2Face; }
  const TItems_FallBackByFace& FallbackByFace() const { return FFallbackByFace; }
  const std::vector<TItem_FileToFont>& Files() const { return FFiles; }
  std::int32_t FileCount() const { return static_cast<std::int32_t>(FFiles.size()); }
  const std::vector<TItem_FontToFile>& FaceNames() const { return FFaceNames; }
  std::int32_t FaceNameCount() const { return static_cast<std::int32_t>(FFaceNames.size()); }
  const TFontLinks_Original& RegistryLinks() const { return FRegistryLinks; }
  const TFontLinks& Links() const { return FLinks; }
  std::int32_t CurrentFileIndex() const { return FCurrentFileIndex; }
  TOpenTypeFontFile* CurrentFile() const { return FCurrentFile.get(); }

 private:
  void BuildFileTable();
  void ScanFaces();
  void ReadFontSettings();
  void ReadProportionalFont();
  void ReadSurrogateMode();
  void ReadSurrogateFallback();
  void ReadFontLinks();
  void BuildLinkTable();
  // A file name without a directory part, in the fonts folder.
  std::u16string InFontsFolder(std::u16string_view file) const;
  std::int32_t LookupPlaneFace(const platform::RegistryKey& key, std::u16string_view valueName) const;
  std::u16string DisplayName(std::int32_t fileIndex, std::u16string_view name) const;
  void AddChainEntry(std::int32_t entry, std::uint32_t low, std::uint32_t high, TChainKind kind,
                     TDynamicStringArray& entries);

  platform::Registry& FRegistry;
  std::uint32_t FAnsiCodePage = 0;
  std::u16string FFontsFolder;
  std::u16string FProportionalFont;
  std::int32_t FSurrogateMode = 0;
  std::int32_t FPlane1Face = -1;
  std::int32_t FPlane2Face = -1;
  TItems_FallBackByFace FFallbackByFace;
  std::vector<TItem_FileToFont> FFiles;
  std::vector<TItem_FontToFile> FFaceNames;
  std::unique_ptr<TOpenTypeFontFile> FCurrentFile;
  std::int32_t FCurrentFileIndex = -1;
  bool FScanning = false;  // face names are added only while the files are scanned
  std::vector<std::uint8_t> FCoverageMap;  // one byte per code point 0..0x2FFFF
  TFontLinks_Original FRegistryLinks;
  TFontLinks FLinks;
};

// The process-wide catalogue over the process's registry, built on the first
// call; a failed build leaves none, so the next call tries again.
TFontTools& GetFontTools();
// Frees the process-wide catalogue (process end; tests start over with it).
void FreeFontTools();

// Sets the map bytes from max(First, low) to min(Last, high) of every range
// that meets [low, high]; the map is not cleared first.
void MarkRanges(const TRanges_cmap& ranges, std::uint32_t low, std::uint32_t high,
                std::span<std::uint8_t> map);
// Packs the byte map (one byte per code point) into the first 0x6000 bytes of
// buffer: bit (c mod 8) of byte (c div 8), least significant bit first.
void BuildBitmap(std::span<const std::uint8_t> map, std::span<std::uint8_t> buffer);
// The label of a chain entry kind: "本身", "链接", "通用回退", "定向回退", "缺省".
std::u16string_view ChainLabel(TChainKind kind);

}  // namespace bushou
