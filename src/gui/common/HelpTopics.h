#pragma once
// Help contexts of the widgets: F1 opens the manual at the topic of the
// focused widget's context (see gui/help/HelpContext.h for the numbers).

class QWidget;

namespace vorla {

// The help context of a widget: its own "helpContext" property or its
// nearest parent's, else 1 (the main window's topic).
int HelpContextOf(const QWidget* widget);
void SetHelpContext(QWidget& widget, int context);

// Opens the manual's window at the topic of the context, over parent's window.
void ShowHelpTopic(QWidget* parent, int context);

}  // namespace vorla
