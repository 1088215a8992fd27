#include "gui/common/Accessibility.h"

#include <QAbstractButton>
#include <QAccessibleApplication>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFrame>

namespace vorla {
namespace {

// Qt leaves popup windows out of the application's children, so a screen
// reader never finds the function picker while it is open.
class ApplicationWithPopups : public QAccessibleApplication {
 public:
  int childCount() const override { return QAccessibleApplication::childCount() + static_cast<int>(Popups().size()); }

  QAccessibleInterface* child(int index) const override {
    const int windows = QAccessibleApplication::childCount();
    if (index < windows) return QAccessibleApplication::child(index);
    const QWidgetList popups = Popups();
    return index - windows < popups.size() ? QAccessible::queryAccessibleInterface(popups.at(index - windows))
                                           : nullptr;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    const int index = QAccessibleApplication::indexOfChild(child);
    if (index >= 0 || child == nullptr) return index;
    const qsizetype popup = Popups().indexOf(qobject_cast<QWidget*>(child->object()));
    return popup < 0 ? -1 : QAccessibleApplication::childCount() + static_cast<int>(popup);
  }

 private:
  static QWidgetList Popups() {
    QWidgetList popups;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->windowType() == Qt::Popup && widget->isVisible() && !widget->accessibleName().isEmpty())
        popups.append(widget);
    return popups;
  }
};

// Qt's toggle action only flips the check mark; the program acts on clicks.
class ClickingToggle : public QAccessibleWidget {
 public:
  explicit ClickingToggle(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::CheckBox) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Button()->isChecked();
    return state;
  }

  QString text(QAccessible::Text kind) const override {
    const QString text = QAccessibleWidget::text(kind);
    return kind == QAccessible::Name && text.isEmpty() ? Button()->text().remove(u'&') : text;
  }

  QStringList actionNames() const override {
    return Button()->isEnabled() ? QStringList{toggleAction()} : QStringList();
  }

  void doAction(const QString& action) override {
    if (action == toggleAction() && Button()->isEnabled()) Button()->click();
    else QAccessibleWidget::doAction(action);
  }

 private:
  QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
};

// The program's own plain widgets that may be windows, such as the mosaic.
// The role is asked each time: a widget made without a parent is a window
// until a layout takes it in.
class ProgramWidget : public QAccessibleWidget {
 public:
  explicit ProgramWidget(QWidget* widget) : QAccessibleWidget(widget) {}
  QAccessible::Role role() const override { return widget()->isWindow() ? QAccessible::Window : QAccessible::Client; }
};

// A class of the program's own that Qt would describe as a plain widget or
// frame (not a label, box or dialog, which have interfaces of their own).
bool IsPlainProgramWidget(const QString& className, const QWidget& widget) {
  if (!className.startsWith(QLatin1String("vorla::"))) return false;
  const QMetaObject* type = widget.metaObject();
  while (type != nullptr && QLatin1String(type->className()).startsWith(QLatin1String("vorla::")))
    type = type->superClass();
  return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject;
}

QAccessibleInterface* MakeInterface(const QString& className, QObject* object) {
  if (object == qApp && className == QLatin1String("QApplication")) return new ApplicationWithPopups;
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  if (widget->isWindow() && IsPlainProgramWidget(className, *widget)) return new ProgramWidget(widget);
  auto* button = qobject_cast<QAbstractButton*>(widget);
  const bool toggle = className == QLatin1String("QCheckBox") || className == QLatin1String("QToolButton");
  if (button != nullptr && toggle && button->isCheckable()) return new ClickingToggle(button);
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = (QAccessible::installFactory(MakeInterface), true);
  (void)installed;
}

}  // namespace vorla
