// Sets environment variables for one test and restores them afterwards.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace bushou::testing {

class ScopedEnv {
 public:
  ScopedEnv() = default;
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

  // nullopt unsets the variable.
  ScopedEnv& Set(const std::string& name, std::optional<std::string> value);

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Points the known folders at a test folder: XDG_DATA_HOME = <root>/home,
// XDG_DATA_DIRS = <root>/common. Returns nothing; the folders are not created.
class ScopedDataRoots {
 public:
  explicit ScopedDataRoots(const std::string& root);
  std::string user;    // the per-user data root (AppData and LocalAppData)
  std::string common;  // the all-users data root

 private:
  ScopedEnv env_;
};

}  // namespace bushou::testing
