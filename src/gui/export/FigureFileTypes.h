#pragma once
// The figure types the export dialog offers after the picture types: the
// picture in a frame with its axes' ticks, a colour bar and the formula.

#include <QString>

#include <optional>

#include "gui/figure/FigureFile.h"

namespace vorla {

struct FigureFileType {
  FigureFormat format;
  const char* filter;   // the save dialog's name filter (UTF-8)
  const char* caption;  // the export dialog's caption
};

inline constexpr FigureFileType kFigureFileTypes[] = {
    {FigureFormat::kSvg, "Figura SVG (*.svg)", "Exportar Figura SVG"},
    {FigureFormat::kPdf, "Figura PDF (*.pdf)", "Exportar Figura PDF"},
};

// The figure type of a save dialog's name filter; nothing for a picture type.
inline std::optional<FigureFileType> FigureFileTypeOf(const QString& nameFilter) {
  for (const FigureFileType& type : kFigureFileTypes)
    if (nameFilter == QString::fromUtf8(type.filter)) return type;
  return std::nullopt;
}

}  // namespace vorla
