#include "tests/support/ScopedEnv.h"

#include <cstdlib>

namespace bushou::testing {

ScopedEnv::~ScopedEnv() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    if (it->second) {
      ::setenv(it->first.c_str(), it->second->c_str(), 1);
    } else {
      ::unsetenv(it->first.c_str());
    }
  }
}

ScopedEnv& ScopedEnv::Set(const std::string& name, std::optional<std::string> value) {
  const char* old = std::getenv(name.c_str());
  saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
  if (value) {
    ::setenv(name.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(name.c_str());
  }
  return *this;
}

ScopedDataRoots::ScopedDataRoots(const std::string& root)
    : user(root + "/home"), common(root + "/common") {
  env_.Set("XDG_DATA_HOME", user).Set("XDG_DATA_DIRS", common);
}

}  // namespace bushou::testing
