#include "core/gradient/SystemColors.h"

#include <array>

namespace vorla {
namespace {

constexpr TColor Rgb24(int red, int green, int blue) {
  return static_cast<TColor>(red | (green << 8) | (blue << 16));
}

// The classic desktop scheme, numbered as the window system numbers them.
std::array<TColor, kSystemColorCount>& Table() {
  static std::array<TColor, kSystemColorCount> table = {
      Rgb24(200, 200, 200),  //  0 scroll bar
      Rgb24(0, 128, 128),    //  1 desktop background
      Rgb24(0, 0, 128),      //  2 active caption
      Rgb24(128, 128, 128),  //  3 inactive caption
      Rgb24(192, 192, 192),  //  4 menu
      Rgb24(255, 255, 255),  //  5 window
      Rgb24(0, 0, 0),        //  6 window frame
      Rgb24(0, 0, 0),        //  7 menu text
      Rgb24(0, 0, 0),        //  8 window text
      Rgb24(255, 255, 255),  //  9 caption text
      Rgb24(192, 192, 192),  // 10 active border
      Rgb24(192, 192, 192),  // 11 inactive border
      Rgb24(128, 128, 128),  // 12 application workspace
      Rgb24(0, 0, 128),      // 13 highlight
      Rgb24(255, 255, 255),  // 14 highlight text
      Rgb24(192, 192, 192),  // 15 button face
      Rgb24(128, 128, 128),  // 16 button shadow
      Rgb24(128, 128, 128),  // 17 grey text
      Rgb24(0, 0, 0),        // 18 button text
      Rgb24(192, 192, 192),  // 19 inactive caption text
      Rgb24(255, 255, 255),  // 20 button highlight
      Rgb24(0, 0, 0),        // 21 3D dark shadow
      Rgb24(223, 223, 223),  // 22 3D light
      Rgb24(0, 0, 0),        // 23 tooltip text
      Rgb24(255, 255, 225),  // 24 tooltip background
      Rgb24(0, 0, 0),        // 25 unused
      Rgb24(0, 0, 255),      // 26 hot-tracked item
      Rgb24(16, 132, 208),   // 27 active caption gradient
      Rgb24(181, 181, 181),  // 28 inactive caption gradient
      Rgb24(0, 0, 128),      // 29 menu highlight
      Rgb24(192, 192, 192),  // 30 menu bar
  };
  return table;
}

}  // namespace

TColor SystemColor(int index) {
  if (index < 0 || index >= kSystemColorCount) return 0;
  return Table()[static_cast<std::size_t>(index)];
}

void SetSystemColor(int index, TColor color) {
  if (index < 0 || index >= kSystemColorCount) return;
  Table()[static_cast<std::size_t>(index)] = color & 0xFFFFFFu;
}

TColor ColorTo24Bits(TColor color) {
  if (color & kSystemColorFlag) return SystemColor(static_cast<int>(color & 0xFFu));
  return color & 0xFFFFFFu;
}

}  // namespace vorla
