#include "platform/text.h"

#include <gtest/gtest.h>

namespace bushou::platform {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
  const std::u16string text = u"a\u00E9\u4E2D\U00020000z";
  const std::string utf8 = ToUtf8(text);
  EXPECT_EQ(utf8, "a\xC3\xA9\xE4\xB8\xAD\xF0\xA0\x80\x80z");
  EXPECT_EQ(FromUtf8(utf8), text);
}

TEST(Utf8, BadInputBecomesReplacementCharacters) {
  struct Case {
    const char* name;
    std::string in;
    std::u16string out;
  };
  const Case cases[] = {
      {"lone continuation", "a\x80z", u"a\uFFFDz"},
      {"truncated sequence", "\xE4\xB8", u"\uFFFD"},
      {"overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FromUtf8(c.in), c.out) << c.name;
    EXPECT_FALSE(IsValidUtf8(c.in)) << c.name;
  }
  EXPECT_TRUE(IsValidUtf8("plain \xE4\xB8\xAD \xEF\xBF\xBD"));
}

TEST(Utf8, UnpairedSurrogatesAreReplacedOnOutput) {
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t{0xD800}) + u"a"), "\xEF\xBF\xBD" "a");
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t{0xDC00})), "\xEF\xBF\xBD");
}

TEST(CodePointText, UsesSurrogatePairsAboveTheBmp) {
  EXPECT_EQ(CodePointText(0x4E00), u"一");
  EXPECT_EQ(CodePointText(0x20000), u"\U00020000");
  EXPECT_EQ(CodePointText(0x110000), u"");
}

}  // namespace
}  // namespace bushou::platform
