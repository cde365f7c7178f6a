#include "platform/version.h"

namespace bushou::platform {
namespace {
std::optional<unsigned>& Override() {
  static std::optional<unsigned> version;
  return version;
}
}  // namespace

unsigned WindowsMajorVersion() { return Override().value_or(10u); }

void OverrideWindowsMajorVersion(std::optional<unsigned> version) { Override() = version; }

}  // namespace bushou::platform
