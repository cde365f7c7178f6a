#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/folders.h"
#include "platform/text.h"

namespace bushou::platform {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string HomeDirectory() {
  std::string home = Env("HOME");
  if (!home.empty()) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return {};
}

// XDG Base Directory rules: a relative value is invalid and ignored.
std::string DataHome() {
  std::string v = Env("XDG_DATA_HOME");
  if (!v.empty() && v.front() == '/') return StripTrailingSlashes(v);
  const std::string home = HomeDirectory();
  return home.empty() ? std::string() : StripTrailingSlashes(home) + "/.local/share";
}

std::string FirstDataDir() {
  const std::string dirs = Env("XDG_DATA_DIRS");
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = dirs.find(':', start);
    const std::string entry = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!entry.empty() && entry.front() == '/') return StripTrailingSlashes(entry);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return "/usr/local/share";
}

}  // namespace

std::u16string GetKnownFolder(KnownFolder folder) {
  switch (folder) {
    case KnownFolder::AppData:
    case KnownFolder::LocalAppData:
      return FromUtf8(DataHome());
    case KnownFolder::CommonAppData:
      return FromUtf8(FirstDataDir());
    case KnownFolder::Fonts: {
      const std::string home = DataHome();
      return home.empty() ? std::u16string() : FromUtf8(home + "/fonts");
    }
  }
  return {};
}

}  // namespace bushou::platform
