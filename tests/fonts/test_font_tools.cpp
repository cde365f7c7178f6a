// The font catalogue: file table, face names, fallback settings, font links.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "tests/fonts/CatalogueFixture.h"

namespace bushou {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::CatalogueTest;
using testing::Collection;
using testing::FontFile;
using testing::SimpleFace;

std::vector<std::u16string> FaceNamesOf(const TFontTools& fonts) {
  std::vector<std::u16string> names;
  for (const TItem_FontToFile& f : fonts.FaceNames()) names.push_back(f.FaceName);
  return names;
}

std::vector<std::u16string> FilesOf(const TFontTools& fonts) {
  std::vector<std::u16string> files;
  for (const TItem_FileToFont& f : fonts.Files()) files.push_back(f.FileName);
  return files;
}

TEST(FontTools, IsTrueTypeFileByExtension) {
  const struct {
    std::u16string_view path;
    bool expected;
  } cases[] = {
      {u"a.ttf", true}, {u"A.TTC", true}, {u"/x/y.Ttf", true}, {u"a.otf", false}, {u"a.fon", false},
      {u"attf", false}, {u"a.ttf.bak", false}, {u"dir.ttf/file", false}, {u"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(TFontTools::IsTrueTypeFile(c.path), c.expected) << platform::ToUtf8(c.path);
}

TEST(FontTools, SplitFontsValueName) {
  const struct {
    std::u16string_view name;
    std::vector<std::u16string> faces;
  } cases[] = {
      {u"Alpha & Beta (TrueType)", {u"Alpha", u"Beta"}},
      {u"Gamma (TrueType)", {u"Gamma"}},
      {u"Delta", {u"Delta"}},
      {u"Bold (Italic) (TrueType)", {u"Bold (Italic)"}},
      {u"Broken)", {}},
      {u" (TrueType)", {}},
      {u"A &  & B", {u"A", u"B"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TFontTools::SplitFontsValueName(c.name), c.faces) << platform::ToUtf8(c.name);
  }
}

TEST_F(CatalogueTest, FontsEntriesBecomeOneFileEach) {
  const std::u16string alpha = Install("alpha.ttc", Collection({SimpleFace({u"Alpha"}, {{0x41, 0x5A}}),
                                                                SimpleFace({u"Beta"}, {{0x61, 0x7A}})}));
  Register(u"Alpha & Beta (TrueType)", u"alpha.ttc");  // no directory: the fonts folder
  Register(u"Alpha Again (TrueType)", alpha);           // the same file by its full path
  Install("gamma.otf", FontFile(SimpleFace({u"Gamma"}, {})));
  Register(u"Gamma (OpenType)", u"gamma.otf");
  Install("delta.fon", FontFile(SimpleFace({u"Delta"}, {})));
  Register(u"Delta", u"delta.fon");
  Register(u"Missing (TrueType)", u"missing.ttf");
  Install("epsilon.ttf", FontFile(SimpleFace({u"Epsilon"}, {})));
  Register(u"Epsilon)", u"epsilon.ttf");  // ")" without "("
  registry.SetValue(platform::RegistryRoot::LocalMachine, platform::kFontsKey, u"Zeta (TrueType)",
                    platform::RegistryValue::DWord(7));  // not text: skipped

  const auto fonts = Build();
  EXPECT_EQ(fonts->FontsFolder(), dir.u16("home/fonts"));
  EXPECT_THAT(FilesOf(*fonts), ElementsAre(alpha));
  EXPECT_THAT(FaceNamesOf(*fonts), ElementsAre(u"Alpha", u"Beta"));
  EXPECT_EQ(fonts->Files()[0].FaceCount, 2);
  std::int32_t file = -1;
  EXPECT_TRUE(fonts->FindFile(platform::FromUtf8(platform::ToUtf8(alpha)), file));
  EXPECT_EQ(file, 0);
}

TEST_F(CatalogueTest, ValueNamesAreReadTrimmed) {
  AddFont("alpha.ttf", {u"Alpha"}, {{0x41, 0x41}});
  Install("beta.ttf", FontFile(SimpleFace({u"Beta"}, {})));
  Register(u"  Beta (TrueType)  ", u"beta.ttf");  // no value named "Beta (TrueType)": nothing
  Install("gamma.ttf", FontFile(SimpleFace({u"Gamma"}, {})));
  Register(u" Gamma (TrueType)", u"nowhere.ttf");
  Register(u"Gamma (TrueType)", u"gamma.ttf");    // read under the trimmed name
  EXPECT_THAT(FaceNamesOf(*Build()), ElementsAre(u"Alpha", u"Gamma"));
}

TEST_F(CatalogueTest, SameFaceNameInTwoFilesFindsTheFileSortingFirst) {
  AddFont("b.ttf", {u"Foo", u"Foo B"}, {{0x42, 0x42}});
  AddFont("a.ttf", {u"FOO", u"Foo A"}, {{0x41, 0x41}});
  const auto fonts = Build();
  EXPECT_THAT(FaceNamesOf(*fonts), ElementsAre(u"FOO", u"Foo A", u"Foo B"));
  const std::int32_t foo = Face(*fonts, u"foo");
  ASSERT_GE(foo, 0);
  EXPECT_EQ(fonts->Files()[static_cast<std::size_t>(fonts->FaceNames()[static_cast<std::size_t>(foo)].FileIndex)].FileName,
            dir.u16("home/fonts/a.ttf"));
  EXPECT_TRUE(fonts->IsSameFace(foo, Face(*fonts, u"Foo A")));
  EXPECT_FALSE(fonts->IsSameFace(foo, Face(*fonts, u"Foo B")));
  EXPECT_FALSE(fonts->IsSameFace(foo, -1));
  EXPECT_FALSE(fonts->IsSameFace(-1, -1));
}

TEST_F(CatalogueTest, FindFaceSlotInACollection) {
  Install("c.ttc", Collection({SimpleFace({u"Zero"}, {}), SimpleFace({u"One", u"Uno"}, {})}));
  Register(u"Zero & One (TrueType)", u"c.ttc");
  const auto fonts = Build();
  std::int32_t slot = -1;
  EXPECT_TRUE(fonts->FindFaceSlot(0, u"UNO", slot));
  EXPECT_EQ(slot, 1);
  EXPECT_FALSE(fonts->FindFaceSlot(0, u"Two", slot));
  EXPECT_FALSE(fonts->FindFaceSlot(5, u"One", slot));
}

// A socket cannot be opened as a file, even by root: it stands for a
// registered font file that exists but cannot be read.
void MakeSocket(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof addr.sun_path);
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0) << std::strerror(errno);
  ::close(fd);
}

TEST_F(CatalogueTest, UnreadableOrGarbledFilesAreSkipped) {
  AddFont("good.ttf", {u"Good"}, {{0x4E00, 0x4E01}});
  dir.MakeDir("home/fonts");
  MakeSocket((dir.path() / "home/fonts/broken.ttf").string());
  Register(u"Broken (TrueType)", u"broken.ttf");
  Install("garbage.ttf", std::vector<std::uint8_t>(3000, 0xA5));
  Register(u"Garbage (TrueType)", u"garbage.ttf");

  const auto fonts = Build();
  EXPECT_EQ(fonts->FileCount(), 3);
  EXPECT_THAT(FaceNamesOf(*fonts), ElementsAre(u"Good"));
  std::vector<std::uint8_t> buffer(kCoverageRecordCapacity);
  EXPECT_GT(fonts->GetChainCoverage(u"Good", buffer), 0);
  EXPECT_EQ(buffer[0x4E00 / 8], 0x03);
}

TEST_F(CatalogueTest, NoSettingsAtAll) {
  AddFont("a.ttf", {u"Alpha"}, {});
  const auto fonts = Build();
  EXPECT_EQ(fonts->ProportionalFont(), u"");
  EXPECT_EQ(fonts->SurrogateMode(), 0);
  EXPECT_EQ(fonts->Plane1Face(), -1);
  EXPECT_EQ(fonts->Plane2Face(), -1);
  EXPECT_THAT(fonts->FallbackByFace(), IsEmpty());
  EXPECT_THAT(fonts->RegistryLinks(), IsEmpty());
  EXPECT_FALSE(fonts->SurrogateEnabled());
  ASSERT_EQ(fonts->Links().size(), 1u);
  EXPECT_EQ(fonts->Links()[0].LinkCount, 0);
}

TEST_F(CatalogueTest, EmptyCatalogue) {
  const auto fonts = Build();
  EXPECT_EQ(fonts->FileCount(), 0);
  EXPECT_EQ(fonts->FaceNameCount(), 0);
  EXPECT_EQ(Face(*fonts, u""), -1);
  EXPECT_EQ(Face(*fonts, u"Alpha"), -1);
  EXPECT_THAT(fonts->Links(), IsEmpty());
}

TEST_F(CatalogueTest, SurrogateSettings) {
  AddFont("base.ttf", {u"Base"}, {});
  AddFont("p1.ttf", {u"Plane One"}, {});
  AddFont("p2.ttf", {u"Plane Two"}, {});
  SetSurrogateMode(2);
  const std::u16string_view key = platform::kSurrogateFallbackKey;
  SetString(Root::LocalMachine, key, u"Plane1", u"plane one");
  SetString(Root::LocalMachine, key, u"Plane2", u"Not Installed");
  const std::u16string sub = std::u16string(key) + u"\\";
  SetString(Root::LocalMachine, sub + u"Base", u"Plane2", u"Plane Two");
  SetString(Root::LocalMachine, sub + u"Uninstalled", u"Plane2", u"Plane Two");  // no such face
  SetString(Root::LocalMachine, sub + u"Plane One", u"Plane1", u"Nothing");      // no known plane face
  registry.AddKey(Root::LocalMachine, sub + u"Plane Two");                        // no values

  const auto fonts = Build();
  EXPECT_EQ(fonts->SurrogateMode(), 2);
  EXPECT_EQ(fonts->Plane1Face(), Face(*fonts, u"Plane One"));
  EXPECT_EQ(fonts->Plane2Face(), -1);
  ASSERT_EQ(fonts->FallbackByFace().size(), 1u);
  const TItem_FallBackByFace& r = fonts->FallbackByFace()[0];
  EXPECT_EQ(r.FaceName, u"Base");
  EXPECT_EQ(r.FaceIndex, Face(*fonts, u"Base"));
  EXPECT_EQ(r.Plane1, -1);
  EXPECT_EQ(r.Plane2, Face(*fonts, u"Plane Two"));
  EXPECT_TRUE(fonts->SurrogateEnabled());
}

TEST_F(CatalogueTest, SurrogateModeTwoWithoutFallbackKey) {
  AddFont("base.ttf", {u"Base"}, {});
  SetSurrogateMode(2);
  const auto fonts = Build();
  EXPECT_EQ(fonts->Plane1Face(), -1);
  EXPECT_EQ(fonts->Plane2Face(), -1);
  EXPECT_THAT(fonts->FallbackByFace(), IsEmpty());
  EXPECT_TRUE(fonts->SurrogateEnabled());
}

TEST_F(CatalogueTest, ProportionalFontOfTheAnsiCodePage) {
  AddFont("a.ttf", {u"Alpha"}, {});
  SetProportionalFont(u"Alpha");
  SetString(Root::ClassesRoot, u"\\MIME\\Database\\Codepage\\950", u"ProportionalFont", u"Other");
  EXPECT_EQ(Build()->ProportionalFont(), u"Alpha");
}

TEST_F(CatalogueTest, LinkEntriesResolveToFaceNames) {
  AddFont("base.ttf", {u"Base"}, {});
  AddFont("single.ttf", {u"Single", u"Solo"}, {});
  Install("alpha.ttc", Collection({SimpleFace({u"Alpha Sans"}, {}), SimpleFace({u"Beta Sans"}, {})}));
  Register(u"Alpha Sans & Beta Sans (TrueType)", u"alpha.ttc");
  const std::u16string single = dir.u16("home/fonts/single.ttf");
  SetLinks(u"Base", {
                        u"ALPHA.TTC,Beta Sans",         // a face of a collection: named as written, upper-cased
                        u"single.ttf,Whatever,128,96",  // one-face file: its first name, scaling ignored
                        single,                         // full path of the same file: the same name once
                        u"alpha.ttc, Alpha Sans",       // not trimmed: no such face
                        u"alpha.ttc",                   // a collection needs the face
                        u"unregistered.ttf,Base",       // not in the file table
                        u"alpha.otf,Alpha Sans",        // not TrueType
                        u"BASE.TTF",                    // the base face itself: dropped from the link table
                    });
  SetLinks(u"Not Installed", {u"single.ttf"});

  const auto fonts = Build();
  ASSERT_EQ(fonts->RegistryLinks().size(), 1u);
  const TItem_FontLink_Original& r = fonts->RegistryLinks()[0];
  EXPECT_EQ(r.FaceName, u"Base");
  EXPECT_THAT(r.Links, ElementsAre(u"Base", u"BETA SANS", u"Single"));
  EXPECT_EQ(r.LinkCount, 3);
  const TItem_FontLink& links = fonts->Links()[static_cast<std::size_t>(Face(*fonts, u"Base"))];
  EXPECT_THAT(links.Links, ElementsAre(Face(*fonts, u"Beta Sans"), Face(*fonts, u"Single")));
  EXPECT_EQ(links.LinkCount, 2);
}

TEST_F(CatalogueTest, LinkValueLayouts) {
  AddFont("base.ttf", {u"Base"}, {});
  AddFont("one.ttf", {u"One"}, {});
  AddFont("two.ttf", {u"Two"}, {});
  const auto raw = [](std::u16string_view units) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t c : units) {
      bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
  };
  const struct {
    const char* what;
    std::u16string units;
    std::vector<std::u16string> links;
  } cases[] = {
      {"ended by an extra zero unit", std::u16string(u"one.ttf\0two.ttf\0\0", 17), {u"One", u"Two"}},
      {"no extra zero unit", std::u16string(u"one.ttf\0two.ttf\0", 16), {u"One", u"Two"}},
      {"last text unterminated", std::u16string(u"one.ttf\0two.ttf", 15), {u"One", u"Two"}},
      {"an empty text ends the list", std::u16string(u"one.ttf\0\0two.ttf\0\0", 19), {u"One"}},
      {"shorter than 4 bytes", std::u16string(u"a", 1), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    registry.SetValue(Root::LocalMachine, platform::kSystemLinkKey, u"Base",
                      platform::RegistryValue::Raw(platform::RegistryType::MultiString, raw(c.units)));
    const auto fonts = Build();
    const TDynamicStringArray links = fonts->RegistryLinks().empty() ? TDynamicStringArray{}
                                                                      : fonts->RegistryLinks()[0].Links;
    EXPECT_EQ(links, c.links);
  }
}

}  // namespace
}  // namespace bushou
