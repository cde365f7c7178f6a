#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace bushou::platform {
namespace {

TEST(CodePage936, ConvertsBothWays) {
  EXPECT_EQ(WideToMultiByte(kCodePageGBK, u"一a"), "\xD2\xBB" "a");
  EXPECT_EQ(MultiByteToWide(kCodePageGBK, std::string_view("\xD6\xD0\xCE\xC4")), u"中文");
  EXPECT_EQ(AnsiCodePage(), 936u);
}

TEST(CodePage936, CharactersItLacksBecomeQuestionMarks) {
  // U+20000 (one surrogate pair) and U+0E01 (Thai) are not in GBK.
  EXPECT_EQ(WideToMultiByte(kCodePageGBK, u"a\U00020000\u0E01b"), "a??b");
  EXPECT_EQ(WideToMultiByte(kCodePageGBK, std::u16string(1, char16_t{0xD800})), "?");
}

TEST(CodePage936, UndecodableBytesBecomeReplacementCharacters) {
  // 0xFF is no GBK lead byte; a lead byte at the very end has no trail byte.
  EXPECT_EQ(MultiByteToWide(kCodePageGBK, std::string_view("a\xFF" "b\xD2")), u"a\uFFFDb\uFFFD");
}

}  // namespace
}  // namespace bushou::platform
