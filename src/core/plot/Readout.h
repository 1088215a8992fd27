#pragma once
// Texts that report numbers to the user: the status bar following the mouse
// over the picture and over the gradient, and the information report of the
// last calculation. Windows-1252 like all core text.

#include <string>
#include <vector>

#include "core/plot/PlotSession.h"

namespace vorla {

// x, y, r and w of the point, then f with the scale bounds there, or the
// function's error text in their place when it failed.
std::string MouseReadout(const Probe& probe);

// The gradient probe reads the scale at the origin, hence x=0 y=0; z is the
// value the picture paints with the entry under the mouse (LevelValue).
std::string GradientReadout(double z, float zmin, float zmax);

// The statistics line, then one line for each error code 11..19 that
// occurred (errorCounts[0] is code 11), with its count and message.
std::vector<std::string> InfoReportLines(const std::string& infoText, const ErrorCounts& errorCounts);

}  // namespace vorla
