#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files.h"
#include "platform/random_access_file.h"

namespace bushou::platform {

std::unique_ptr<RandomAccessFile> RandomAccessFile::Open(std::u16string_view path, std::string* error) {
  const std::string native = NativePath(path);
  const auto fail = [&](const char* what) -> std::unique_ptr<RandomAccessFile> {
    if (error) *error = std::string(what) + " " + native + ": " + std::strerror(errno);
    return nullptr;
  };
  if (native.empty()) {
    errno = ENOENT;
    return fail("cannot open");
  }
  const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail("cannot open");
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    if (S_ISDIR(st.st_mode)) errno = EISDIR;
    auto result = fail("cannot read");
    ::close(fd);
    return result;
  }
  // Tell the kernel reads will jump about (directories, then single tables).
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
  return std::make_unique<RandomAccessFile>(Handle{fd}, static_cast<std::uint64_t>(st.st_size));
}

RandomAccessFile::~RandomAccessFile() { ::close(handle_); }

std::size_t RandomAccessFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  std::size_t done = 0;
  while (done < out.size()) {
    const std::uint64_t at = offset + done;
    if (at < offset || at > static_cast<std::uint64_t>(INT64_MAX)) break;
    const ssize_t n = ::pread(handle_, out.data() + done, out.size() - done, static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // end of file or a read error: the caller sees a short read
    done += static_cast<std::size_t>(n);
  }
  return done;
}

}  // namespace bushou::platform
