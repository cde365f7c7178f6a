// Message boxes raised by core code go through one injectable sink: the command
// line writes them to stderr, the window shows a modal box, tests record them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace bushou::platform {

enum class MessageIcon { Error, Warning, Information };

using MessageSink =
    std::function<void(std::u16string_view caption, std::u16string_view text, MessageIcon icon)>;

// Installs `sink` and returns the one it replaces. An empty sink restores the
// default, which writes "caption: text" to stderr.
MessageSink SetMessageSink(MessageSink sink);

// Shows `text` with the application title as caption and an OK button.
void ShowMessageBox(std::u16string_view text, MessageIcon icon = MessageIcon::Error);

// The application title, "偏旁部首检字": the caption of every message box.
const std::u16string& ApplicationTitle();

}  // namespace bushou::platform
