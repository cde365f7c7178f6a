#include <fcntl.h>
#include <glob.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/files.h"
#include "platform/text.h"

namespace bushou::platform {
namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

std::string ErrnoText(const char* what, const std::string& path) {
  return std::string(what) + " " + path + ": " + std::strerror(errno);
}

}  // namespace

std::string NativePath(std::u16string_view path) { return ToUtf8(path); }

std::optional<FoundFile> FindFirstFile(std::u16string_view pattern) {
  const std::string native = NativePath(pattern);
  if (native.empty()) return std::nullopt;
  glob_t g{};
  // GLOB_NOESCAPE: a backslash is an ordinary character, as in Windows patterns.
  const int rc = glob(native.c_str(), GLOB_NOESCAPE, nullptr, &g);
  std::optional<FoundFile> found;
  if (rc == 0 && g.gl_pathc > 0) {
    struct stat st {};
    if (::stat(g.gl_pathv[0], &st) == 0) {
      found = FoundFile{static_cast<std::uint64_t>(st.st_size), S_ISDIR(st.st_mode),
                        FromUtf8(g.gl_pathv[0])};
    }
  }
  globfree(&g);
  return found;
}

bool DirectoryExists(std::u16string_view path) {
  struct stat st {};
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(std::u16string_view path) {
  struct stat st {};
  return !path.empty() && ::stat(NativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

namespace {

ReadResult ReadFile(std::u16string_view path, std::uint64_t maxSize, bool truncate) {
  ReadResult result;
  const std::string native = NativePath(path);
  Fd fd(::open(native.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    result.error = ErrnoText("cannot open", native);
    return result;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    result.error = ErrnoText("cannot stat", native);
    return result;
  }
  if (S_ISDIR(st.st_mode)) {
    result.error = native + " is a directory";
    return result;
  }
  std::uint64_t want = static_cast<std::uint64_t>(st.st_size);
  if (want > maxSize) {
    if (!truncate) {
      result.error = native + " is too large";
      return result;
    }
    want = maxSize;
  }
  result.bytes.resize(static_cast<std::size_t>(want));
  std::size_t done = 0;
  while (done < result.bytes.size()) {
    const ssize_t n = ::read(fd.get(), result.bytes.data() + done, result.bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.error = ErrnoText("cannot read", native);
      result.bytes.clear();
      return result;
    }
    if (n == 0) break;  // the file shrank meanwhile: keep what is there
    done += static_cast<std::size_t>(n);
  }
  result.bytes.resize(done);
  result.ok = true;
  return result;
}

}  // namespace

ReadResult ReadWholeFile(std::u16string_view path, std::uint64_t maxSize) {
  return ReadFile(path, maxSize, false);
}

ReadResult ReadFileHead(std::u16string_view path, std::size_t maxBytes) {
  return ReadFile(path, maxBytes, true);
}

std::string WriteFileReplacing(std::u16string_view path, std::span<const std::uint8_t> bytes) {
  const std::string target = NativePath(path);
  if (target.empty()) return "empty file name";
  std::random_device rd;
  const std::string temp = target + ".tmp" + std::to_string(rd() % 1000000u);
  Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
  if (fd.get() < 0) return ErrnoText("cannot create", temp);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      std::string why = ErrnoText("cannot write", temp);
      ::unlink(temp.c_str());
      return why;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd.get()) != 0 || ::close(fd.release()) != 0) {
    std::string why = ErrnoText("cannot flush", temp);
    ::unlink(temp.c_str());
    return why;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    std::string why = ErrnoText("cannot replace", target);
    ::unlink(temp.c_str());
    return why;
  }
  return {};
}

std::u16string ExecutableDirectory() {
  std::string buf(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return {};
  buf.resize(static_cast<std::size_t>(n));
  const std::size_t slash = buf.rfind('/');
  if (slash == std::string::npos) return {};
  return FromUtf8(slash == 0 ? std::string("/") : buf.substr(0, slash));
}

}  // namespace bushou::platform
