#include "chardata/uHZ_BH.h"

#include <algorithm>

#include "chardata/uTableFileRead.h"
#include "platform/errors.h"

namespace bushou {
namespace {

using platform::Bytes;
using platform::LoadU32LE;

constexpr std::size_t kHeaderSize = 32;
constexpr std::uint64_t kU32Max = 0xFFFFFFFFu;

// Header words.
constexpr std::size_t kItemCountWord = 0;
constexpr std::size_t kFirstCodeWord = 2;
constexpr std::size_t kLastCodeWord = 3;
constexpr std::size_t kGroupCountWord = 4;

// The entry index a file offset stands for, truncating toward zero; -1 for 0
// and for any offset that names no entry.
std::int32_t EntryIndex(std::uint32_t offset, std::uint32_t base, std::uint32_t itemCount) {
  if (offset == 0) return -1;
  const std::int64_t index = (static_cast<std::int64_t>(offset) - base) / 16;
  return index >= 0 && index < itemCount ? static_cast<std::int32_t>(index) : -1;
}

}  // namespace

THZBHParseResult ParseHZBHFile(Bytes bytes, THZBHFile& file) {
  if (bytes.size() < kHeaderSize) return THZBHParseResult::Rejected;
  for (std::size_t i = 0; i < file.Header.size(); ++i) file.Header[i] = LoadU32LE(&bytes[4 * i]);
  const std::uint32_t itemCount = file.Header[kItemCountWord];
  const std::uint32_t firstCode = file.Header[kFirstCodeWord];
  const std::uint32_t lastCode = file.Header[kLastCodeWord];
  const std::uint32_t groupCount = file.Header[kGroupCountWord];
  file.FirstCode = firstCode;
  file.LastCode = lastCode;

  // T = 32 + 4G + 4N + 16I must not overflow 32 bits at any step. Each term is
  // below 2^36, so the 64-bit sums are exact.
  if (lastCode < firstCode) return THZBHParseResult::Malformed;
  const std::uint64_t codeCount = std::uint64_t{lastCode} - firstCode + 1;
  std::uint64_t base = kHeaderSize;
  for (const std::uint64_t term : {4 * std::uint64_t{groupCount}, 4 * codeCount}) {
    if (term > kU32Max || term > kU32Max - base) return THZBHParseResult::Malformed;
    base += term;
  }
  const std::uint64_t itemBytes = 16 * std::uint64_t{itemCount};
  if (itemBytes > kU32Max || itemBytes > kU32Max - base) return THZBHParseResult::Malformed;
  const std::uint64_t poolStart = base + itemBytes;
  if (poolStart >= bytes.size()) return THZBHParseResult::Rejected;
  const Bytes pool = bytes.subspan(static_cast<std::size_t>(poolStart));
  if (static_cast<std::uint64_t>(std::count(pool.begin(), pool.end(), std::uint8_t{0})) != itemCount) {
    return THZBHParseResult::Rejected;
  }
  if (lastCode >= kCodePointLimit) return THZBHParseResult::Malformed;

  // Everything lies inside bytes from here on: poolStart < size.
  const auto base32 = static_cast<std::uint32_t>(base);
  const std::uint8_t* p = bytes.data() + kHeaderSize;
  file.GroupIndex.resize(std::size_t{groupCount} + 1);
  for (std::uint32_t g = 0; g < groupCount; ++g, p += 4) {
    file.GroupIndex[g] = EntryIndex(LoadU32LE(p), base32, itemCount);
  }
  file.GroupIndex[groupCount] = static_cast<std::int32_t>(itemCount);

  file.CodeRange.resize(static_cast<std::size_t>(codeCount));
  for (std::size_t c = 0; c < file.CodeRange.size(); ++c, p += 4) {
    const std::uint32_t offset = LoadU32LE(p);
    if (offset == 0) {
      file.CodeRange[c] = -1;
      continue;
    }
    const std::int64_t index = (static_cast<std::int64_t>(offset) - base32) / 16;
    if (index >= itemCount) return THZBHParseResult::Malformed;
    file.CodeRange[c] = index < 0 ? -1 : static_cast<std::int32_t>(index);
  }

  file.Items.resize(itemCount);
  for (TItem_HZBH& item : file.Items) {
    std::copy(p, p + 6, item.Carried.begin());
    item.Marks = p[6];
    item.Carried7 = p[7];
    const std::uint32_t text = LoadU32LE(p + 8);
    // A string offset outside the pool is taken as no string.
    if (text != 0 && text >= poolStart && text - poolStart < pool.size()) {
      item.Text = static_cast<std::uint32_t>(text - poolStart);
    } else {
      item.Text.reset();
    }
    item.Link = EntryIndex(LoadU32LE(p + 12), base32, itemCount);
    p += TItem_HZBH::kSize;
  }
  file.StringPool.assign(pool.begin(), pool.end());
  return THZBHParseResult::Ok;
}

std::optional<std::string_view> PoolString(const std::vector<std::uint8_t>& pool,
                                           std::optional<std::uint32_t> offset) {
  if (!offset || *offset >= pool.size()) return std::nullopt;
  const auto first = pool.begin() + *offset;
  const auto end = std::find(first, pool.end(), std::uint8_t{0});
  return std::string_view(reinterpret_cast<const char*>(pool.data()) + *offset,
                          static_cast<std::size_t>(end - first));
}

THZBH::THZBH(const std::u16string& fileName, bool scrambled) : TObject_CC(fileName, scrambled) {
  FCodeIndex.fill(-1);
  Load(fileName, false);
}

bool THZBH::LoadFromFile(const std::u16string& fileName, bool scrambled) {
  if (!FileSizeInRange(fileName, kMinFileSize, kMaxFileSize)) return false;
  const std::vector<std::uint8_t> bytes = ReadTableFile(fileName, kMaxFileSize);
  THZBHFile file;
  switch (ParseHZBHFile(bytes, file)) {
    case THZBHParseResult::Ok:
      break;
    case THZBHParseResult::Rejected:
      return false;
    case THZBHParseResult::Malformed:
      throw Error(u"笔画数据文件格式错误：" + fileName);
  }

  FHeader = file.Header;
  FCodeIndex.fill(-1);
  std::copy(file.CodeRange.begin(), file.CodeRange.end(),
            FCodeIndex.begin() + static_cast<std::ptrdiff_t>(file.FirstCode));
  FGroupIndex = std::move(file.GroupIndex);
  FItems = std::move(file.Items);
  FStringPool = std::move(file.StringPool);

  FMarkedCount = 0;
  for (std::uint32_t c = file.FirstCode; c <= file.LastCode; ++c) {
    const std::int32_t k = FCodeIndex[c];
    if (k >= 0 && (FItems[static_cast<std::size_t>(k)].Marks & kStrokeMarkBit) != 0) {
      SetCharClass(ccStrokeMark, c);
      ++FMarkedCount;
    }
  }
  FFileName = fileName;
  FScrambled = scrambled;
  return true;
}

bool THZBH::Load(const std::u16string& fileName, bool scrambled) {
  std::u16string name = fileName;
  ResolveLoadName(name, scrambled, DataFileName(kStrokeFile));
  return LoadFromFile(name, scrambled);
}

std::int32_t THZBH::SaveToFile(const std::u16string& fileName, bool) {
  if (!fileName.empty()) FFileName = fileName;
  return 0;
}

bool THZBH::AddEntry(const void*, std::uint8_t*, const TConfirmEntry&) { return true; }
bool THZBH::DeleteEntry(const void*, std::uint8_t*, const TConfirmEntry&) { return true; }
bool THZBH::FindEntry(const void*, std::uint8_t*) { return true; }

}  // namespace bushou
