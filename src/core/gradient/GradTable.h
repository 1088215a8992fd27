#pragma once
// The 256-colour gradient table: user-chosen nodes inside the range
// StartCol..EndCol, linear blends between them (cyclic across the range
// ends), and the palette string that stores the nodes as text.

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/io/Bitmap.h"

namespace vorla {

// A palette string that cannot be read; what() is the user-visible message
// in Windows-1252. The table is left exactly as it was.
class GradientTextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "Error de rango": the text holds 32 nodes or more (256 characters or more).
class GradientRangeError : public GradientTextError {
 public:
  GradientRangeError();
};

// "'$XX' no es un valor entero válido": a field is not hexadecimal.
class GradientConvertError : public GradientTextError {
 public:
  explicit GradientConvertError(const std::string& field);
  const std::string& Field() const { return field_; }

 private:
  std::string field_;
};

// Appends one node of a palette string: its entry and its colour, as 8
// upper-case hex digits (entry, blue, green, red).
void AppendPalNode(std::string& text, int entry, TColor color);

class TGradTable {
 public:
  static constexpr std::uint32_t kNodeFlag = 1u << 28;

  TGradTable();

  std::uint8_t StartCol() const { return startCol_; }
  std::uint8_t EndCol() const { return endCol_; }
  void SetStartCol(std::uint8_t value);
  void SetEndCol(std::uint8_t value);
  // Range operations do nothing when EndCol lies below StartCol.
  bool InRange(int index) const { return index >= startCol_ && index <= endCol_; }

  // 8 upper-case hex digits per node of the range: index, blue, green, red.
  std::string PalString() const;
  // Throws GradientRangeError or GradientConvertError and then changes
  // nothing; a text under 8 characters or not a multiple of 8 is ignored.
  void SetPalString(const std::string& text);

  // Entry i as a 24-bit colour, node flag dropped.
  TColor Colors(std::uint8_t i) const { return table_[i] & 0xFFFFFFu; }
  // Entry i := colour to 24 bits, no node flag, no Recalc; palette rebuilt
  // and host notified.
  void SetColors(std::uint8_t i, TColor color);

  std::uint8_t Red(std::uint8_t i) const { return static_cast<std::uint8_t>(table_[i]); }
  std::uint8_t Green(std::uint8_t i) const { return static_cast<std::uint8_t>(table_[i] >> 8); }
  std::uint8_t Blue(std::uint8_t i) const { return static_cast<std::uint8_t>(table_[i] >> 16); }
  // Channel setters touch nothing else: the caller follows with Recalc or a
  // Colors write, so an adjustment can change many entries before one notice.
  void SetRed(std::uint8_t i, std::uint8_t value) { SetChannel(i, 0, value); }
  void SetGreen(std::uint8_t i, std::uint8_t value) { SetChannel(i, 8, value); }
  void SetBlue(std::uint8_t i, std::uint8_t value) { SetChannel(i, 16, value); }

  bool IsNode(std::uint8_t i) const { return (table_[i] & kNodeFlag) != 0; }
  // Entry i := colour to 24 bits with the node flag, then Recalc.
  void SetNode(std::uint8_t i, TColor color);
  // Removes node i unless it lies outside the range or is the last node;
  // true when it deleted (the editor then reports a finished edit).
  bool DeleteNode(std::uint8_t i);
  int NodeCount() const;
  std::vector<std::uint8_t> GetNodes() const;
  // Nearest nodes at or below and at or above i, searched cyclically over
  // the range; both are i when i is a node, when the range has no node or
  // when i lies outside the range.
  void FindNeighbours(std::uint8_t i, std::int16_t& below, std::int16_t& above) const;

  // Cyclic shift of the whole range by n places (flags included), towards
  // EndCol for n > 0. The blends stay valid because every segment, the
  // wrap-around one included, uses the same divisor rule.
  void Rotate(std::int8_t n);
  void Recalc();

  // The current 256-entry palette (a copy).
  vorla::Palette Palette() const { return palette_; }

  // Fired on every change of the table: each Recalc, Rotate and Colors write.
  std::function<void()> OnChange;

 private:
  void SetChannel(std::uint8_t i, int shift, std::uint8_t value);
  void Interpolate();
  void RebuildPalette();
  void Changed();

  std::array<std::uint32_t, 256> table_{};
  std::uint8_t startCol_ = 0;
  std::uint8_t endCol_ = 255;
  vorla::Palette palette_{};
};

}  // namespace vorla
