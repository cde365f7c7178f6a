// The radical index "hzbs.dat": the radicals with their stroke counts and, per
// radical, the characters filed under it with their strokes beyond the radical.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/bytes.h"

namespace bushou {

// One radical entry; 13 packed bytes in the file.
struct TBSIndexItem {
  static constexpr std::size_t kSize = 13;
  std::uint32_t Code = 0;       // +0  code point of the radical
  std::int32_t FirstItem = 0;   // +4  index into Items of its first character
  std::int32_t CharCount = 0;   // +8  number of characters filed under it
  std::uint8_t Strokes = 0;     // +12 stroke count of the radical itself
  static TBSIndexItem Decode(const std::uint8_t* p);
};

// One character entry; 11 packed bytes in the file.
struct TBSDataItem {
  static constexpr std::size_t kSize = 11;
  std::uint32_t Code = 0;          // +0 code point of the character
  std::uint16_t Carried4 = 0;      // +4 carried, not interpreted
  std::uint8_t ExtraStrokes = 0;   // +6 strokes apart from the radical
  std::uint32_t Carried7 = 0;      // +7 carried, not interpreted
  static TBSDataItem Decode(const std::uint8_t* p);
};

struct TBSHzIndexItem {
  static constexpr std::size_t kSize = 4;
  std::int32_t Value = 0;
  static TBSHzIndexItem Decode(const std::uint8_t* p);
};

// An array of packed records kept in the file's layout and decoded only when
// indexed: a view of count records at an offset of a shared byte buffer (the
// file image). Copies share the bytes, which nothing writes after loading.
template <class Item>
class TPackedArray {
 public:
  using Buffer = std::shared_ptr<const std::vector<std::uint8_t>>;
  TPackedArray() = default;
  // The buffer must hold offset + count * Item::kSize bytes.
  TPackedArray(Buffer bytes, std::size_t offset, std::size_t count)
      : bytes_(std::move(bytes)), offset_(offset), count_(count) {}
  explicit TPackedArray(std::vector<std::uint8_t> bytes)
      : TPackedArray(std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes)), 0, 0) {
    count_ = bytes_->size() / Item::kSize;
  }

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  // i must be below size().
  Item operator[](std::size_t i) const { return Item::Decode(raw() + i * Item::kSize); }
  const std::uint8_t* raw() const { return bytes_ ? bytes_->data() + offset_ : nullptr; }

 private:
  Buffer bytes_;
  std::size_t offset_ = 0;
  std::size_t count_ = 0;
};

using TBSIndexArray = TPackedArray<TBSIndexItem>;
using TBSHzIndexArray = TPackedArray<TBSHzIndexItem>;
using TBSDataItems = TPackedArray<TBSDataItem>;

struct TBSFile {
  std::int32_t Reserved = 0;      // first word of the file, carried
  std::int32_t ItemCount = 0;     // number of character entries
  std::int32_t RadicalCount = 0;  // number of radical entries
  std::int32_t FirstCode = 0;     // first code point of HzIndex
  std::int32_t LastCode = 0;      // last code point of HzIndex
  TBSIndexArray Radicals;
  TBSHzIndexArray HzIndex;        // carried, not interpreted
  TBSDataItems Items;

  // The part of radical's character range [FirstItem, FirstItem + CharCount)
  // that lies inside Items, as [first, last): callers walk only real entries,
  // whatever FirstItem and CharCount say.
  struct Range {
    std::size_t first = 0, last = 0;
  };
  Range CharRange(const TBSIndexItem& radical) const;
};

// Largest arrays any real index needs; a header asking for more is refused
// instead of allocating gigabytes.
inline constexpr std::int64_t kMaxBSEntries = 0x30000;

enum class TBSParseResult {
  Ok,
  BadCount,  // a count not positive, or beyond kMaxBSEntries
};

// Parses the bytes of "hzbs.dat" into file. Entries the bytes do not hold
// (a file shorter than its header announces) read as zero. On BadCount the
// header is as read and the arrays before the bad count are sized but empty.
TBSParseResult ParseBSFile(platform::Bytes bytes, TBSFile& file);
// The same, adopting the file image as the arrays' storage instead of copying it.
TBSParseResult ParseBSFile(std::vector<std::uint8_t> image, TBSFile& file);

class TBSData {
 public:
  // Loads at once: Load(fileName).
  explicit TBSData(const std::u16string& fileName);

  // Uses fileName when it names an existing file, else "hzbs.dat" under the
  // per-user root, else under the all-users root; reports "未找到数据文件！"
  // when none exists.
  void Load(const std::u16string& fileName);
  // Reads the file; reports "读取汉字偏旁部首数据失败！" on a read failure.
  bool LoadFromFile(const std::u16string& path);

  void GetData(TBSFile& out) const { out = FData; }
  const TBSFile& Data() const { return FData; }
  // The path read last, empty when none was found.
  const std::u16string& Path() const { return FPath; }

 private:
  TBSFile FData;
  std::u16string FPath;
};

// The process-wide radical index, created and loaded on the first call.
TBSData& GetBSData();
// Frees the process-wide index (process end; tests start over with it).
void FreeBSData();

}  // namespace bushou
