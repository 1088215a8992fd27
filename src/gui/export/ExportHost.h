#pragma once
// What the export dialog needs from the window that owns the picture: the
// picture box's size, the document as its controls hold it, the gradient as
// it is now, the document's file name and its status line.

#include <QSize>
#include <QString>

#include <functional>

#include "core/io/Bitmap.h"
#include "core/plot/PlotDocument.h"

namespace vorla {

struct ExportHost {
  std::function<QSize()> pictureBoxSize;
  std::function<PlotDocument()> document;
  std::function<Palette()> palette;
  // Empty while the document has never been saved.
  std::function<QString()> documentFileName;
  // Shows the text on the status line at once, before a long step.
  std::function<void(const QString&)> showStatus;
};

}  // namespace vorla
