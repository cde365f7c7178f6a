#include "chardata/uBSData.h"

#include <algorithm>

#include "chardata/uCommonFuns.h"
#include "platform/files.h"
#include "platform/messages.h"

namespace bushou {
namespace {

using platform::Bytes;
using platform::ByteReader;
using platform::LoadU16LE;
using platform::LoadU32LE;

constexpr std::size_t kHeaderSize = 20;

// The most a valid-looking header can make us read; bytes after it are ignored.
constexpr std::size_t kMaxFileBytes =
    kHeaderSize + kMaxBSEntries * (TBSIndexItem::kSize + 4 + TBSDataItem::kSize);

// An array of count records filled from the reader; missing bytes stay zero.
std::vector<std::uint8_t> ReadRecords(ByteReader& reader, std::int64_t count, std::size_t size) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * size, 0);
  const Bytes got = reader.TakeUpTo(bytes.size());
  std::copy(got.begin(), got.end(), bytes.begin());
  return bytes;
}

bool CountOk(std::int64_t count) { return count > 0 && count <= kMaxBSEntries; }

std::unique_ptr<TBSData>& Instance() {
  static std::unique_ptr<TBSData> instance;
  return instance;
}

}  // namespace

TBSIndexItem TBSIndexItem::Decode(const std::uint8_t* p) {
  return {LoadU32LE(p), static_cast<std::int32_t>(LoadU32LE(p + 4)),
          static_cast<std::int32_t>(LoadU32LE(p + 8)), p[12]};
}

TBSDataItem TBSDataItem::Decode(const std::uint8_t* p) {
  return {LoadU32LE(p), LoadU16LE(p + 4), p[6], LoadU32LE(p + 7)};
}

TBSHzIndexItem TBSHzIndexItem::Decode(const std::uint8_t* p) {
  return {static_cast<std::int32_t>(LoadU32LE(p))};
}

TBSFile::Range TBSFile::CharRange(const TBSIndexItem& radical) const {
  const std::int64_t size = static_cast<std::int64_t>(Items.size());
  const std::int64_t first = std::clamp<std::int64_t>(radical.FirstItem, 0, size);
  const std::int64_t end = std::clamp<std::int64_t>(
      static_cast<std::int64_t>(radical.FirstItem) + std::max(radical.CharCount, 0), first, size);
  return {static_cast<std::size_t>(first), static_cast<std::size_t>(end)};
}

TBSParseResult ParseBSFile(Bytes bytes, TBSFile& file) {
  file = TBSFile{};
  ByteReader reader(bytes);
  // A short header reads as zeros, like every other short read of this file.
  std::uint8_t header[kHeaderSize] = {};
  const Bytes got = reader.TakeUpTo(kHeaderSize);
  std::copy(got.begin(), got.end(), header);
  file.Reserved = static_cast<std::int32_t>(LoadU32LE(header));
  file.ItemCount = static_cast<std::int32_t>(LoadU32LE(header + 4));
  file.RadicalCount = static_cast<std::int32_t>(LoadU32LE(header + 8));
  file.FirstCode = static_cast<std::int32_t>(LoadU32LE(header + 12));
  file.LastCode = static_cast<std::int32_t>(LoadU32LE(header + 16));

  const std::int64_t radicals = file.RadicalCount;
  const std::int64_t codes = static_cast<std::int64_t>(file.LastCode) - file.FirstCode + 1;
  const std::int64_t items = file.ItemCount;
  // Arrays are sized in order; the first bad count stops the load.
  if (!CountOk(radicals)) return TBSParseResult::BadCount;
  std::vector<std::uint8_t> radicalBytes(static_cast<std::size_t>(radicals) * TBSIndexItem::kSize, 0);
  if (!CountOk(codes)) {
    file.Radicals = TBSIndexArray(std::move(radicalBytes));
    return TBSParseResult::BadCount;
  }
  std::vector<std::uint8_t> indexBytes(static_cast<std::size_t>(codes) * TBSHzIndexItem::kSize, 0);
  if (!CountOk(items)) {
    file.Radicals = TBSIndexArray(std::move(radicalBytes));
    file.HzIndex = TBSHzIndexArray(std::move(indexBytes));
    return TBSParseResult::BadCount;
  }
  file.Radicals = TBSIndexArray(ReadRecords(reader, radicals, TBSIndexItem::kSize));
  file.HzIndex = TBSHzIndexArray(ReadRecords(reader, codes, TBSHzIndexItem::kSize));
  file.Items = TBSDataItems(ReadRecords(reader, items, TBSDataItem::kSize));
  return TBSParseResult::Ok;
}

TBSData::TBSData(const std::u16string& fileName) { Load(fileName); }

void TBSData::Load(const std::u16string& fileName) {
  std::u16string path;
  if (!fileName.empty() && platform::FileExists(fileName)) {
    path = fileName;
  } else {
    const std::u16string rel = DataFileName(kRadicalFile);
    if (const std::u16string user = GetUserDataRoot() + rel; platform::FileExists(user)) {
      path = user;
    } else if (const std::u16string common = GetCommonDataRoot() + rel;
               platform::FileExists(common)) {
      path = common;
    }
  }
  if (path.empty()) {
    platform::ShowMessageBox(u"未找到数据文件！");
    return;
  }
  LoadFromFile(path);
}

bool TBSData::LoadFromFile(const std::u16string& path) {
  FPath = path;
  const platform::ReadResult read = platform::ReadFileHead(path, kMaxFileBytes);
  if (!read.ok) {
    FData = TBSFile{};
    platform::ShowMessageBox(u"读取汉字偏旁部首数据失败！");
    return false;
  }
  if (ParseBSFile(read.bytes, FData) != TBSParseResult::Ok) {
    platform::ShowMessageBox(u"读取汉字偏旁部首数据失败！");
    return false;
  }
  return true;
}

TBSData& GetBSData() {
  auto& instance = Instance();
  if (!instance) instance = std::make_unique<TBSData>(std::u16string());
  return *instance;
}

void FreeBSData() { Instance().reset(); }

}  // namespace bushou
