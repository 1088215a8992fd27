#include "gui/desktop/DropFiles.h"

#include <QMimeData>
#include <QUrl>

namespace vorla {

QStringList ReadDroppedFiles(const QMimeData* data) {
  QStringList names;
  if (data == nullptr || !data->hasUrls()) return names;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) names << url.toLocalFile();
  }
  return names;
}

}  // namespace vorla
