#include "gui/common/HelpTopics.h"

#include <QVariant>
#include <QWidget>

namespace vorla {
namespace {

constexpr char kContextProperty[] = "helpContext";

}  // namespace

int HelpContextOf(const QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    const QVariant context = widget->property(kContextProperty);
    if (context.isValid()) return context.toInt();
  }
  return 1;
}

void SetHelpContext(QWidget& widget, int context) { widget.setProperty(kContextProperty, context); }

}  // namespace vorla
