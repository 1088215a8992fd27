#pragma once
// Colours crossing between the widgets (QColor) and the core (TColor, red in
// the low byte).

#include <QColor>
#include <QList>
#include <QRgb>

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

// A core palette as the colour table of an indexed QImage.
inline QList<QRgb> ToColorTable(const Palette& palette) {
  QList<QRgb> table(static_cast<qsizetype>(palette.size()));
  for (std::size_t i = 0; i < palette.size(); ++i)
    table[static_cast<qsizetype>(i)] = qRgb(palette[i].red, palette[i].green, palette[i].blue);
  return table;
}

}  // namespace vorla
