// A font catalogue over fonts written into a test folder and an in-memory
// registry holding exactly the settings a case needs.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "fonts/uFontUtils.h"
#include "platform/registry_memory.h"
#include "platform/text.h"
#include "tests/fonts/FontBuilder.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace bushou::testing {

class CatalogueTest : public ::testing::Test {
 protected:
  using Root = platform::RegistryRoot;

  // Writes a font file into the fonts folder; returns its full path.
  std::u16string Install(std::string_view file, const ByteVector& bytes) {
    return dir.Write("home/fonts/" + std::string(file), bytes);
  }
  // A Fonts entry: value name -> file (a bare file name lies in the fonts folder).
  void Register(std::u16string_view valueName, std::u16string_view file) {
    registry.SetValue(Root::LocalMachine, platform::kFontsKey, valueName, platform::RegistryValue::String(file));
  }
  // Installs and registers a one-face font with these names and BMP ranges.
  std::u16string AddFont(std::string_view file, const std::vector<std::u16string>& names,
                         const std::vector<std::pair<std::uint16_t, std::uint16_t>>& bmp,
                         const std::vector<std::pair<std::uint32_t, std::uint32_t>>& groups = {}) {
    const std::u16string path = Install(file, FontFile(SimpleFace(names, bmp, groups)));
    // Named after the file: value names must differ, face names may not.
    Register(platform::FromUtf8(file) + u" (TrueType)", platform::FromUtf8(file));
    return path;
  }
  void SetString(Root root, std::u16string_view key, std::u16string_view name, std::u16string_view value) {
    registry.SetValue(root, key, name, platform::RegistryValue::String(value));
  }
  void SetLinks(std::u16string_view face, const std::vector<std::u16string>& entries) {
    registry.SetValue(Root::LocalMachine, platform::kSystemLinkKey, face, platform::RegistryValue::MultiString(entries));
  }
  void SetProportionalFont(std::u16string_view face) {
    SetString(Root::ClassesRoot, u"\\MIME\\Database\\Codepage\\936", u"ProportionalFont", face);
  }
  void SetSurrogateMode(std::uint32_t mode) {
    registry.SetValue(Root::LocalMachine, platform::kLanguagePackKey, u"SURROGATE", platform::RegistryValue::DWord(mode));
  }
  std::unique_ptr<TFontTools> Build() { return std::make_unique<TFontTools>(registry); }

  // The face-name-table index of name, -1 when not found.
  static std::int32_t Face(const TFontTools& fonts, std::u16string_view name) {
    std::int32_t index = -1;
    return fonts.FindFace(name, index) ? index : -1;
  }

  TempDir dir;
  ScopedDataRoots roots{dir.path().string()};
  platform::MemoryRegistry registry;
};

}  // namespace bushou::testing
