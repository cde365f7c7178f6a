// Known folders, named after the Windows shell folders the data location rules
// are written for. Each call asks anew; nothing is cached.
#pragma once

#include <string>

namespace bushou::platform {

enum class KnownFolder {
  AppData = 0x1A,        // the user's roaming application data
  LocalAppData = 0x1C,   // the user's local application data
  CommonAppData = 0x23,  // application data of all users
  Fonts = 0x14,          // the fonts folder
};

// The folder without a trailing separator; empty when it cannot be had.
// Linux: AppData and LocalAppData are $XDG_DATA_HOME (~/.local/share),
// CommonAppData the first entry of $XDG_DATA_DIRS (/usr/local/share),
// Fonts $XDG_DATA_HOME/fonts.
std::u16string GetKnownFolder(KnownFolder folder);

}  // namespace bushou::platform
