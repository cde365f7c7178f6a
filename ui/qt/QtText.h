// The one place UTF-16 core text meets QString.
#pragma once

#include <QString>
#include <string>

namespace bushou::ui {

inline QString ToQString(const std::u16string& text) { return QString::fromStdU16String(text); }
inline std::u16string FromQString(const QString& text) { return text.toStdU16String(); }

}  // namespace bushou::ui
