// The font settings of a Linux desktop, presented as the registry keys the font
// catalogue reads, so that its own algorithm runs unchanged and sees what this
// desktop will really draw:
//   Fonts            one value per .ttf/.ttc file fontconfig knows: the file's
//                    full names joined by " & " plus " (TrueType)" -> the path;
//   FontLink\SystemLink
//                    for each face asked about, fontconfig's fallback order for
//                    that face with lang=zh-cn, as "file,face" entries;
//   LanguagePack     SURROGATE = 2;
//   ...\SurrogateFallback
//                    Plane1, Plane2: of fontconfig's fallback order for
//                    sans-serif:lang=zh-cn, the face that covers the most of the
//                    plane's ideographs;
//   HKCR\MIME\Database\Codepage\936
//                    ProportionalFont: fontconfig's match for sans-serif:lang=zh-cn.
// The keys are built once, when first opened; SystemLink values are added for
// faces asked about later.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <set>
#include <span>
#include <string>

#include "platform/codepage.h"
#include "platform/registry.h"
#include "platform/registry_memory.h"
#include "platform/text.h"

namespace bushou::platform {
namespace {

constexpr const char* kChineseLang = "zh-cn";
constexpr FcChar32 kBmpIdeograph = 0x4E00;  // 一: the face that draws this draws the grid

struct CodeRange {
  FcChar32 first, last;
};
// The ideographic blocks of plane 1 (Unicode 15 block list): ideographic
// symbols, Tangut, Tangut components, Khitan, Nushu, enclosed ideographs.
constexpr CodeRange kPlane1Ideographs[] = {{0x16FE0, 0x16FFF}, {0x17000, 0x187FF}, {0x18800, 0x18AFF},
                                           {0x18B00, 0x18CFF}, {0x1B170, 0x1B2FF}, {0x1F200, 0x1F2FF}};
// Plane 2 holds only ideographs (CJK extensions B to F, compatibility supplement).
constexpr CodeRange kPlane2Ideographs[] = {{0x20000, 0x2FFFF}};

std::string Utf8(std::u16string_view text) { return ToUtf8(text); }

bool IsTrueTypePath(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  std::string ext = path.substr(dot);
  for (char& c : ext) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return ext == ".TTF" || ext == ".TTC";
}

std::string GetString(FcPattern* font, const char* object, int n = 0) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(font, object, n, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

// The face's first full name; its family where the font has no full name.
std::string FullName(FcPattern* font) {
  std::string name = GetString(font, FC_FULLNAME);
  if (name.empty()) name = GetString(font, FC_FAMILY);
  return name;
}

bool Covers(FcPattern* font, FcChar32 code) {
  FcCharSet* charset = nullptr;
  return FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) == FcResultMatch && charset &&
         FcCharSetHasChar(charset, code);
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

class Pattern {
 public:
  explicit Pattern(FcPattern* p) : p_(p) {}
  ~Pattern() {
    if (p_) FcPatternDestroy(p_);
  }
  Pattern(const Pattern&) = delete;
  Pattern& operator=(const Pattern&) = delete;
  FcPattern* get() const { return p_; }

 private:
  FcPattern* p_;
};

class FontSet {
 public:
  explicit FontSet(FcFontSet* s) : s_(s) {}
  ~FontSet() {
    if (s_) FcFontSetDestroy(s_);
  }
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;
  int size() const { return s_ ? s_->nfont : 0; }
  FcPattern* operator[](int i) const { return s_->fonts[i]; }

 private:
  FcFontSet* s_;
};

class CharSet {
 public:
  explicit CharSet(std::span<const CodeRange> ranges) : set_(FcCharSetCreate()) {
    for (const CodeRange& r : ranges) {
      for (FcChar32 c = r.first; c <= r.last; ++c) FcCharSetAddChar(set_, c);
    }
  }
  ~CharSet() { FcCharSetDestroy(set_); }
  CharSet(const CharSet&) = delete;
  CharSet& operator=(const CharSet&) = delete;
  FcCharSet* get() const { return set_; }

 private:
  FcCharSet* set_;
};

class FontconfigRegistry : public Registry {
 public:
  FontconfigRegistry() : config_(FcInitLoadConfigAndFonts()) {}
  ~FontconfigRegistry() override {
    if (config_) FcConfigDestroy(config_);
  }
  FontconfigRegistry(const FontconfigRegistry&) = delete;
  FontconfigRegistry& operator=(const FontconfigRegistry&) = delete;

  std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::u16string_view path) override {
    Synthesize();
    return keys_.OpenKey(root, path);
  }

  std::u16string ResolveFace(std::u16string_view face) override {
    std::u16string resolved(face);
    const FontSet fonts(SortFor(Utf8(face)));
    for (int i = 0; i < fonts.size(); ++i) {
      if (IsTrueTypePath(GetString(fonts[i], FC_FILE)) && Covers(fonts[i], kBmpIdeograph)) {
        const std::string name = FullName(fonts[i]);
        if (!name.empty()) resolved = FromUtf8(name);
        break;
      }
    }
    AddLinkedFace(resolved);
    return resolved;
  }

  void AddLinkedFace(std::u16string_view face) override {
    if (face.empty() || !linkedFaces_.insert(std::u16string(face)).second) return;
    if (synthesized_) AddSystemLink(face);
  }

 private:
  // fontconfig's fallback order for family with lang=zh-cn, as an application
  // asking for that family would get it.
  FcFontSet* SortFor(const std::string& family) const {
    if (!config_) return nullptr;
    const Pattern pattern(FcPatternCreate());
    if (!family.empty()) {
      FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    }
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>(kChineseLang));
    FcConfigSubstitute(config_, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    return FcFontSort(config_, pattern.get(), FcTrue, nullptr, &result);
  }

  // The TrueType face, in the order for family, that covers the most of the
  // ranges (the earliest of equals); a plane's fallback face must draw the
  // plane's ideographs in general, not only its first one.
  std::string BestCovering(const std::string& family, std::span<const CodeRange> ranges) const {
    const CharSet wanted(ranges);
    const FontSet fonts(SortFor(family));
    std::string best;
    FcChar32 bestCount = 0;
    for (int i = 0; i < fonts.size(); ++i) {
      FcCharSet* charset = nullptr;
      if (!IsTrueTypePath(GetString(fonts[i], FC_FILE)) ||
          FcPatternGetCharSet(fonts[i], FC_CHARSET, 0, &charset) != FcResultMatch || !charset) {
        continue;
      }
      const FcChar32 count = FcCharSetIntersectCount(charset, wanted.get());
      if (count > bestCount) {
        bestCount = count;
        best = FullName(fonts[i]);
      }
    }
    return best;
  }

  void Synthesize() {
    if (synthesized_) return;
    synthesized_ = true;
    SynthesizeFonts();
    keys_.SetValue(RegistryRoot::LocalMachine, kLanguagePackKey, u"SURROGATE", RegistryValue::DWord(2));
    keys_.AddKey(RegistryRoot::LocalMachine, kSurrogateFallbackKey);
    if (const std::string plane1 = BestCovering("sans-serif", kPlane1Ideographs); !plane1.empty()) {
      keys_.SetValue(RegistryRoot::LocalMachine, kSurrogateFallbackKey, u"Plane1",
                     RegistryValue::String(FromUtf8(plane1)));
    }
    if (const std::string plane2 = BestCovering("sans-serif", kPlane2Ideographs); !plane2.empty()) {
      keys_.SetValue(RegistryRoot::LocalMachine, kSurrogateFallbackKey, u"Plane2",
                     RegistryValue::String(FromUtf8(plane2)));
    }
    SynthesizeProportionalFont();
    keys_.AddKey(RegistryRoot::LocalMachine, kSystemLinkKey);
    for (const std::u16string& face : linkedFaces_) AddSystemLink(face);
  }

  void SynthesizeFonts() {
    keys_.AddKey(RegistryRoot::LocalMachine, kFontsKey);
    if (!config_) return;
    const Pattern all(FcPatternCreate());
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FULLNAME, FC_FAMILY, nullptr);
    const FontSet fonts(FcFontList(config_, all.get(), objects));
    FcObjectSetDestroy(objects);

    // file -> its faces' names by face index, so every file gives one value.
    std::map<std::string, std::map<int, std::string>> files;
    for (int i = 0; i < fonts.size(); ++i) {
      const std::string file = GetString(fonts[i], FC_FILE);
      if (file.empty() || !IsTrueTypePath(file)) continue;
      int index = 0;
      FcPatternGetInteger(fonts[i], FC_INDEX, 0, &index);
      auto& faces = files[file];
      const std::string name = FullName(fonts[i]);
      if (!faces.count(index) || faces[index].empty()) faces[index] = name;
    }
    std::set<std::u16string> taken;
    for (const auto& [file, faces] : files) {
      std::vector<std::string> names;
      for (const auto& [index, name] : faces) {
        // "&" separates the names of one value; a name holding one is cut there.
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
      }
      std::string joined;
      for (const std::string& n : names) {
        if (!joined.empty()) joined += " & ";
        joined += n;
      }
      if (joined.empty()) joined = BaseName(file);
      // Value names are unique within a key: two files with the same names get
      // the file name added, which the catalogue ignores (it reads the names
      // from the files).
      std::u16string valueName = FromUtf8(joined + " (TrueType)");
      for (int n = 1; taken.count(valueName); ++n) {
        std::string unique = joined;
        unique += " [";
        unique += BaseName(file);
        if (n > 1) {
          unique += ' ';
          unique += std::to_string(n);
        }
        unique += "] (TrueType)";
        valueName = FromUtf8(unique);
      }
      taken.insert(valueName);
      keys_.SetValue(RegistryRoot::LocalMachine, kFontsKey, valueName, RegistryValue::String(FromUtf8(file)));
    }
  }

