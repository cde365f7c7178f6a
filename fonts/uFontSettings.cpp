// The catalogue's fallback settings: the code page's proportional font, the
// surrogate mode and fallback faces, and the font links.
#include <algorithm>

#include "fonts/uFontUtils.h"
#include "platform/text.h"

namespace bushou {
namespace {

using platform::RegistryRoot;


// The texts of a multi-string value: walked from the start while the current
// text is not empty and lies within the value. Values longer than the scratch
// area are read only as far as it reaches.
std::vector<std::u16string> MultiStringEntries(const std::vector<std::uint8_t>& raw) {
  std::vector<std::u16string> entries;
  std::size_t counted = std::min(raw.size(), kMaxLinkValueBytes);
  if (counted < 4) return entries;
  // A list ended by its extra zero unit: that unit is not part of the texts.
  if (std::all_of(raw.begin() + static_cast<std::ptrdiff_t>(counted - 4),
                  raw.begin() + static_cast<std::ptrdiff_t>(counted), [](std::uint8_t b) { return b == 0; })) {
    counted -= 2;
  }
  const std::size_t units = counted / 2;
  const auto unit = [&raw](std::size_t i) { return static_cast<char16_t>(raw[2 * i] | (raw[2 * i + 1] << 8)); };
  std::size_t pos = 0;
  while (pos < units && unit(pos) != 0) {
    std::u16string text;
    while (pos < units && unit(pos) != 0) text.push_back(unit(pos++));
    entries.push_back(std::move(text));
    ++pos;  // the text's zero unit
  }
  return entries;
}

}  // namespace

void TFontTools::ReadFontSettings() {
  ReadProportionalFont();
  ReadSurrogateMode();
  ReadSurrogateFallback();
  ReadFontLinks();
}

void TFontTools::ReadProportionalFont() {
  std::u16string path(platform::kCodepageKeyPrefix);
  path += platform::Widen(std::to_string(FAnsiCodePage));
  const auto key = FRegistry.OpenKey(RegistryRoot::ClassesRoot, path);
  if (!key) return;
  const auto value = key->ReadValue(u"ProportionalFont");
  FProportionalFont = value ? value->AsString().value_or(std::u16string()) : std::u16string();
}

void TFontTools::ReadSurrogateMode() {
  const auto key = FRegistry.OpenKey(RegistryRoot::LocalMachine, platform::kLanguagePackKey);
  if (!key) return;
  if (const auto value = key->ReadValue(u"SURROGATE")) {
    if (const auto mode = value->AsDWord()) FSurrogateMode = static_cast<std::int32_t>(*mode);
  }
}

std::int32_t TFontTools::LookupPlaneFace(const platform::RegistryKey& key, std::u16string_view valueName) const {
  const auto value = key.ReadValue(valueName);
  const auto name = value ? value->AsString() : std::nullopt;
  std::int32_t index = -1;
  if (!name || !FindFace(*name, index)) return -1;
  return index;
}

void TFontTools::ReadSurrogateFallback() {
  const auto key = FRegistry.OpenKey(RegistryRoot::LocalMachine, platform::kSurrogateFallbackKey);
  if (!key) return;
  FPlane1Face = LookupPlaneFace(*key, u"Plane1");
  FPlane2Face = LookupPlaneFace(*key, u"Plane2");
  for (const std::u16string& name : key->SubKeyNames()) {
    std::int32_t face = -1;
    if (!FindFace(name, face)) continue;
    std::u16string path(platform::kSurrogateFallbackKey);
    path += u'\\';
    path += name;
    const auto sub = FRegistry.OpenKey(RegistryRoot::LocalMachine, path);
    if (!sub) continue;
    TItem_FallBackByFace record{name, face, LookupPlaneFace(*sub, u"Plane1"), LookupPlaneFace(*sub, u"Plane2")};
    if (record.Plane1 >= 0 || record.Plane2 >= 0) FFallbackByFace.push_back(std::move(record));
  }
}

void TFontTools::ReadFontLinks() {
  const auto key = FRegistry.OpenKey(RegistryRoot::LocalMachine, platform::kSystemLinkKey);
  if (!key) return;
  TDynamicStringArray names = key->ValueNames();
  if (names.empty()) return;
  names.resize(static_cast<std::size_t>(
      SortUniqueStrings(names, static_cast<std::int32_t>(names.size()), CompareCaseless)));
  for (std::u16string& name : names) {
    std::int32_t face = -1;
    if (FindFace(name, face)) FRegistryLinks.push_back({std::move(name), face, 0, {}});
  }
  for (TItem_FontLink_Original& record : FRegistryLinks) {
    const auto value = key->ReadValue(record.FaceName);
    if (!value) continue;
    for (const std::u16string& entry : MultiStringEntries(value->data)) {
      if (auto name = ParseLinkEntry(entry)) record.Links.push_back(std::move(*name));
    }
    record.LinkCount = SortUniqueStrings(record.Links, static_cast<std::int32_t>(record.Links.size()), CompareCaseless);
    record.Links.resize(static_cast<std::size_t>(record.LinkCount));
  }
}

std::optional<std::u16string> TFontTools::ParseLinkEntry(std::u16string_view entry) const {
  const std::u16string upper = platform::UpperAscii(std::u16string(entry));
  TDynamicStringArray pieces;
  const std::int32_t n = SplitString(upper, pieces, u",");
  if (n < 1 || !IsTrueTypeFile(pieces[0])) return std::nullopt;
  std::int32_t file = -1;
  if (!FindFile(InFontsFolder(pieces[0]), file)) return std::nullopt;
  const TItem_FileToFont& item = FFiles[static_cast<std::size_t>(file)];
  if (item.FaceCount == 1) {
    if (item.Faces.empty() || item.Faces[0].Names.empty()) return std::nullopt;
    return item.Faces[0].Names[0];
  }
  std::int32_t slot = -1;
  if (n >= 2 && FindFaceSlot(file, pieces[1], slot)) return pieces[1];
  return std::nullopt;
}

void TFontTools::BuildLinkTable() {
  if (FaceNameCount() == 0) return;
  FLinks.assign(FFaceNames.size(), TItem_FontLink{});
  for (const TItem_FontLink_Original& record : FRegistryLinks) {
    TItem_FontLink& links = FLinks[static_cast<std::size_t>(record.FaceIndex)];
    links.Links.clear();
    for (const std::u16string& name : record.Links) {
      std::int32_t face = -1;
      if (FindFace(name, face) && !IsSameFace(face, record.FaceIndex)) links.Links.push_back(face);
    }
    links.LinkCount = static_cast<std::int32_t>(links.Links.size());
  }
}

}  // namespace bushou
