// The Windows version the data-location rules ask about.
#pragma once

#include <optional>

namespace bushou::platform {

// The major version number of the running Windows. Linux answers as a current
// Windows (10), so every "Vista or later" branch is taken.
unsigned WindowsMajorVersion();

// Tests of the older branches set a version here; nullopt restores the real answer.
void OverrideWindowsMajorVersion(std::optional<unsigned> version);

}  // namespace bushou::platform
