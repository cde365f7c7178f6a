// The registry backends: in memory, and synthesized from fontconfig over the
// fixture fonts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/registry.h"
#include "platform/registry_memory.h"
#include "platform/text.h"
#include "tests/support/ScopedEnv.h"

namespace bushou {
namespace {

using ::testing::ElementsAre;
using platform::RegistryRoot;
using platform::RegistryType;
using platform::RegistryValue;

TEST(MemoryRegistry, KeysAndValuesAreFoundCaseless) {
  platform::MemoryRegistry registry;
  registry.SetValue(RegistryRoot::LocalMachine, u"\\Software\\Fonts", u"Alpha (TrueType)", RegistryValue::String(u"a.ttf"));
  registry.SetValue(RegistryRoot::LocalMachine, u"SOFTWARE\\fonts\\", u"Beta", RegistryValue::DWord(2));
  registry.SetValue(RegistryRoot::LocalMachine, u"Software\\Fonts", u"ALPHA (TrueType)", RegistryValue::String(u"b.ttf"));
  registry.AddKey(RegistryRoot::LocalMachine, u"Software\\Fonts\\Sub One");
  registry.AddKey(RegistryRoot::LocalMachine, u"Software\\Fonts\\sub one\\Deeper");
  registry.AddKey(RegistryRoot::LocalMachine, u"Software\\Fonts\\Sub Two");

  const auto key = registry.OpenKey(RegistryRoot::LocalMachine, u"software\\FONTS");
  ASSERT_NE(key, nullptr);
  EXPECT_THAT(key->ValueNames(), ElementsAre(u"Alpha (TrueType)", u"Beta"));  // replaced in place
  EXPECT_THAT(key->SubKeyNames(), ElementsAre(u"Sub One", u"Sub Two"));
  EXPECT_EQ(key->ReadValue(u"alpha (truetype)")->AsString(), u"b.ttf");
  EXPECT_EQ(key->ReadValue(u"Beta")->AsDWord(), 2u);
  EXPECT_EQ(key->ReadValue(u"Gamma"), std::nullopt);
  EXPECT_EQ(registry.OpenKey(RegistryRoot::ClassesRoot, u"Software\\Fonts"), nullptr);
  EXPECT_EQ(registry.OpenKey(RegistryRoot::LocalMachine, u"Software\\Font"), nullptr);
  EXPECT_NE(registry.OpenKey(RegistryRoot::LocalMachine, u"Software\\Fonts\\Sub One\\deeper"), nullptr);
}

TEST(RegistryValue, TypedReads) {
  EXPECT_EQ(RegistryValue::String(u"ab").data, (std::vector<std::uint8_t>{'a', 0, 'b', 0, 0, 0}));
  const std::u16string texts[] = {u"a", u"b"};
  EXPECT_EQ(RegistryValue::MultiString(texts).data, (std::vector<std::uint8_t>{'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}));
  EXPECT_EQ(RegistryValue::Raw(RegistryType::String, {'a', 0, 0, 0, 'b', 0}).AsString(), u"a");
  EXPECT_EQ(RegistryValue::Raw(RegistryType::ExpandString, {'a', 0, 'b'}).AsString(), u"a");
  EXPECT_EQ(RegistryValue::DWord(7).AsString(), std::nullopt);
  EXPECT_EQ(RegistryValue::String(u"7").AsDWord(), std::nullopt);
  EXPECT_EQ(RegistryValue::Raw(RegistryType::DWord, {1, 2, 3}).AsDWord(), std::nullopt);
  EXPECT_EQ(RegistryValue::DWord(0x01020304).AsDWord(), 0x01020304u);
}

TEST(MemoryRegistry, ResolvesAndRemembersLinkedFaces) {
  platform::MemoryRegistry registry;
  registry.SetResolvedFace(u"新宋体", u"Alpha");
  EXPECT_EQ(registry.ResolveFace(u"新宋体"), u"Alpha");
  EXPECT_EQ(registry.ResolveFace(u"Beta"), u"Beta");
  registry.AddLinkedFace(u"Alpha");
  EXPECT_THAT(registry.LinkedFaces(), ElementsAre(u"Alpha", u"Beta"));
}

// The fontconfig backend over the fixture configuration.
class FontconfigRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* dir : {"/usr/share/fonts/truetype/wqy", "/usr/share/fonts/truetype/hanazono"}) {
      if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << dir << " is missing: run scripts/setup";
    }
    env_.Set("FONTCONFIG_FILE", BUSHOU_SOURCE_DIR "/tests/fonts/fixture-fonts.conf");
    registry_ = platform::CreateSystemRegistry();
  }
  std::optional<std::u16string> String(RegistryRoot root, std::u16string_view key, std::u16string_view name) {
    const auto k = registry_->OpenKey(root, key);
    if (!k) return std::nullopt;
    const auto v = k->ReadValue(name);
    return v ? v->AsString() : std::nullopt;
  }

  testing::ScopedEnv env_;
  std::unique_ptr<platform::Registry> registry_;
};

TEST_F(FontconfigRegistryTest, FontsKeyHasOneValuePerFile) {
  const auto key = registry_->OpenKey(RegistryRoot::LocalMachine, platform::kFontsKey);
  ASSERT_NE(key, nullptr);
  std::vector<std::u16string> files;
  for (const std::u16string& name : key->ValueNames()) {
    EXPECT_TRUE(name.ends_with(u" (TrueType)")) << platform::ToUtf8(name);
    files.push_back(key->ReadValue(name)->AsString().value_or(u""));
  }
  std::sort(files.begin(), files.end());
  EXPECT_THAT(files, ElementsAre(u"/usr/share/fonts/truetype/hanazono/HanaMinA.ttf",
                                 u"/usr/share/fonts/truetype/hanazono/HanaMinB.ttf",
                                 u"/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"));
  EXPECT_EQ(key->ReadValue(u"WenQuanYi Zen Hei & WenQuanYi Zen Hei Mono & WenQuanYi Zen Hei Sharp (TrueType)")
                ->AsString(),
            u"/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc");
}

TEST_F(FontconfigRegistryTest, FallbackSettings) {
  const auto pack = registry_->OpenKey(RegistryRoot::LocalMachine, platform::kLanguagePackKey);
  ASSERT_NE(pack, nullptr);
  EXPECT_EQ(pack->ReadValue(u"SURROGATE")->AsDWord(), 2u);
  // Plane 2: the face with the most Extension B..F ideographs, not merely the
  // first face that has U+20000 (HanaMinA has a few of them).
  EXPECT_EQ(String(RegistryRoot::LocalMachine, platform::kSurrogateFallbackKey, u"Plane2"), u"HanaMinB Regular");
  EXPECT_EQ(String(RegistryRoot::LocalMachine, platform::kSurrogateFallbackKey, u"Plane1"), u"HanaMinA Regular");
  EXPECT_EQ(String(RegistryRoot::ClassesRoot, u"\\MIME\\Database\\Codepage\\936", u"ProportionalFont"),
            u"WenQuanYi Zen Hei");
}

TEST_F(FontconfigRegistryTest, DesignFaceResolvesToTheFaceDrawingHanText) {
  registry_->AddLinkedFace(u"HanaMinB Regular");  // asked about before the keys are built
  ASSERT_NE(registry_->OpenKey(RegistryRoot::LocalMachine, platform::kFontsKey), nullptr);
  // and after: SystemLink grows
  EXPECT_EQ(registry_->ResolveFace(u"新宋体"), u"WenQuanYi Zen Hei");
  registry_->AddLinkedFace(u"HanaMinA Regular");
  const auto link = registry_->OpenKey(RegistryRoot::LocalMachine, platform::kSystemLinkKey);
  ASSERT_NE(link, nullptr);
  EXPECT_THAT(link->ValueNames(), ElementsAre(u"HanaMinB Regular", u"WenQuanYi Zen Hei", u"HanaMinA Regular"));
  const auto value = link->ReadValue(u"WenQuanYi Zen Hei");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, RegistryType::MultiString);
  // "file,face" entries in fontconfig's order, the face itself first.
  const std::u16string first = RegistryValue::Raw(RegistryType::String, value->data).AsString().value_or(u"");
  EXPECT_EQ(first, u"/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc,WenQuanYi Zen Hei");
}

}  // namespace
}  // namespace bushou
