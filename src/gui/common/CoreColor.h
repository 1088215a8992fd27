#pragma once
// Colours crossing between the widgets (QColor) and the core (TColor, red in
// the low byte).

#include <QColor>
#include <QImage>
#include <QList>
#include <QRgb>

#include <algorithm>
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

// An 8-bit picture as an indexed QImage with its palette (a deep copy).
inline QImage ToIndexedImage(const Bitmap& picture) {
  QImage image(picture.Width(), picture.Height(), QImage::Format_Indexed8);
  image.setColorTable(ToColorTable(picture.palette));
  for (int y = 0; y < picture.Height(); ++y)
    std::copy_n(picture.Row(y), picture.Width(), image.scanLine(y));
  return image;
}

}  // namespace vorla
