#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "platform/text.h"

namespace bushou::testing {

TempDir::TempDir() {
  std::string templ = (std::filesystem::temp_directory_path() / "bushou-test-XXXXXX").string();
  if (!::mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
  path_ = templ;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::u16string TempDir::u16(std::string_view relative) const {
  const std::filesystem::path p = relative.empty() ? path_ : path_ / relative;
  return platform::FromUtf8(p.string());
}

std::u16string TempDir::Write(std::string_view relative, std::span<const std::uint8_t> bytes) const {
  const std::filesystem::path p = path_ / relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + p.string());
  return u16(relative);
}

std::u16string TempDir::Write(std::string_view relative, std::string_view bytes) const {
  return Write(relative, std::span<const std::uint8_t>(
                             reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::u16string TempDir::MakeDir(std::string_view relative) const {
  std::filesystem::create_directories(path_ / relative);
  return u16(relative);
}

}  // namespace bushou::testing
