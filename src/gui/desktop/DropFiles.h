#pragma once
// Files dropped on a window from the desktop.

#include <QStringList>

class QMimeData;

namespace vorla {

// The local file names a drop carries, whole and in the order given; empty
// when the drop holds no local files (text, remote addresses).
QStringList ReadDroppedFiles(const QMimeData* data);

}  // namespace vorla
