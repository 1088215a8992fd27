#pragma once
// The plot document an SVG figure carries: its ".vlx" text, and the size its
// picture was calculated at, in one element of the drawing's <metadata>.

#include <optional>
#include <string>
#include <string_view>

namespace vorla {

struct SvgDocument {
  int width = 0;  // of the picture, not of the whole drawing
  int height = 0;
  std::string text;  // UTF-8
  friend bool operator==(const SvgDocument&, const SvgDocument&) = default;
};

// The <metadata> element that carries the document, the text escaped for XML.
std::string SvgDocumentMetadata(const SvgDocument& document);

// The document carried by an SVG text, when it has our element.
std::optional<SvgDocument> ReadSvgDocument(std::string_view svg);

// The text looks like XML or SVG: "<?xml" or "<svg" after blanks and a
// UTF-8 byte-order mark.
bool LooksLikeSvg(std::string_view head);

}  // namespace vorla
