#include "fonts/uCMapDecoder.h"

#include <bit>

#include "fonts/uFontUtils.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace bushou {

TCMapDataDecoder::TCMapDataDecoder() { LoadFile(); }

TCMapDataDecoder::TCMapDataDecoder(std::u16string_view faceName) {
  if (faceName.empty()) {
    LoadFile();
  } else {
    BuildFromFonts(GetFontTools(), faceName);
  }
}

TCMapDataDecoder::TCMapDataDecoder(TFontTools& fonts, std::u16string_view faceName) {
  if (faceName.empty()) {
    LoadFile();
  } else {
    BuildFromFonts(fonts, faceName);
  }
}

void TCMapDataDecoder::BuildFromFonts(TFontTools& fonts, std::u16string_view faceName) {
  FStream.assign(kCoverageRecordCapacity, 0);
  const std::int32_t size = fonts.GetChainCoverage(faceName, FStream);
  FStream.resize(static_cast<std::size_t>(size));
  // No record (the face is not installed) leaves no description either.
  FTextSize = size > 0 ? size - static_cast<std::int32_t>(kCoverageBitmapSize) : 0;
  ParseNames();
  FFromFonts = true;
  FFaceName = std::u16string(faceName);
}

void TCMapDataDecoder::LoadFile() {
  const std::u16string path = GetDataFilePath(DataFileName(kCMapFile), true);
  std::uint32_t low = 0, high = 0;
  if (!FindFileSize(path, &low, &high)) throw Error(u"文件不存在：" + path);
  bool ok = high == 0 && low >= kCMapFileMinSize && low <= kCMapFileMaxSize;
  if (ok) {
    // The file may have changed since it was looked up: the bytes read decide.
    platform::ReadResult read = platform::ReadWholeFile(path, kCMapFileMaxSize);
    ok = read.ok && LoadRecord(std::move(read.bytes));
  }
  if (!ok) throw Error(u"文件[" + path + u"]并非所望");
}

std::unique_ptr<TCMapDataDecoder> TCMapDataDecoder::FromFileBytes(platform::Bytes bytes) {
  if (bytes.size() < kCMapFileMinSize || bytes.size() > kCMapFileMaxSize) return nullptr;
  TCMapDataDecoder decoder{FileModeTag{}};
  if (!decoder.LoadRecord({bytes.begin(), bytes.end()})) return nullptr;
  return std::make_unique<TCMapDataDecoder>(std::move(decoder));
}

bool TCMapDataDecoder::LoadRecord(std::vector<std::uint8_t> bytes) {
  if (bytes.size() < kCMapFileMinSize || bytes.size() > kCMapFileMaxSize) return false;
  FTextSize = static_cast<std::int32_t>(bytes.size() - kCoverageBitmapSize);
  FStream = std::move(bytes);
  FFromFonts = false;
  return ParseNames();
}

bool TCMapDataDecoder::IsSupported(std::uint32_t codePoint) const {
  if (codePoint >= kCoverageLimit) return false;
  const std::size_t byte = codePoint / 8;
  if (byte >= FStream.size() || byte >= kCoverageBitmapSize) return false;
  return ((static_cast<unsigned>(FStream[byte]) >> (codePoint % 8)) & 1u) != 0;
}

std::u16string TCMapDataDecoder::DescriptionUnits() const {
  std::u16string units;
  const std::size_t count = FTextSize > 0 ? static_cast<std::size_t>(FTextSize) / 2 : 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kCoverageBitmapSize + 2 * i;
    if (at + 1 >= FStream.size()) break;
    units.push_back(static_cast<char16_t>(FStream[at] | (FStream[at + 1] << 8)));
  }
  return units;
}

bool TCMapDataDecoder::ParseNames() {
  FNamesText.clear();
  FNames.clear();
  FNameCount = 0;
  const std::u16string text = DescriptionUnits();
  const std::size_t open = text.find(u'(');
  if (open == std::u16string::npos) return false;
  const std::size_t close = text.find(u')', open + 1);
  if (close == std::u16string::npos || close == open + 1) return false;
  FNamesText = text.substr(open + 1, close - open - 1);
  FNameCount = SplitString(FNamesText, FNames, u";");
  return true;
}

std::u16string TCMapDataDecoder::Description() const {
  std::u16string text = DescriptionUnits();
  const std::size_t zero = text.find(u'\0');
  if (zero != std::u16string::npos) text.resize(zero);
  return text;
}

std::uint32_t TCMapDataDecoder::CoveredCount() const {
  std::uint32_t count = 0;
  const std::size_t bytes = std::min(FStream.size(), kCoverageBitmapSize);
  for (std::size_t i = 0; i < bytes; ++i) count += static_cast<std::uint32_t>(std::popcount(FStream[i]));
  return count;
}

}  // namespace bushou
