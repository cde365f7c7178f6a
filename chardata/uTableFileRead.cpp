#include "chardata/uTableFileRead.h"

#include "platform/errors.h"
#include "platform/files.h"

namespace bushou {

std::vector<std::uint8_t> ReadTableFile(const std::u16string& path, std::uint64_t maxSize) {
  platform::ReadResult read = platform::ReadWholeFile(path, maxSize);
  if (!read.ok) throw Error(u"读取文件失败：" + path);
  return std::move(read.bytes);
}

}  // namespace bushou
