#include "core/gradient/ColorAdjust.h"

#include <algorithm>
#include <cmath>

namespace vorla {
namespace {

// Rewriting entry 0 with its own colour makes the table rebuild its palette
// and notify its host once for any number of channel writes before it.
void Publish(TGradTable& table) { table.SetColors(0, table.Colors(0)); }

double HueChannel(double m1, double m2, double h) {
  if (h < 0) {
    h += 1;
  } else if (h > 1) {
    h -= 1;
  }
  if (6 * h < 1) return m1 + (m2 - m1) * 6 * h;
  if (2 * h < 1) return m2;
  if (3 * h < 2) return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6;
  return m1;
}

std::uint8_t ToChannel(double unit) { return static_cast<std::uint8_t>(std::nearbyint(255 * unit)); }

std::uint8_t Pick(Rgb rgb, Channel channel) {
  switch (channel) {
    case Channel::kRed: return rgb.red;
    case Channel::kGreen: return rgb.green;
    case Channel::kBlue: return rgb.blue;
  }
  return 0;
}

}  // namespace

Hsl RgbToHsl(Rgb rgb) {
  const double r = rgb.red / 255.0;
  const double g = rgb.green / 255.0;
  const double b = rgb.blue / 255.0;
  const double mx = std::max({r, g, b});
  const double mn = std::min({r, g, b});
  Hsl hsl;
  hsl.lightness = (mx + mn) / 2;
  if (mx == mn) return hsl;
  const double d = mx - mn;
  hsl.saturation = hsl.lightness < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
  double h;
  if (r == mx) {
    h = (g - b) / d;
  } else if (g == mx) {
    h = (b - r) / d + 2;
  } else {
    h = (r - g) / d + 4;
  }
  h /= 6;
  if (h < 0) h += 1;
  hsl.hue = h;
  return hsl;
}

Rgb HslToRgb(const Hsl& hsl) {
  const double l = hsl.lightness;
  const double s = hsl.saturation;
  if (s == 0) {
    // nearbyint would round a grey of exactly x.5 to even; greys round up.
    const auto grey = static_cast<std::uint8_t>(std::floor(255 * l + 0.5));
    return Rgb{grey, grey, grey};
  }
  const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
  const double m1 = 2 * l - m2;
  return Rgb{ToChannel(HueChannel(m1, m2, hsl.hue + 1.0 / 3.0)), ToChannel(HueChannel(m1, m2, hsl.hue)),
             ToChannel(HueChannel(m1, m2, hsl.hue - 1.0 / 3.0))};
}

std::uint8_t ShiftChannel(std::uint8_t saved, int position) {
  const int s = saved;
  if (position > 0) return static_cast<std::uint8_t>(s * (256 - position) / 256 + position);
  if (position < 0) return static_cast<std::uint8_t>(s * (256 + position) / 256);
  return saved;
}

Rgb ShiftHsl(Rgb saved, const HslShift& shift) {
  Hsl hsl = RgbToHsl(saved);
  hsl.hue += shift.hue / 100.0;
  if (hsl.hue < 0) {
    hsl.hue += 1;
  } else if (hsl.hue > 1) {
    hsl.hue -= 1;
  }
  hsl.saturation = std::clamp(hsl.saturation + shift.saturation / 100.0, 0.0, 1.0);
  hsl.lightness = std::clamp(hsl.lightness + shift.lightness / 100.0, 0.0, 1.0);
  return HslToRgb(hsl);
}

Palette SaveColors(const TGradTable& table) {
  Palette saved;
  for (int i = 0; i < 256; ++i) saved[static_cast<std::size_t>(i)] = ToRgb(table.Colors(static_cast<std::uint8_t>(i)));
  return saved;
}

void ApplyChannelShift(TGradTable& table, const Palette& saved, Channel channel, int position) {
  for (int i = 0; i < 256; ++i) {
    const auto entry = static_cast<std::uint8_t>(i);
    const std::uint8_t value = ShiftChannel(Pick(saved[entry], channel), position);
    switch (channel) {
      case Channel::kRed: table.SetRed(entry, value); break;
      case Channel::kGreen: table.SetGreen(entry, value); break;
      case Channel::kBlue: table.SetBlue(entry, value); break;
    }
  }
  Publish(table);
}

void ApplyHslShift(TGradTable& table, const Palette& saved, const HslShift& shift) {
  for (const std::uint8_t node : table.GetNodes()) {
    const Rgb rgb = ShiftHsl(saved[node], shift);
    table.SetRed(node, rgb.red);
    table.SetGreen(node, rgb.green);
    table.SetBlue(node, rgb.blue);
  }
  table.Recalc();
}

void RestoreColors(TGradTable& table, const Palette& saved) {
  for (int i = 0; i < 256; ++i) {
    const auto entry = static_cast<std::uint8_t>(i);
    table.SetRed(entry, saved[entry].red);
    table.SetGreen(entry, saved[entry].green);
    table.SetBlue(entry, saved[entry].blue);
  }
  Publish(table);
}

}  // namespace vorla
