#include "core/gradient/GimpGradientFiles.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>

#include "core/gradient/GradTable.h"
#include "core/io/SystemErrorText.h"

namespace vorla {
namespace {

constexpr int kMaxNodes = 31;  // what a palette string reads back

GimpFileError Refused(const std::filesystem::path& path, const std::string& reason) {
  return GimpFileError(path, "No se puede usar \"", "\" como gradiente: " + reason);
}

GimpFileError LineRefused(const std::filesystem::path& path, int line, const std::string& reason) {
  return Refused(path, "l\xEDnea " + std::to_string(line) + ": " + reason);
}

// The file's lines, without their ends (LF, CR LF or CR).
std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) throw Refused(path, SystemErrorText(errno));
  std::string bytes;
  char chunk[8192];
  while (const std::size_t count = std::fread(chunk, 1, sizeof chunk, file.get())) bytes.append(chunk, count);
  if (std::ferror(file.get())) throw Refused(path, SystemErrorText(errno));
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    if (c == '\r' || c == '\n') lines.emplace_back();
    else lines.back().push_back(c);
  }
  return lines;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// Numbers separated by blanks, as many as the text starts with.
template <typename Number>
std::vector<Number> LeadingNumbers(std::string_view text) {
  std::vector<Number> numbers;
  while (true) {
    text = Trimmed(text);
    Number value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || (result.ptr != text.data() + text.size() &&
                                     !std::isspace(static_cast<unsigned char>(*result.ptr))))
      return numbers;
    numbers.push_back(value);
    text.remove_prefix(static_cast<std::size_t>(result.ptr - text.data()));
  }
}

void RequireHeader(const std::vector<std::string>& lines, std::string_view header, const char* kind,
                   const std::filesystem::path& path) {
  if (Trimmed(lines.front()) != header)
    throw Refused(path, std::string("no es ") + kind + " de GIMP (no empieza con \"" + std::string(header) + "\")");
}

TColor FromUnit(double red, double green, double blue) {
  const auto channel = [](double v) { return static_cast<TColor>(std::lround(v * 255)); };
  return channel(red) | (channel(green) << 8) | (channel(blue) << 16);
}

}  // namespace

std::optional<GimpFileKind> GimpFileKindOf(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".gpl") return GimpFileKind::kPalette;
  if (extension == ".ggr") return GimpFileKind::kGradient;
  return std::nullopt;
}

// GIMP Palette
// Name: ...            (also Columns:, # comments and blank lines)
// R G B [colour name]  (0..255 each)
std::vector<GradientStop> ReadGimpPalette(const std::filesystem::path& path) {
  const std::vector<std::string> lines = ReadLines(path);
  RequireHeader(lines, "GIMP Palette", "una paleta", path);
  std::vector<TColor> colors;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = Trimmed(lines[i]);
    if (line.empty() || line.starts_with('#') || line.starts_with("Name:") || line.starts_with("Columns:")) continue;
    const std::vector<int> rgb = LeadingNumbers<int>(line);
    if (rgb.size() < 3 || std::any_of(rgb.begin(), rgb.begin() + 3, [](int v) { return v < 0 || v > 255; }))
      throw LineRefused(path, static_cast<int>(i + 1), "se esperaba un color: rojo, verde y azul de 0 a 255");
    colors.push_back(static_cast<TColor>(rgb[0] | (rgb[1] << 8) | (rgb[2] << 16)));
  }
  if (colors.empty()) throw Refused(path, "la paleta no tiene colores");
  std::vector<GradientStop> stops;
  const double last = colors.size() > 1 ? static_cast<double>(colors.size() - 1) : 1.0;
  for (std::size_t k = 0; k < colors.size(); ++k) stops.push_back({static_cast<double>(k) / last, colors[k]});
  return stops;
}

// GIMP Gradient
// Name: ...                 (optional)
// N                         (the number of segments)
// left middle right  r g b a  r g b a  blend colouring [left-type right-type]   (N lines)
std::vector<GradientStop> ReadGimpGradient(const std::filesystem::path& path) {
  const std::vector<std::string> lines = ReadLines(path);
  RequireHeader(lines, "GIMP Gradient", "un gradiente", path);
  std::size_t at = 1;
  if (at < lines.size() && Trimmed(lines[at]).starts_with("Name:")) ++at;
  const std::vector<int> count = at < lines.size() ? LeadingNumbers<int>(lines[at]) : std::vector<int>{};
  if (count.size() != 1 || count[0] < 1)
    throw LineRefused(path, static_cast<int>(at + 1), "se esperaba el n\xFAmero de segmentos");
  std::vector<GradientStop> stops;
  for (int segment = 0; segment < count[0]; ++segment) {
    const std::size_t index = at + 1 + static_cast<std::size_t>(segment);
    const int lineNumber = static_cast<int>(index + 1);
    if (index >= lines.size() || Trimmed(lines[index]).empty())
      throw LineRefused(path, lineNumber, "faltan segmentos (se anunciaron " + std::to_string(count[0]) + ")");
    const std::vector<double> v = LeadingNumbers<double>(lines[index]);
    if (v.size() < 11) throw LineRefused(path, lineNumber, "un segmento lleva tres posiciones y dos colores");
    const bool ordered = 0 <= v[0] && v[0] <= v[2] && v[2] <= 1 &&
                         (stops.empty() || v[0] >= stops.back().position);
    const bool inUnit = std::all_of(v.begin() + 3, v.begin() + 11, [](double c) { return 0 <= c && c <= 1; });
    if (!ordered || !inUnit)
      throw LineRefused(path, lineNumber, "las posiciones y los colores van de 0 a 1, en orden");
    stops.push_back({v[0], FromUnit(v[3], v[4], v[5])});
    stops.push_back({v[2], FromUnit(v[7], v[8], v[9])});
  }
  return stops;
}

std::string StopsPalString(const std::vector<GradientStop>& stops, std::uint8_t startCol, std::uint8_t endCol,
                           const std::filesystem::path& path) {
  struct Node { int entry; TColor color; };
  std::vector<Node> nodes;
  const int span = endCol - startCol;
  for (const GradientStop& stop : stops) {
    const int entry = startCol + static_cast<int>(std::lround(stop.position * span));
    if (!nodes.empty() && nodes.back().color == stop.color && nodes.back().entry >= entry) continue;
    nodes.push_back({nodes.empty() ? entry : std::max(entry, nodes.back().entry + 1), stop.color});
  }
  if (static_cast<int>(nodes.size()) > kMaxNodes)
    throw Refused(path, "da " + std::to_string(nodes.size()) + " nodos y un gradiente guarda hasta " +
                            std::to_string(kMaxNodes));
  if (nodes.empty() || nodes.back().entry > endCol) throw Refused(path, "sus colores no caben en el gradiente");
  std::string text;
  for (const Node& node : nodes) AppendPalNode(text, node.entry, node.color);
  return text;
}

std::string ReadGimpFileAsPalString(const std::filesystem::path& path, std::uint8_t startCol, std::uint8_t endCol) {
  const auto kind = GimpFileKindOf(path);
  if (!kind) throw Refused(path, "s\xF3lo se leen paletas (.gpl) y gradientes (.ggr) de GIMP");
  const std::vector<GradientStop> stops =
      *kind == GimpFileKind::kPalette ? ReadGimpPalette(path) : ReadGimpGradient(path);
  return StopsPalString(stops, startCol, endCol, path);
}

}  // namespace vorla
