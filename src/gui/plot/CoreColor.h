#pragma once
// Colours crossing between the widgets (QColor) and the core (TColor, red in
// the low byte).

#include <QColor>

#include <cstdint>

#include "core/io/Bitmap.h"

namespace vorla {

inline QColor ToQColor(TColor color) {
  const Rgb rgb = ToRgb(color);
  return QColor(rgb.red, rgb.green, rgb.blue);
}

inline TColor FromQColor(const QColor& color) {
  return ToColor(Rgb{static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                     static_cast<std::uint8_t>(color.blue())});
}

}  // namespace vorla
