#pragma once
// The about text: over the first picture at start-up and in the closing message.

#include <QString>

#include "core/io/Bitmap.h"

namespace vorla {

QString AboutText();

// Writes text over the picture in bold, word-wrapped between margins of 20
// pixels and centred vertically (a tab counts four blanks), with the palette
// entry nearest to black. A picture of pixelRatio device pixels to a screen
// pixel gets the text at the same size on screen, drawn at its resolution.
void DrawAboutText(Bitmap& picture, QString text, qreal pixelRatio = 1);

}  // namespace vorla
