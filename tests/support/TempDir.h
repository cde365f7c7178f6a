// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace bushou::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder, or a path inside it, as the core's UTF-16 text.
  std::u16string u16(std::string_view relative = {}) const;
  // Writes a file (creating its folders) and returns its path as UTF-16.
  std::u16string Write(std::string_view relative, std::span<const std::uint8_t> bytes) const;
  std::u16string Write(std::string_view relative, std::string_view bytes) const;
  // Creates a folder (and its parents) and returns its path as UTF-16.
  std::u16string MakeDir(std::string_view relative) const;

 private:
  std::filesystem::path path_;
};

}  // namespace bushou::testing
