#pragma once
// Text crossing between the widgets (QString) and the core (Windows-1252).

#include <QString>

#include <string>

#include "core/io/TextEncoding.h"

namespace vorla {

inline QString FromCore(const std::string& text) { return QString::fromStdString(Cp1252ToUtf8(text)); }
inline std::string ToCore(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

}  // namespace vorla
