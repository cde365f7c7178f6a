#include "chardata/uBSData.h"

#include <algorithm>

#include "chardata/uCommonFuns.h"
#include "platform/files.h"
#include "platform/messages.h"

namespace bushou {
namespace {

using platform::Bytes;
using platform::LoadU16LE;
using platform::LoadU32LE;

constexpr std::size_t kHeaderSize = 20;

// The most a valid-looking header can make us read; bytes after it are ignored.
constexpr std::size_t kMaxFileBytes =
    kHeaderSize + kMaxBSEntries * (TBSIndexItem::kSize + 4 + TBSDataItem::kSize);

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
  return ParseBSFile(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), file);
}

TBSParseResult ParseBSFile(std::vector<std::uint8_t> image, TBSFile& file) {
  file = TBSFile{};
  // A short header reads as zeros, like every other short read of this file.
  std::uint8_t header[kHeaderSize] = {};
  std::copy_n(image.begin(), std::min(image.size(), kHeaderSize), header);
  file.Reserved = static_cast<std::int32_t>(LoadU32LE(header));
  file.ItemCount = static_cast<std::int32_t>(LoadU32LE(header + 4));
  file.RadicalCount = static_cast<std::int32_t>(LoadU32LE(header + 8));
  file.FirstCode = static_cast<std::int32_t>(LoadU32LE(header + 12));
  file.LastCode = static_cast<std::int32_t>(LoadU32LE(header + 16));

  const std::int64_t radicals = file.RadicalCount;
  const std::int64_t codes = static_cast<std::int64_t>(file.LastCode) - file.FirstCode + 1;
  const std::int64_t items = file.ItemCount;
  // Arrays are sized in order; the first bad count stops the load, leaving the
  // arrays before it sized and empty.
  const auto zeros = [](std::int64_t count, std::size_t size) {
    return std::vector<std::uint8_t>(static_cast<std::size_t>(count) * size, 0);
  };
  if (!CountOk(radicals)) return TBSParseResult::BadCount;
  if (!CountOk(codes)) {
    file.Radicals = TBSIndexArray(zeros(radicals, TBSIndexItem::kSize));
    return TBSParseResult::BadCount;
  }
  if (!CountOk(items)) {
    file.Radicals = TBSIndexArray(zeros(radicals, TBSIndexItem::kSize));
    file.HzIndex = TBSHzIndexArray(zeros(codes, TBSHzIndexItem::kSize));
    return TBSParseResult::BadCount;
  }

  // The arrays are views of the image; what a short file lacks reads as zero.
  const auto r = static_cast<std::size_t>(radicals), n = static_cast<std::size_t>(codes),
             i = static_cast<std::size_t>(items);
  const std::size_t indexAt = kHeaderSize + r * TBSIndexItem::kSize;
  const std::size_t itemsAt = indexAt + n * TBSHzIndexItem::kSize;
  const std::size_t end = itemsAt + i * TBSDataItem::kSize;
  if (image.size() < end) image.resize(end, 0);
  const auto shared = std::make_shared<const std::vector<std::uint8_t>>(std::move(image));
  file.Radicals = TBSIndexArray(shared, kHeaderSize, r);
  file.HzIndex = TBSHzIndexArray(shared, indexAt, n);
  file.Items = TBSDataItems(shared, itemsAt, i);
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
  platform::ReadResult read = platform::ReadFileHead(path, kMaxFileBytes);
  if (!read.ok) {
    FData = TBSFile{};
    platform::ShowMessageBox(u"读取汉字偏旁部首数据失败！");
    return false;
  }
  if (ParseBSFile(std::move(read.bytes), FData) != TBSParseResult::Ok) {
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
