#include "pinyin/uPolyphoneRules.h"

#include <algorithm>
#include <initializer_list>

#include "chardata/uCommonFuns.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/text.h"

namespace bushou {

bool IsRuleBlank(std::uint32_t code) { return code == u'\t' || code == u' '; }

namespace {

std::size_t SkipBlanks(const TCodePointArray& codes, std::size_t i) {
  while (i < codes.size() && IsRuleBlank(codes[i])) ++i;
  return i;
}

std::size_t SkipNonBlanks(const TCodePointArray& codes, std::size_t i) {
  while (i < codes.size() && !IsRuleBlank(codes[i])) ++i;
  return i;
}

std::u16string Slice(const TCodePointArray& codes, std::size_t start, std::size_t stop) {
  // stop > start always holds here, so the count is never 0 ("to the end").
  if (start >= codes.size()) return {};
  return CodePointsToString(codes, static_cast<std::int32_t>(start),
                            static_cast<std::int32_t>(stop - start));
}

std::u16string FromUtf16(platform::Bytes bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned hi = bigEndian ? bytes[i] : bytes[i + 1];
    const unsigned lo = bigEndian ? bytes[i + 1] : bytes[i];
    text.push_back(static_cast<char16_t>((hi << 8) | lo));
  }
  return text;
}

}  // namespace

std::int32_t SplitFields(const TCodePointArray& codes, std::u16string& f1, std::u16string& f2,
                         std::u16string* f3) {
  f1.clear();
  f2.clear();
  if (f3) f3->clear();
  if (codes.empty()) return 0;
  std::size_t start = SkipBlanks(codes, 0);
  std::size_t stop = SkipNonBlanks(codes, start + 1);
  f1 = Slice(codes, start, stop);
  if (stop > codes.size()) return 1;
  start = SkipBlanks(codes, stop + 1);
  stop = SkipNonBlanks(codes, start + 1);
  f2 = Slice(codes, start, stop);
  if (stop > codes.size() || !f3) return 2;
  start = SkipBlanks(codes, stop + 1);
  stop = SkipNonBlanks(codes, start + 1);
  *f3 = Slice(codes, start, stop);
  return 3;
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  // A final line break ends the last line; it does not open an empty one.
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::u16string> DecodeRuleText(platform::Bytes bytes) {
  const auto starts = [&bytes](std::initializer_list<std::uint8_t> bom) {
    return bytes.size() >= bom.size() && std::equal(bom.begin(), bom.end(), bytes.begin());
  };
  const auto asChars = [](platform::Bytes b) {
    return std::string_view(reinterpret_cast<const char*>(b.data()), b.size());
  };
  std::u16string text;
  if (starts({0xEF, 0xBB, 0xBF})) {
    text = platform::FromUtf8(asChars(bytes.subspan(3)));
  } else if (starts({0xFF, 0xFE})) {
    text = FromUtf16(bytes.subspan(2), false);
  } else if (starts({0xFE, 0xFF})) {
    text = FromUtf16(bytes.subspan(2), true);
  } else if (platform::IsValidUtf8(asChars(bytes))) {
    // Text files on Linux are UTF-8 whether or not they carry a mark.
    text = platform::FromUtf8(asChars(bytes));
  } else {
    text = platform::MultiByteToWide(platform::AnsiCodePage(), bytes);
  }
  return SplitLines(text);
}

std::u16string RuleFilePath() {
  std::u16string path = platform::ExecutableDirectory();
  path.push_back(platform::kPathSeparator);
  path += u"SyExEx.txt";
  return path;
}

std::optional<std::vector<std::u16string>> ReadRuleFile(const std::u16string& path) {
  if (!platform::FileExists(path) || !FileSizeInRange(path, 0, kMaxRuleFileSize)) return std::nullopt;
  const platform::ReadResult read = platform::ReadWholeFile(path, kMaxRuleFileSize);
  if (!read.ok) return std::nullopt;
  return DecodeRuleText(read.bytes);
}

const std::vector<std::u16string>& BuiltInRules() {
  static const std::vector<std::u16string> lines =
      SplitLines(platform::FromUtf8(BuiltInRulesText()));
  return lines;
}

}  // namespace bushou
