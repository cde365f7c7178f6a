// The details panel: the selected character, its readings and its code point.
#include <cstdio>

#include "app/mainform.h"
#include "chardata/uChineseFuns.h"
#include "pinyin/uCodePoints.h"
#include "platform/text.h"

namespace bushou {
namespace {

// "%X(Unicode)": upper-case hexadecimal digits, no prefix, no leading zeros.
std::u16string CodeCaption(std::uint32_t code) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%X(Unicode)", static_cast<unsigned>(code));
  return platform::Widen(buf);
}

}  // namespace

void TfMain::ClearDetails() {
  lblHZ.SetCaption({});
  lblPY.SetCaption({});
  lblCode.SetCaption({});
}

void TfMain::ShowCharDetails(const std::u16string& text) {
  std::u16string t(platform::TrimBlanks(text));
  if (t.empty()) return;
  ClearDetails();
  std::uint32_t code = 0;
  if (!GetCodePointAt(t, 1, code)) return;
  // The first display creates the tables; its error leaves the labels blank.
  const THZPY& pinyin = GetChineseChars().HZPY();
  // The pinyin table covers code points up to U+2FFFF; a character beyond has
  // no readings, but its glyph and code are shown.
  const std::u16string readings =
      code < kCodePointLimit ? pinyin.GetPinyinText(code, u';') : std::u16string();
  lblHZ.SetCaption(std::move(t));
  if (!readings.empty()) lblPY.SetCaption(readings);
  lblCode.SetCaption(CodeCaption(code));
}

}  // namespace bushou
