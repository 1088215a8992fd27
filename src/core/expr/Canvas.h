#pragma once
// TCanvas: the drawing surface formula typesetting measures and paints on.
// The layout decides fonts, positions and strokes; a host only measures and
// paints text in the faces named here and draws black lines.

#include <string>
#include <vector>

namespace vorla {

namespace typeset {
class TBoxMemo;
}

// The faces formulas are set in. Symbol text is written in that face's own
// encoding ("p" is the Greek pi); a host without the face maps it.
enum class TFace { TimesNewRoman, Symbol, Arial };

enum class TFontStyle { Regular, Bold, Italic, BoldItalic };

// What a font height measures: the character height (the em, what a
// negative height asks of the window system) or the whole text cell.
enum class THeightKind { Character, Cell };

struct TFont {
  TFace Face = TFace::TimesNewRoman;
  TFontStyle Style = TFontStyle::Regular;
  int Height = 20;  // pixels
  THeightKind Kind = THeightKind::Character;
  friend bool operator==(const TFont&, const TFont&) = default;
};

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// All drawing is black on a transparent background.
class TCanvas {
 public:
  virtual ~TCanvas() = default;

  // The font of the following text calls; left as the last step set it.
  TFont Font;
  // The boxes already measured while one formula is measured or drawn on
  // this canvas; typesetting sets it for the length of that call.
  typeset::TBoxMemo* Memo = nullptr;

  // Converts point sizes to pixels.
  virtual int PixelsPerInch() const = 0;
  virtual int TextWidth(const std::string& text) = 0;
  // The height of the text cell.
  virtual int TextHeight(const std::string& text) = 0;
  // Text with the top-left corner of its cell at (x, y).
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual void Line(TPoint from, TPoint to, int penWidth) = 0;
  virtual void Polyline(const std::vector<TPoint>& points, int penWidth) = 0;
  // The pixels from left to right - 1 and top to bottom - 1, outlined with a
  // one-pixel pen; filled inside when `filled`.
  virtual void Rectangle(int left, int top, int right, int bottom, bool filled) = 0;
};

}  // namespace vorla
