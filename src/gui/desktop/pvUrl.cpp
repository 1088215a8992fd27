#include "gui/desktop/pvUrl.h"

#include <QDesktopServices>
#include <QUrl>

namespace vorla {

bool TpvlUrl::OpenUrl() const {
  if (Url.isEmpty()) return true;
  return QDesktopServices::openUrl(QUrl::fromUserInput(Url));
}

}  // namespace vorla
