// The catalogue's construction from the Fonts key and the font files, and its
// look-ups. The fallback settings are in uFontSettings.cpp, the chain coverage
// in uFontChain.cpp.
#include "fonts/uFontUtils.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text.h"

namespace bushou {
namespace {

std::unique_ptr<TFontTools>& Instance() {
  static std::unique_ptr<TFontTools> instance;
  return instance;
}

}  // namespace

std::u16string TFontTools::InFontsFolder(std::u16string_view file) const {
  const bool hasDirectory = file.find(platform::kPathSeparator) != std::u16string_view::npos ||
                            file.find(u'/') != std::u16string_view::npos;
  if (hasDirectory) return std::u16string(file);
  return FFontsFolder + platform::kPathSeparator + std::u16string(file);
}

TFontTools::TFontTools(platform::Registry& registry)
    : FRegistry(registry),
      FAnsiCodePage(platform::AnsiCodePage()),
      FFontsFolder(GetFontsFolder(false)),
      FCoverageMap(kCoverageLimit, 0) {
  BuildFileTable();
  ScanFaces();
  ReadFontSettings();
  BuildLinkTable();
}

TFontTools::~TFontTools() = default;

bool TFontTools::IsTrueTypeFile(std::u16string_view path) {
  const std::size_t dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos) return false;
  const std::u16string_view ext = path.substr(dot);
  return SameCaseless(ext, u".TTC") || SameCaseless(ext, u".TTF");
}

TDynamicStringArray TFontTools::SplitFontsValueName(std::u16string_view valueName) {
  TDynamicStringArray faces;
  std::u16string_view names = valueName;
  if (!names.empty() && names.back() == u')') {
    const std::size_t open = names.rfind(u'(');
    if (open == std::u16string_view::npos) return faces;
    names = names.substr(0, open);
    while (!names.empty() && names.back() <= u' ') names.remove_suffix(1);
    if (names.empty()) return faces;
  }
  TDynamicStringArray pieces;
  const std::int32_t n = SplitString(names, pieces, u"&");
  for (std::int32_t i = 0; i < n; ++i) {
    const std::u16string_view face = platform::TrimBlanks(pieces[static_cast<std::size_t>(i)]);
    if (!face.empty()) faces.emplace_back(face);
  }
  return faces;
}

void TFontTools::BuildFileTable() {
  const auto key = FRegistry.OpenKey(platform::RegistryRoot::LocalMachine, platform::kFontsKey);
  if (!key) return;
  std::vector<TItem_FaceAndFile> pairs;
  for (const std::u16string& rawName : key->ValueNames()) {
    if (pairs.size() >= kMaxRegistryFontPairs) break;
    const std::u16string_view name = platform::TrimBlanks(rawName);
    const auto value = key->ReadValue(name);
    // A value that is not text is skipped like a missing one: one odd entry
    // must not cost the whole catalogue.
    const auto file = value ? value->AsString() : std::nullopt;
    if (!file || !IsTrueTypeFile(*file)) continue;
    const std::u16string path = InFontsFolder(*file);
    if (!platform::FileExists(path)) continue;
    for (std::u16string& face : SplitFontsValueName(name)) {
      if (pairs.size() >= kMaxRegistryFontPairs) break;
      pairs.push_back({std::move(face), path});
    }
  }
  TDynamicStringArray paths;
  paths.reserve(pairs.size());
  for (const TItem_FaceAndFile& p : pairs) paths.push_back(p.FileName);
  const auto count = static_cast<std::size_t>(
      SortUniqueStrings(paths, static_cast<std::int32_t>(paths.size()), CompareCaseless));
  for (std::size_t i = 0; i < count && i < kMaxCatalogueFiles; ++i) {
    FFiles.push_back({std::move(paths[i]), 0, {}});
  }
}

void TFontTools::ScanFaces() {
  FScanning = true;
  for (std::int32_t i = 0; i < FileCount(); ++i) {
    try {
      OpenFontFile(i);
    } catch (const Error&) {
      // A file that cannot be opened is skipped; the others still count.
    }
  }
  FScanning = false;
  std::stable_sort(FFaceNames.begin(), FFaceNames.end(), [](const TItem_FontToFile& a, const TItem_FontToFile& b) {
    const int c = CompareCaseless(a.FaceName, b.FaceName);
    return c != 0 ? c < 0 : a.FileIndex < b.FileIndex;
  });
  // Of each run of equal names the first stays: the face of the file whose path sorts first.
  const auto last = std::unique(FFaceNames.begin(), FFaceNames.end(),
                                [](const TItem_FontToFile& a, const TItem_FontToFile& b) {
                                  return SameCaseless(a.FaceName, b.FaceName);
                                });
  FFaceNames.erase(last, FFaceNames.end());
}

