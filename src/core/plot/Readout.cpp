#include "core/plot/Readout.h"

#include "core/expr/Expresion.h"
#include "core/io/NumberText.h"

namespace vorla {
namespace {

std::string G6(double value) { return FormatG(value, 6); }

}  // namespace

std::string MouseReadout(const Probe& probe) {
  std::string text = "x=" + G6(probe.x) + " y=" + G6(probe.y) + " r=" + G6(probe.r) + " w=" + G6(probe.w) + " ";
  if (probe.hasError) return text + probe.errorText;
  return text + "f=" + G6(probe.f) + " [min=" + G6(probe.zmin) + ", max=" + G6(probe.zmax) + "]";
}

std::string GradientReadout(double z, float zmin, float zmax) {
  return "x=0 y=0 z=" + G6(z) + " [min=" + G6(zmin) + ", max=" + G6(zmax) + "]";
}

std::vector<std::string> InfoReportLines(const std::string& infoText, const ErrorCounts& errorCounts) {
  std::vector<std::string> lines{infoText};
  for (std::size_t i = 0; i < errorCounts.size(); ++i) {
    if (errorCounts[i] == 0) continue;
    const int code = kFirstCountedError + static_cast<int>(i);
    lines.push_back(std::to_string(errorCounts[i]) + " puntos con error: " + TExpresion::ErrorMessage(code));
  }
  return lines;
}

}  // namespace vorla
