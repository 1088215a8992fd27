#include "gui/common/ToolButtons.h"

#include <QIcon>
#include <QShortcut>
#include <QToolButton>

#include "gui/common/FocusFrame.h"

// Resources of a static library must be registered by name from the global namespace.
static void InitVorlaResource() { Q_INIT_RESOURCE(vorla); }

namespace vorla {

void InitGuiResources() {
  static const bool done = (InitVorlaResource(), true);
  (void)done;
}

void ApplyHint(QWidget& widget, const QString& hint) {
  const qsizetype bar = hint.indexOf(u'|');
  widget.setToolTip(bar < 0 ? hint : hint.left(bar));
  // Some hints end in a blank that a screen reader would read out.
  widget.setAccessibleName(widget.toolTip().trimmed());
  widget.setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

void AddShortcut(QAbstractButton& button, const QKeySequence& keys) {
  QWidget* owner = button.parentWidget() != nullptr ? button.parentWidget() : &button;
  QObject::connect(new QShortcut(keys, owner), &QShortcut::activated, &button, &QAbstractButton::click);
  button.setToolTip(QStringLiteral("%1 (%2)").arg(button.toolTip().trimmed(), keys.toString(QKeySequence::NativeText)));
}

QToolButton* MakeToolButton(QWidget* parent, const char* objectName, const char* icon, const QString& hint,
                            bool checkable) {
  InitGuiResources();
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(objectName));
  button->setAutoRaise(true);
  button->setCheckable(checkable);
  button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
  button->setIconSize(QSize(20, 20));
  button->setFixedSize(26, 26);
  // The style draws no focus on a flat button.
  AddFocusFrame(*button);
  ApplyHint(*button, hint);
  return button;
}

}  // namespace vorla