  void SynthesizeProportionalFont() {
    std::u16string key(kCodepageKeyPrefix);
    key += Widen(std::to_string(AnsiCodePage()));
    keys_.AddKey(RegistryRoot::ClassesRoot, key);
    if (!config_) return;
    const Pattern pattern(FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=zh-cn")));
    FcConfigSubstitute(config_, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(config_, pattern.get(), &result));
    if (!match.get()) return;
    const std::string name = FullName(match.get());
    if (!name.empty()) {
      keys_.SetValue(RegistryRoot::ClassesRoot, key, u"ProportionalFont", RegistryValue::String(FromUtf8(name)));
    }
  }

  void AddSystemLink(std::u16string_view face) {
    std::vector<std::u16string> entries;
    const FontSet fonts(SortFor(Utf8(face)));
    for (int i = 0; i < fonts.size(); ++i) {
      const std::string file = GetString(fonts[i], FC_FILE);
      const std::string name = FullName(fonts[i]);
      // The entry is split at commas: a path or name holding one cannot be written.
      if (!IsTrueTypePath(file) || name.empty() || file.find(',') != std::string::npos ||
          name.find(',') != std::string::npos) {
        continue;
      }
      std::u16string entry = FromUtf8(file + "," + name);
      if (std::find(entries.begin(), entries.end(), entry) == entries.end()) entries.push_back(std::move(entry));
    }
    keys_.SetValue(RegistryRoot::LocalMachine, kSystemLinkKey, face, RegistryValue::MultiString(entries));
  }

  FcConfig* config_;
  MemoryRegistry keys_;
  bool synthesized_ = false;
  std::set<std::u16string> linkedFaces_;
};

}  // namespace

std::unique_ptr<Registry> CreateSystemRegistry() { return std::make_unique<FontconfigRegistry>(); }

}  // namespace bushou::platform
