#pragma once
// Flat tool buttons with the program's icons and two-part hints.

#include <QString>

class QAbstractButton;
class QKeySequence;
class QToolButton;
class QWidget;

namespace vorla {

// A hint "short|long" becomes the tool tip and the accessible name (short
// part) and the status-bar text (long part); a hint without "|" is all three.
void ApplyHint(QWidget& widget, const QString& hint);

// A flat 26-pixel button named objectName showing ":/icons/<icon>.svg" at
// 20 x 20 (drawn from the vector image at any screen density). Tab reaches
// it; a click leaves the focus where it was.
QToolButton* MakeToolButton(QWidget* parent, const char* objectName, const char* icon, const QString& hint,
                            bool checkable = false);

// `keys` anywhere in the button's window click it, also while the tool bar
// has folded it away for want of room; its hint shows the keys.
void AddShortcut(QAbstractButton& button, const QKeySequence& keys);

void InitGuiResources();

}  // namespace vorla
