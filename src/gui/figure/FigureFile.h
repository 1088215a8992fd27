#pragma once
// Figures written to SVG and PDF files: the picture in a frame with ticks,
// a colour bar and the typeset formula (FigurePainter). The interface holds
// no Qt type, so the command-line program reaches it without compiling
// against Qt.

#include <filesystem>
#include <optional>

#include "core/plot/FigureContent.h"

namespace vorla {

enum class FigureFormat { kSvg, kPdf };

// By the extension ".svg" or ".pdf", without regard to letter case.
std::optional<FigureFormat> FigureFormatFromPath(const std::filesystem::path& path);

// The chosen name with its extension replaced by the format's.
std::filesystem::path FigureFileName(const std::filesystem::path& chosen, FigureFormat format);

// Writes the figure through a temporary file renamed over `path` once
// complete; raises ImageWriteError, leaving any old file untouched. The
// document goes with it (FigureDocumentText, read back by LoadDocument): in
// an SVG's <metadata>, in a PDF's XMP packet and, for PDF viewers, as the
// attached file "documento.vlx". Starts Qt's GUI module on the offscreen
// platform when no application runs.
void WriteFigure(const FigureContent& figure, const std::filesystem::path& path, FigureFormat format);

}  // namespace vorla
