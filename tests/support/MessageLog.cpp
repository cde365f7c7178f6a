#include "tests/support/MessageLog.h"

namespace bushou::testing {

MessageLog::MessageLog()
    : old_(platform::SetMessageSink(
          [this](std::u16string_view caption, std::u16string_view text, platform::MessageIcon icon) {
            entries_.push_back({std::u16string(caption), std::u16string(text), icon});
          })) {}

MessageLog::~MessageLog() { platform::SetMessageSink(std::move(old_)); }

std::vector<std::u16string> MessageLog::texts() const {
  std::vector<std::u16string> out;
  for (const Entry& e : entries_) out.push_back(e.text);
  return out;
}

}  // namespace bushou::testing
