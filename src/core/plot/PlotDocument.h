#pragma once
// The plot document: everything that defines one picture, under the names of
// its file keys. The window shows it in its controls; the document file and
// the undo history store it; the calculation reads it.

#include <cstdint>
#include <string>

#include "core/io/Bitmap.h"

namespace vorla {

class TGradTable;

struct PlotDocument {
  std::string Func;        // f(x, y)
  bool Ani = false;        // animation running
  int Vel = 1;             // palette steps per tick, -100..100
  bool Gra = true;         // use the colour gradient
  TColor ColFun = 0;       // in-range colour while the gradient is off: palette entry 3
  TColor ColMin = 0;       // below the scale: entry 1
  TColor ColFon = 0;       // errors and filtered pixels: entry 0
  bool BucMin = false;     // values below Zmin wrap round the gradient
  std::string Zmin;        // bottom of the colour scale, per pixel
  std::string ColGra;      // palette string of the gradient
  std::string Xmin;        // x at the left edge
  std::string Ymin;        // y at the top edge
  std::string Xmax;        // x at the right edge
  std::string Ymax;        // y at the bottom edge
  TColor ColMax = 0;       // above the scale: entry 2
  bool BucMax = false;     // values above Zmax wrap round the gradient
  std::string Zmax;        // top of the colour scale, per pixel
  float FilMax = 0;        // upper filter threshold
  float FilMin = 0;        // lower filter threshold
  bool UsaFilMax = false;  // upper filter active
  bool UsaFilMin = false;  // lower filter active

  // What the program shows when it starts without a file.
  static PlotDocument StartUp();
  // What a document file lacking a key yields for it (Func has none: a file
  // without it is not a document).
  static PlotDocument FileDefaults();

  friend bool operator==(const PlotDocument&, const PlotDocument&) = default;
};

inline constexpr int kMinSpeed = -100;
inline constexpr int kMaxSpeed = 100;

// Gives the window's gradient table a document's colours as loading does:
// the four fixed colours into entries 0..3 first, then the palette string,
// whose nodes may overwrite them. A string that is not a whole number of
// nodes leaves the gradient as it was. Raises GradientTextError, after the
// fixed colours are set, for a palette string that cannot be read.
void ApplyDocumentColors(TGradTable& table, const PlotDocument& document);

// The picture's 256 colours for a document as the window shows it right
// after starting and loading it: the gradient runs over 4..255 and starts as
// the start-up document's. Raises GradientTextError as above.
Palette DocumentPalette(const PlotDocument& document);

}  // namespace vorla
