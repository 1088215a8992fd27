#pragma once
// Colour adjustment of a gradient table: channel shifts and hue, saturation
// and lightness shifts, always computed afresh from the colours saved when
// the adjustment began, so moving a slider back to 0 restores them.

#include <cstdint>

#include "core/gradient/GradTable.h"
#include "core/io/Bitmap.h"

namespace vorla {

struct Hsl {
  double hue = 0;  // 0..1, a full turn
  double saturation = 0;  // 0..1
  double lightness = 0;  // 0..1
};

Hsl RgbToHsl(Rgb rgb);
// Grey (saturation exactly 0) rounds 255 * lightness half up; the channels of
// a colour round to nearest, ties to even.
Rgb HslToRgb(const Hsl& hsl);

// A saved channel value moved by a slider position -255..255: towards 255
// for positive positions, towards 0 for negative ones.
std::uint8_t ShiftChannel(std::uint8_t saved, int position);

// Hue shift -50..50, saturation and lightness shifts -100..100, in hundredths.
struct HslShift {
  int hue = 0;
  int saturation = 0;
  int lightness = 0;
};
Rgb ShiftHsl(Rgb saved, const HslShift& shift);

enum class Channel { kRed, kGreen, kBlue };

// The 256 entries of the table as they are now.
Palette SaveColors(const TGradTable& table);

// One channel of every entry (nodes, blends and the slots outside the range)
// from its saved value; the table then announces the change once. The other
// channels keep what they hold.
void ApplyChannelShift(TGradTable& table, const Palette& saved, Channel channel, int position);

// Every node from its saved colour, then the blends are recalculated; the
// slots outside the range keep what they hold.
void ApplyHslShift(TGradTable& table, const Palette& saved, const HslShift& shift);

// All 256 entries back to the saved colours, node flags kept, announced once.
void RestoreColors(TGradTable& table, const Palette& saved);

}  // namespace vorla
