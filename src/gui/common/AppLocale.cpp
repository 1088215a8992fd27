#include "gui/common/AppLocale.h"

#include <QLocale>

#include <clocale>

namespace vorla {

void UseDotDecimalSeparator() {
  std::setlocale(LC_NUMERIC, "C");
  QLocale locale = QLocale::c();
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  QLocale::setDefault(locale);
}

}  // namespace vorla
