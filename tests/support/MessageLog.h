// Records the message boxes core code raises while it lives.
#pragma once

#include <string>
#include <vector>

#include "platform/messages.h"

namespace bushou::testing {

class MessageLog {
 public:
  MessageLog();
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  struct Entry {
    std::u16string caption;
    std::u16string text;
    platform::MessageIcon icon;
  };
  const std::vector<Entry>& entries() const { return entries_; }
  // The texts only, in order.
  std::vector<std::u16string> texts() const;

 private:
  std::vector<Entry> entries_;
  platform::MessageSink old_;
};

}  // namespace bushou::testing
