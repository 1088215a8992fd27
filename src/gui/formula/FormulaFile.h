#pragma once
// Typeset formulas written to files, for documents and for checking the
// typesetting without a window. The interface holds no Qt type, so the
// command-line program reaches it without compiling against Qt.

#include <string>

#include "core/expr/ExprBase.h"

namespace vorla {

enum class FormulaFileStatus { kWritten, kUnknownFormat, kTooLarge, kWriteFailed };

struct FormulaFileResult {
  FormulaFileStatus status = FormulaFileStatus::kWritten;
  std::string message;  // UTF-8: why the formula was refused or not written
};

// Fonts and paint devices need a GUI application; a program without
// windows runs one on the offscreen platform for the rest of its life.
void EnsureGuiApplication();

// Writes the formula of `root` at type size `size` to `path` (UTF-8): an SVG
// drawing for ".svg", a picture with a transparent background for ".png".
// A formula past the formula limits is refused before anything is drawn.
// The file is written under a temporary name beside the target and renamed
// when whole, so a failure or an interruption never leaves part of a file.
// Starts Qt's GUI module on the offscreen platform when no application runs.
FormulaFileResult WriteFormulaFile(const TEval& root, int size, const std::string& path);

}  // namespace vorla
