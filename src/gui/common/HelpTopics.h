#pragma once
// Help contexts of the widgets: F1 opens the manual (gui/help/HelpWindow) at
// the topic of the focused widget's context (gui/help/HelpContext.h).

class QWidget;

namespace vorla {

// The help context of a widget: its own "helpContext" property or its
// nearest parent's, else 1 (the main window's topic).
int HelpContextOf(const QWidget* widget);
void SetHelpContext(QWidget& widget, int context);

}  // namespace vorla