void TFontTools::OpenFontFile(std::int32_t fileIndex) {
  if (fileIndex < 0 || fileIndex >= FileCount()) return;
  TItem_FileToFont& file = FFiles[static_cast<std::size_t>(fileIndex)];
  if (FCurrentFileIndex != fileIndex) {
    FCurrentFile.reset();
    FCurrentFileIndex = -1;
    FCurrentFile = std::make_unique<TOpenTypeFontFile>(file.FileName);
    FCurrentFileIndex = fileIndex;
  }
  if (file.FaceCount > 0) return;
  const TFontNames& faces = FCurrentFile->Faces();
  file.FaceCount = static_cast<std::int32_t>(faces.size());
  file.Faces.clear();
  for (std::size_t slot = 0; slot < faces.size(); ++slot) {
    const TItem_FontName& face = faces[slot];
    file.Faces.push_back({face.FaceIndex, static_cast<std::int32_t>(face.Names.size()), face.Names});
    // After the scan the face-name table is sorted; it takes no more entries.
    if (!FScanning) continue;
    for (const std::u16string& name : face.Names) {
      if (FFaceNames.size() >= kMaxCatalogueFaceNames) break;
      FFaceNames.push_back({name, fileIndex, static_cast<std::uint16_t>(slot)});
    }
  }
}

bool TFontTools::FindFace(std::u16string_view name, std::int32_t& index) const {
  const auto it = std::lower_bound(FFaceNames.begin(), FFaceNames.end(), name,
                                   [](const TItem_FontToFile& e, std::u16string_view n) {
                                     return CompareCaseless(e.FaceName, n) < 0;
                                   });
  if (it == FFaceNames.end() || !SameCaseless(it->FaceName, name)) return false;
  index = static_cast<std::int32_t>(it - FFaceNames.begin());
  return true;
}

bool TFontTools::IsSameFace(std::int32_t a, std::int32_t b) const {
  const std::int32_t n = FaceNameCount();
  if (a < 0 || b < 0 || a >= n || b >= n) return false;
  if (a == b) return true;
  const TItem_FontToFile& x = FFaceNames[static_cast<std::size_t>(a)];
  const TItem_FontToFile& y = FFaceNames[static_cast<std::size_t>(b)];
  return x.FileIndex == y.FileIndex && x.FaceSlot == y.FaceSlot;
}

bool TFontTools::SurrogateEnabled() const { return FSurrogateMode == 2 || !FFallbackByFace.empty(); }

bool TFontTools::FindFaceSlot(std::int32_t fileIndex, std::u16string_view name, std::int32_t& slot) const {
  if (fileIndex < 0 || fileIndex >= FileCount()) return false;
  const TCaches_Fonts& faces = FFiles[static_cast<std::size_t>(fileIndex)].Faces;
  for (std::size_t s = 0; s < faces.size(); ++s) {
    for (const std::u16string& n : faces[s].Names) {
      if (SameCaseless(n, name)) {
        slot = static_cast<std::int32_t>(s);
        return true;
      }
    }
  }
  return false;
}

bool TFontTools::FindFile(std::u16string_view path, std::int32_t& index) const {
  const auto it = std::lower_bound(FFiles.begin(), FFiles.end(), path,
                                   [](const TItem_FileToFont& f, std::u16string_view p) {
                                     return CompareCaseless(f.FileName, p) < 0;
                                   });
  if (it == FFiles.end() || !SameCaseless(it->FileName, path)) return false;
  index = static_cast<std::int32_t>(it - FFiles.begin());
  return true;
}

TFontTools& GetFontTools() {
  auto& instance = Instance();
  if (!instance) instance = std::make_unique<TFontTools>(platform::GetRegistry());
  return *instance;
}

void FreeFontTools() { Instance().reset(); }

}  // namespace bushou
