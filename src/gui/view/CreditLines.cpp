#include "gui/view/CreditLines.h"

#include <algorithm>
#include <cstdlib>

#include "core/io/NumberText.h"

namespace vorla {
namespace {

constexpr std::size_t kNumberWindow = 5;  // characters after "&h" or "&v" that may hold the ","
constexpr std::size_t kColorDigits = 6;

bool HasCode(std::string_view codes, std::string_view code) { return codes.find(code) != std::string_view::npos; }

// The number between `code` and the next "," within five characters.
std::optional<int> NumberAfter(std::string_view codes, std::string_view code) {
  const std::size_t at = codes.find(code);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view window = codes.substr(at + code.size(), kNumberWindow);
  const std::size_t comma = window.find(',');
  if (comma == std::string_view::npos) throw EInvalidInteger(std::string(window));
  const std::string_view digits = window.substr(0, comma);
  const std::optional<std::int32_t> number = ParseInteger(digits);
  if (!number) throw EInvalidInteger(std::string(digits));
  return *number;
}

}  // namespace

EInvalidInteger::EInvalidInteger(const std::string& read)
    : std::runtime_error("'" + read + "' no es un valor entero v\xE1lido") {}

CreditLine ParseCreditLine(std::string_view line, TColor baseColor, CreditAlignment baseAlignment) {
  CreditLine parsed;
  parsed.color = baseColor;
  parsed.alignment = baseAlignment;
  // Byte order, not letter order: only lines beyond two blanks draw.
  parsed.drawn = std::string_view(line) > std::string_view("  ");
  const std::size_t semicolon = line.find(';');
  if (semicolon == std::string_view::npos) {
    parsed.text = line;
    return parsed;
  }
  const std::string_view codes = line.substr(0, semicolon);
  parsed.text = line.substr(semicolon + 1);

  if (const std::size_t at = codes.find("&$"); at != std::string_view::npos) {
    const std::string_view digits = codes.substr(at + 2, kColorDigits);
    const std::optional<std::uint32_t> color = ParseHex(digits);
    if (!color) throw EInvalidInteger("$" + std::string(digits));
    parsed.color = *color;
  }
  if (const std::size_t at = codes.find("&f"); at != std::string_view::npos) parsed.fontName = codes.substr(at + 2);
  if (const std::optional<int> size = NumberAfter(codes, "&h")) parsed.fontSize = std::max(*size, 0);
  if (const std::optional<int> height = NumberAfter(codes, "&v")) parsed.height = std::max(*height, 0);
  if (HasCode(codes, "&n")) parsed.style |= kCreditBold;
  if (HasCode(codes, "&c")) parsed.style |= kCreditItalic;
  if (HasCode(codes, "&s")) parsed.style |= kCreditUnderline;
  if (HasCode(codes, "&t")) parsed.style |= kCreditStrikeOut;
  parsed.blinking = HasCode(codes, "&k");
  if (HasCode(codes, "&d"))
    parsed.alignment = CreditAlignment::kRight;
  else if (HasCode(codes, "&e"))
    parsed.alignment = CreditAlignment::kCenter;
  else if (HasCode(codes, "&i"))
    parsed.alignment = CreditAlignment::kLeft;
  return parsed;
}

void CreditScroll::SetHeights(std::vector<int> heights) {
  heights_ = std::move(heights);
  tops_.assign(heights_.size(), 0);
  total_ = 0;
  for (std::size_t i = 0; i < heights_.size(); ++i) {
    tops_[i] = total_;
    total_ += heights_[i];
  }
}

void CreditScroll::Start(int height, int step) { offset_ = height - step; }

void CreditScroll::Stop() { offset_ = 0; }

bool CreditScroll::Tick(int height, int step, bool continuous) {
  if (offset_ >= -total_) {
    offset_ -= step;
    return false;
  }
  if (continuous && total_ > 0)
    offset_ += total_;
  else
    offset_ = height - step;
  return true;
}

std::vector<CreditScroll::Placement> CreditScroll::Visible(int height, bool continuous) const {
  std::vector<Placement> placements;
  if (heights_.empty()) return placements;
  const bool repeat = continuous && total_ > 0;
  int y = offset_;
  for (std::size_t i = 0; y < height; ++i) {
    if (i == heights_.size()) {
      if (!repeat) break;
      i = 0;
    }
    const int lineHeight = heights_[i];
    if (y + lineHeight >= 1) placements.push_back({static_cast<int>(i), y});
    y += lineHeight;
  }
  return placements;
}

bool CreditScroll::BlinkHidden(int y, int step) {
  if (step <= 0) return false;
  return std::abs(y) % (4 * step) <= step;
}

}  // namespace vorla
