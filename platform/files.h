// File look-up and whole-file reads and writes. Paths are UTF-16 in the core and
// UTF-8 on the Linux file system.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bushou::platform {

// The separator the data-file names and data roots are written with.
#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

struct FoundFile {
  std::uint64_t size = 0;
  bool isDirectory = false;
  std::u16string path;  // the full path of the match
};

// The first match of `pattern`, which may hold the wildcards * and ? (glob(3)
// on Linux). A directory that matches counts as found.
std::optional<FoundFile> FindFirstFile(std::u16string_view pattern);

bool DirectoryExists(std::u16string_view path);
// True for an existing file that is not a directory (no wildcards).
bool FileExists(std::u16string_view path);

struct ReadResult {
  std::vector<std::uint8_t> bytes;
  bool ok = false;
  std::string error;  // why reading failed, for messages and tests
};

// Reads the whole file. Fails for a missing or unreadable file, a directory, or
// one larger than `maxSize` bytes.
ReadResult ReadWholeFile(std::u16string_view path, std::uint64_t maxSize = 256u << 20);

// Reads at most the first `maxBytes` bytes: for formats that ignore whatever
// follows their content, so a huge file costs no more than a normal one.
ReadResult ReadFileHead(std::u16string_view path, std::size_t maxBytes);

// Writes `bytes` to a temporary file beside `path` and renames it over `path`,
// so a crash never leaves a half-written file. Returns an empty string on
// success, otherwise the reason.
std::string WriteFileReplacing(std::u16string_view path, std::span<const std::uint8_t> bytes);

// The folder of the running executable, without a trailing separator.
std::u16string ExecutableDirectory();

// The path as the file system wants it (UTF-8 on Linux).
std::string NativePath(std::u16string_view path);

}  // namespace bushou::platform
