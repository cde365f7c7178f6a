#include "platform/folders.h"

#include <gtest/gtest.h>

#include "tests/support/ScopedEnv.h"

namespace bushou::platform {
namespace {

using testing::ScopedEnv;

TEST(KnownFolders, FollowTheXdgVariables) {
  ScopedEnv env;
  env.Set("XDG_DATA_HOME", "/data/home/").Set("XDG_DATA_DIRS", "relative:/shared/one/:/shared/two");
  EXPECT_EQ(GetKnownFolder(KnownFolder::AppData), u"/data/home");
  EXPECT_EQ(GetKnownFolder(KnownFolder::LocalAppData), u"/data/home");
  EXPECT_EQ(GetKnownFolder(KnownFolder::Fonts), u"/data/home/fonts");
  // Relative entries are invalid and skipped.
  EXPECT_EQ(GetKnownFolder(KnownFolder::CommonAppData), u"/shared/one");
}

TEST(KnownFolders, DefaultWhenTheVariablesAreUnsetOrRelative) {
  ScopedEnv env;
  env.Set("XDG_DATA_HOME", "not/absolute").Set("HOME", "/home/user").Set("XDG_DATA_DIRS", std::nullopt);
  EXPECT_EQ(GetKnownFolder(KnownFolder::AppData), u"/home/user/.local/share");
  EXPECT_EQ(GetKnownFolder(KnownFolder::Fonts), u"/home/user/.local/share/fonts");
  EXPECT_EQ(GetKnownFolder(KnownFolder::CommonAppData), u"/usr/local/share");
}

}  // namespace
}  // namespace bushou::platform
