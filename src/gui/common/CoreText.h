#pragma once
// Text crossing between the widgets (QString) and the core (Windows-1252).

#include <QString>

#include <exception>
#include <string>

#include "core/io/FileError.h"
#include "core/io/TextEncoding.h"

namespace vorla {

inline QString FromCore(const std::string& text) { return QString::fromStdString(Cp1252ToUtf8(text)); }
inline std::string ToCore(const QString& text) { return Utf8ToCp1252(text.toStdString()); }
// The message of a core failure, with any file name in it whole in any script.
inline QString ErrorText(const std::exception& error) { return QString::fromStdString(Utf8Message(error)); }

}  // namespace vorla
