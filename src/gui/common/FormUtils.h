#pragma once
// Routines every window of the program shares: remembering its placement in
// the settings file and message boxes captioned with the application title.

#include <QMessageBox>
#include <QString>

#include <filesystem>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace vorla {

inline constexpr char kAppTitle[] = "Vorlascope";
// The window's caption; the version is the project's, from the build.
inline constexpr char kVersionTitle[] = "Vorlascope " VORLA_VERSION;

// Section "Pos" + the form's object name: "First" = 0, "Show" (0 normal,
// 2 maximised; minimised counts as normal), then the normal placement "Top",
// "Left", "Width", "Height". Written at once; a settings file that cannot be
// written is left as it was.
void SaveFormPlacement(const QWidget& form, const std::filesystem::path& settingsFile);

enum class FirstPlacement { kKeep, kDesktopCenter };

// Returns "First" (true when no placement was saved: then the form is only
// placed as firstPlacement says). Otherwise the saved placement is applied,
// kept on screen while the form is in the normal state; keys that are missing
// keep the form's current values.
bool RestoreFormPlacement(QWidget& form, const std::filesystem::path& settingsFile, FirstPlacement firstPlacement);

// Moves the form back onto its screen where it sticks out at the top, left,
// bottom or right; the size is never changed.
void KeepOnScreen(QWidget& form);

// The dialogs' closing buttons "Cancelar" (Button1) and "Aceptar" (Button2,
// the default), right-aligned in a row.
struct CancelAcceptButtons {
  QPushButton* cancel;
  QPushButton* accept;
  QHBoxLayout* row;
};
CancelAcceptButtons MakeCancelAcceptButtons();

// Esc and Ctrl+W close `window`, as in any other program's secondary windows.
void CloseOnKeys(QWidget& window);

// A message box captioned with the application title; returns the button pressed.
QMessageBox::StandardButton AppMessageBox(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                                          QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                          QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

}  // namespace vorla
