#include "core/gradient/GradTable.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "core/gradient/DrawRoutines.h"
#include "core/gradient/SystemColors.h"
#include "core/io/NumberText.h"

namespace vorla {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kYellow = 0x00FFFF;

}  // namespace

GradientRangeError::GradientRangeError() : GradientTextError("Error de rango") {}

GradientConvertError::GradientConvertError(const std::string& field)
    : GradientTextError("'" + field + "' no es un valor entero v\xE1lido"), field_(field) {}

TGradTable::TGradTable() {
  table_[8] = kRed | kNodeFlag;
  table_[127] = kYellow | kNodeFlag;
  Interpolate();
  RebuildPalette();
}

void TGradTable::SetStartCol(std::uint8_t value) {
  if (value == startCol_) return;
  startCol_ = value;
  Recalc();
}

void TGradTable::SetEndCol(std::uint8_t value) {
  if (value == endCol_) return;
  endCol_ = value;
  Recalc();
}

void AppendPalNode(std::string& text, int entry, TColor color) {
  char field[9];
  std::snprintf(field, sizeof field, "%.2X%.6X", static_cast<unsigned>(entry), static_cast<unsigned>(color & 0xFFFFFFu));
  text += field;
}

std::string TGradTable::PalString() const {
  std::string text;
  for (std::uint8_t i : GetNodes()) AppendPalNode(text, i, Colors(i));
  return text;
}

void TGradTable::SetPalString(const std::string& text) {
  if (text.size() >= 256) throw GradientRangeError();
  if (text.size() < 8 || text.size() % 8 != 0) return;

  // Every field is checked before the table is touched, so a bad text
  // cannot leave a half-read gradient behind.
  struct Node { std::uint8_t index; std::uint32_t color; };
  std::vector<Node> nodes;
  const std::string_view view(text);
  for (std::size_t at = 0; at < view.size(); at += 8) {
    const std::string_view indexField = view.substr(at, 2);
    const std::string_view colorField = view.substr(at + 2, 6);
    const auto index = ParseHex(indexField);
    if (!index) throw GradientConvertError("$" + std::string(indexField));
    const auto color = ParseHex(colorField);
    if (!color) throw GradientConvertError("$" + std::string(colorField));
    nodes.push_back({static_cast<std::uint8_t>(*index), *color});
  }

  for (int i = startCol_; i <= endCol_; ++i) table_[static_cast<std::size_t>(i)] = 0;
  for (const Node& node : nodes) table_[node.index] = node.color | kNodeFlag;
  Recalc();
}

void TGradTable::SetColors(std::uint8_t i, TColor color) {
  table_[i] = ColorTo24Bits(color);
  RebuildPalette();
  Changed();
}

void TGradTable::SetChannel(std::uint8_t i, int shift, std::uint8_t value) {
  table_[i] = (table_[i] & ~(0xFFu << shift)) | (static_cast<std::uint32_t>(value) << shift);
}

void TGradTable::SetNode(std::uint8_t i, TColor color) {
  table_[i] = ColorTo24Bits(color) | kNodeFlag;
  Recalc();
}

bool TGradTable::DeleteNode(std::uint8_t i) {
  if (NodeCount() < 2 || !InRange(i)) return false;
  table_[i] = 0;
  Recalc();
  return true;
}

int TGradTable::NodeCount() const {
  int count = 0;
  for (int i = startCol_; i <= endCol_; ++i) count += IsNode(static_cast<std::uint8_t>(i)) ? 1 : 0;
  return count;
}

std::vector<std::uint8_t> TGradTable::GetNodes() const {
  std::vector<std::uint8_t> nodes;
  for (int i = startCol_; i <= endCol_; ++i)
    if (IsNode(static_cast<std::uint8_t>(i))) nodes.push_back(static_cast<std::uint8_t>(i));
  return nodes;
}

void TGradTable::FindNeighbours(std::uint8_t i, std::int16_t& below, std::int16_t& above) const {
  below = above = i;
  if (!InRange(i) || IsNode(i)) return;
  const int count = endCol_ - startCol_ + 1;
  const auto wrap = [&](int k) { return startCol_ + ((k - startCol_) % count + count) % count; };
  for (int step = 1; step < count; ++step) {
    const int k = wrap(i - step);
    if (IsNode(static_cast<std::uint8_t>(k))) { below = static_cast<std::int16_t>(k); break; }
  }
  for (int step = 1; step < count; ++step) {
    const int k = wrap(i + step);
    if (IsNode(static_cast<std::uint8_t>(k))) { above = static_cast<std::int16_t>(k); break; }
  }
}

void TGradTable::Rotate(std::int8_t n) {
  if (n == 0 || endCol_ < startCol_) return;
  const int count = endCol_ - startCol_ + 1;
  const int shift = ((n % count) + count) % count;
  const auto first = table_.begin() + startCol_;
  const auto last = table_.begin() + endCol_ + 1;
  std::rotate(first, last - shift, last);
  RebuildPalette();
  Changed();
}

void TGradTable::Recalc() {
  Interpolate();
  RebuildPalette();
  Changed();
}

void TGradTable::Interpolate() {
  if (endCol_ < startCol_) return;
  const int start = startCol_;
  const int end = endCol_;
  int first = start;
  int prev = start;
  bool found = false;
  for (int i = start; i <= end; ++i) {
    if (!IsNode(static_cast<std::uint8_t>(i))) continue;
    if (!found) {
      first = prev = i;
      found = true;
      continue;
    }
    const int distance = i - prev;
    // The ramp reads only the colour bytes: the node flag above them never
    // spreads to the blended entries.
    const TColGrad ramp(table_[prev], table_[i], static_cast<std::uint16_t>(distance + 1));
    for (int j = 1; j < distance; ++j) table_[prev + j] = ramp.ColorAt(j);
    prev = i;
  }

  // From the last node across the range end to the first node; with no node
  // both stand at StartCol and the whole range takes that entry's colour.
  const int wrapDistance = (end - prev) + (first - start) + 1;
  const TColGrad ramp(table_[prev], table_[first], static_cast<std::uint16_t>(wrapDistance + 1));
  for (int k = prev + 1; k <= end; ++k) table_[k] = ramp.ColorAt(k - prev);
  for (int k = start; k < first; ++k) table_[k] = ramp.ColorAt((end - prev) + 1 + (k - start));
}

void TGradTable::RebuildPalette() {
  for (std::size_t i = 0; i < palette_.size(); ++i) palette_[i] = ToRgb(table_[i]);
}

void TGradTable::Changed() {
  if (OnChange) OnChange();
}

}  // namespace vorla
