// The one crossing between the till's Windows-1252 bytes and QString.
#pragma once

#include <QString>

#include <string>

#include "core/win1252.h"

namespace tl {

inline QString to_qt(const std::string& bytes) { return QString::fromUtf8(win1252_to_utf8(bytes)); }
inline std::string from_qt(const QString& text) { return utf8_to_win1252(text.toUtf8().toStdString()); }

}  // namespace tl
