// Fallback chain coverage: which code points a face, or one of the faces the
// system falls back to from it, can draw, and the description of that chain.
#include <algorithm>

#include "fonts/uFontUtils.h"
#include "platform/errors.h"

namespace bushou {
namespace {

constexpr std::uint32_t kLastCode = kCoverageLimit - 1;  // 0x2FFFF
constexpr std::uint32_t kBmpLast = 0xFFFF;
constexpr std::uint32_t kPlane1First = 0x10000, kPlane1Last = 0x1FFFF;
constexpr std::uint32_t kPlane2First = 0x20000, kPlane2Last = 0x2FFFF;

// The entries joined by "|", as many whole entries as fit in maxUnits.
std::u16string Describe(const TDynamicStringArray& entries, std::size_t maxUnits) {
  std::u16string text;
  for (std::size_t i = 0; i < entries.size() && i < kMaxChainEntries; ++i) {
    const std::size_t grown = text.size() + (i > 0 ? 1 : 0) + entries[i].size();
    if (grown > maxUnits) break;
    if (i > 0) text.push_back(u'|');
    text += entries[i];
  }
  return text;
}

}  // namespace

std::u16string_view ChainLabel(TChainKind kind) {
  switch (kind) {
    case TChainKind::Self:
      return u"本身";
    case TChainKind::Link:
      return u"链接";
    case TChainKind::GenericFallback:
      return u"通用回退";
    case TChainKind::DirectedFallback:
      return u"定向回退";
    case TChainKind::Default:
      return u"缺省";
  }
  return {};
}

void MarkRanges(const TRanges_cmap& ranges, std::uint32_t low, std::uint32_t high, std::span<std::uint8_t> map) {
  if (map.empty()) return;
  high = std::min<std::uint32_t>(high, static_cast<std::uint32_t>(std::min<std::size_t>(map.size() - 1, 0xFFFFFFFFu)));
  for (const TRange_cmap& r : ranges) {
    if (r.First > high || r.Last < low) continue;
    const std::uint32_t from = std::max(r.First, low);
    const std::uint32_t to = std::min(r.Last, high);
    std::fill(map.begin() + static_cast<std::ptrdiff_t>(from), map.begin() + static_cast<std::ptrdiff_t>(to) + 1,
              std::uint8_t{1});
  }
}

void BuildBitmap(std::span<const std::uint8_t> map, std::span<std::uint8_t> buffer) {
  const std::size_t bytes = std::min(kCoverageBitmapSize, buffer.size());
  std::fill_n(buffer.begin(), bytes, std::uint8_t{0});
  const std::size_t codes = std::min(map.size(), bytes * 8);
  for (std::size_t c = 0; c < codes; ++c) {
    if (map[c]) buffer[c / 8] = static_cast<std::uint8_t>(buffer[c / 8] | (1u << (c % 8)));
  }
}

std::u16string TFontTools::DisplayName(std::int32_t fileIndex, std::u16string_view name) const {
  std::int32_t slot = -1;
  if (!FindFaceSlot(fileIndex, name, slot)) return {};
  const TDynamicStringArray& names =
      FFiles[static_cast<std::size_t>(fileIndex)].Faces[static_cast<std::size_t>(slot)].Names;
  if (names.size() <= 1) return names.empty() ? std::u16string() : names[0];
  std::u16string text(1, u'(');
  text += JoinStrings(names, static_cast<std::int32_t>(names.size()), u';');
  text += u')';
  return text;
}

void TFontTools::AddChainEntry(std::int32_t entry, std::uint32_t low, std::uint32_t high, TChainKind kind,
                               TDynamicStringArray& entries) {
  const TItem_FontToFile& face = FFaceNames[static_cast<std::size_t>(entry)];
  try {
    OpenFontFile(face.FileIndex);
    TCMap_SingleOTF info;
    if (FCurrentFile && FCurrentFile->GetFaceCMap(face.FaceName, info) > 0) {
      MarkRanges(info.Ranges, low, high, FCoverageMap);
    }
  } catch (const Error&) {
    // The file went away since the catalogue was built: the face adds no coverage.
  }
  std::u16string text = DisplayName(face.FileIndex, face.FaceName);
  text += u'{';
  text += ChainLabel(kind);
  text += u'}';
  entries.push_back(std::move(text));
}

std::int32_t TFontTools::GetChainCoverage(std::u16string_view faceName, std::span<std::uint8_t> buffer) {
  std::int32_t self = -1;
  if (!FindFace(faceName, self)) return 0;
  if (buffer.size() < kCoverageBitmapSize + 2) return 0;
  std::fill(FCoverageMap.begin(), FCoverageMap.end(), std::uint8_t{0});
  TDynamicStringArray entries;
  std::int32_t f1 = -1, f2 = -1;
  bool added = false;

  AddChainEntry(self, 0, kLastCode, TChainKind::Self, entries);

  if (SurrogateEnabled()) {
    const auto directed = std::find_if(FFallbackByFace.begin(), FFallbackByFace.end(),
                                       [&](const TItem_FallBackByFace& r) { return IsSameFace(r.FaceIndex, self); });
    if (directed != FFallbackByFace.end()) {
      f1 = directed->Plane1;
      if (f1 >= 0 && !IsSameFace(f1, self)) {
        AddChainEntry(f1, kPlane1First, kPlane1Last, TChainKind::DirectedFallback, entries);
        added = true;
      }
      f2 = directed->Plane2;
      if (f2 >= 0 && !IsSameFace(f2, self)) {
        AddChainEntry(f2, kPlane2First, kPlane2Last, TChainKind::DirectedFallback, entries);
        added = true;
      }
    }
    if (!added) {
      if (FPlane1Face >= 0 && !IsSameFace(FPlane1Face, self)) {
        f1 = FPlane1Face;
        AddChainEntry(f1, kPlane1First, kPlane1Last, TChainKind::GenericFallback, entries);
        added = true;
      }
      if (FPlane2Face >= 0 && !IsSameFace(FPlane2Face, self)) {
        f2 = FPlane2Face;
        AddChainEntry(f2, kPlane2First, kPlane2Last, TChainKind::GenericFallback, entries);
        added = true;
      }
    }
  }

  std::int32_t fallbackDefault = -1;
  if (!FindFace(FProportionalFont, fallbackDefault)) fallbackDefault = -1;
  if (fallbackDefault >= 0 && !IsSameFace(fallbackDefault, self) &&
      (!added || (!IsSameFace(fallbackDefault, f1) && !IsSameFace(fallbackDefault, f2)))) {
    AddChainEntry(fallbackDefault, 0, kBmpLast, TChainKind::Default, entries);
  }

  const auto linked = std::find_if(FRegistryLinks.begin(), FRegistryLinks.end(),
                                   [&](const TItem_FontLink_Original& r) { return IsSameFace(r.FaceIndex, self); });
  if (linked != FRegistryLinks.end()) {
    // Copied: AddChainEntry does not touch the link table, but a copy keeps that obvious.
    const std::vector<std::int32_t> links = FLinks[static_cast<std::size_t>(linked->FaceIndex)].Links;
    for (const std::int32_t k : links) {
      if (!IsSameFace(k, fallbackDefault)) AddChainEntry(k, 0, kBmpLast, TChainKind::Link, entries);
    }
  }

  BuildBitmap(FCoverageMap, buffer);

  if (entries.size() > 1) {
    TDynamicStringArray rest(entries.begin() + 1, entries.end());
    const auto n = static_cast<std::size_t>(
        SortUniqueStrings(rest, static_cast<std::int32_t>(rest.size()), CompareCaseless));
    entries.resize(1);
    entries.insert(entries.end(), rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(n));
  }
  const std::size_t maxUnits = (buffer.size() - kCoverageBitmapSize - 2) / 2;
  const std::u16string text = Describe(entries, maxUnits);
  std::size_t at = kCoverageBitmapSize;
  for (const char16_t c : text) {
    buffer[at++] = static_cast<std::uint8_t>(c & 0xFF);
    buffer[at++] = static_cast<std::uint8_t>(c >> 8);
  }
  buffer[at++] = 0;
  buffer[at++] = 0;
  return static_cast<std::int32_t>(at);
}

}  // namespace bushou
