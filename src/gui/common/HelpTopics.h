#pragma once
// The help file "VORLA.HLP": topics that start with a line "@N Title", where N
// is the help context number a control asks for with F1.

#include <QString>

class QWidget;

namespace vorla {

struct HelpTopic {
  QString title;
  QString body;
};

// The topic numbered context in the help file's text; the first topic when
// there is no such number, an empty one when the text has no topics.
HelpTopic FindHelpTopic(const QString& helpText, int context);

// The help context of a widget: its own "helpContext" property or its
// nearest parent's, else 1 (the main window's topic).
int HelpContextOf(const QWidget* widget);
void SetHelpContext(QWidget& widget, int context);

// Shows the topic from the program's help file in a window of its own.
void ShowHelpTopic(QWidget* parent, int context);

}  // namespace vorla
