// A file kept open for reads at any offset: the font file reader keeps one open
// for its lifetime and reads only the blocks and tables it needs, so a 30 MB
// font costs a few small reads instead of a whole-file copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace bushou::platform {

class RandomAccessFile {
 public:
  // Opens an existing file for reading (not a directory); nullptr when it cannot
  // be opened, with the reason in *error when given.
  static std::unique_ptr<RandomAccessFile> Open(std::u16string_view path, std::string* error = nullptr);

  ~RandomAccessFile();
  RandomAccessFile(const RandomAccessFile&) = delete;
  RandomAccessFile& operator=(const RandomAccessFile&) = delete;

  // The size when the file was opened.
  std::uint64_t Size() const { return size_; }

  // Reads up to out.size() bytes from offset; returns how many were read: fewer
  // at the end of the file or on a read error, 0 past the end.
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const;

 private:
  struct Handle {  // only Open makes one
    int fd;
  };

 public:
  RandomAccessFile(Handle handle, std::uint64_t size) : handle_(handle.fd), size_(size) {}

 private:
  int handle_;
  std::uint64_t size_;
};

}  // namespace bushou::platform
