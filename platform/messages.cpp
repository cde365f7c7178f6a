#include "platform/messages.h"

#include <cstdio>

#include "platform/text.h"

namespace bushou::platform {
namespace {

void WriteToStderr(std::u16string_view caption, std::u16string_view text, MessageIcon) {
  std::fprintf(stderr, "%s: %s\n", ToUtf8(caption).c_str(), ToUtf8(text).c_str());
}

MessageSink& Sink() {
  static MessageSink sink = WriteToStderr;
  return sink;
}

const std::u16string& Title() {
  static const std::u16string title = u"偏旁部首检字";
  return title;
}

}  // namespace

MessageSink SetMessageSink(MessageSink sink) {
  MessageSink old = std::move(Sink());
  Sink() = sink ? std::move(sink) : MessageSink(WriteToStderr);
  return old;
}

void ShowMessageBox(std::u16string_view text, MessageIcon icon) { Sink()(Title(), text, icon); }

const std::u16string& ApplicationTitle() { return Title(); }

}  // namespace bushou::platform
