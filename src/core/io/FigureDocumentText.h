#pragma once
// The plot document an SVG or PDF figure carries: its ".vlx" text and the
// size its picture was calculated at, as three XML elements of our own
// namespace, in the SVG's <metadata> and in the PDF's XMP packet (which a
// PDF keeps uncompressed), so that either is read back without a parser.

#include <optional>
#include <string>
#include <string_view>

namespace vorla {

inline constexpr char kFigureNamespace[] = "urn:vorlascope:documento";

struct FigureDocument {
  int width = 0;  // of the picture, not of the whole figure
  int height = 0;
  std::string text;  // UTF-8
  friend bool operator==(const FigureDocument&, const FigureDocument&) = default;
};

// The elements vorlascope:ancho, vorlascope:alto and vorlascope:documento,
// the text escaped for XML; the prefix is for the caller to declare.
std::string FigureDocumentElements(const FigureDocument& document);

// The document carried by an SVG or PDF text, when it has our elements.
std::optional<FigureDocument> ReadFigureDocument(std::string_view text);

// The text looks like XML or SVG: "<?xml" or "<svg" after blanks and a
// UTF-8 byte-order mark.
bool LooksLikeSvg(std::string_view head);
// The text begins as a PDF file does, "%PDF-".
bool LooksLikePdf(std::string_view head);

}  // namespace vorla
