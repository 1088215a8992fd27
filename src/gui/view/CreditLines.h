#pragma once
// The scrolling text's lines and its scrolling, without the toolkit: the
// line codes ("&$0000FF&n&h12,&fArial;Texto") and where each line stands as
// the list moves up by one step per tick.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/Bitmap.h"

namespace vorla {

// A number in a line code that is not one: "'%s' no es un valor entero
// v\xE1lido" (core text) with the characters read.
class EInvalidInteger : public std::runtime_error {
 public:
  explicit EInvalidInteger(const std::string& read);
};

enum class CreditAlignment { kLeft, kRight, kCenter };

enum CreditFontStyle : unsigned {
  kCreditBold = 1,
  kCreditItalic = 2,
  kCreditUnderline = 4,
  kCreditStrikeOut = 8,
};

struct CreditLine {
  std::string text;          // what is shown: everything after the first ";"
  TColor color = 0;          // "&$" + 6 hex digits, blue first
  std::string fontName;      // "&f" + name to the end of the codes; empty: the base font's
  int fontSize = 0;          // "&h" + number + ","; 0: the base font's
  unsigned style = 0;        // CreditFontStyle bits; "&n", "&c", "&s", "&t", off when absent
  CreditAlignment alignment = CreditAlignment::kCenter;  // "&i", "&e", "&d" ("&d" wins, then "&e")
  bool blinking = false;     // "&k"
  std::optional<int> height; // "&v" + number + ","; else the text height in the line's font
  bool drawn = false;        // the whole line sorts after "  ": empty and blank lines draw nothing
};

// Parses one stored line starting from the base colour and alignment; a
// line without ";" has no codes and shows whole. Throws EInvalidInteger for
// a size or height without "," in the five characters after its code, or a
// colour that is not hexadecimal.
CreditLine ParseCreditLine(std::string_view line, TColor baseColor, CreditAlignment baseAlignment);

// Where the list stands: `offset` is the y of the first line's top, and the
// list moves up by `step` pixels per tick.
class CreditScroll {
 public:
  struct Placement {
    int line;
    int y;
  };

  void SetHeights(std::vector<int> heights);
  int TotalHeight() const { return total_; }
  int Offset() const { return offset_; }
  int LineTop(int line) const { return tops_[static_cast<std::size_t>(line)]; }

  // Scrolling on: the list starts at the bottom of a control `height` high.
  void Start(int height, int step);
  // Scrolling off: the list stands at the top.
  void Stop();
  // One tick; true when the list had scrolled out at the top, which restarts
  // it (right below its own end when `continuous`, else from the bottom).
  bool Tick(int height, int step, bool continuous);

  // The lines that touch a picture `height` high, top to bottom; with
  // `continuous` the list repeats until the bottom edge is passed.
  std::vector<Placement> Visible(int height, bool continuous) const;

  // A blinking line at y is hidden at these positions.
  static bool BlinkHidden(int y, int step);

 private:
  std::vector<int> heights_;
  std::vector<int> tops_;
  int total_ = 0;
  int offset_ = 0;
};

}  // namespace vorla
