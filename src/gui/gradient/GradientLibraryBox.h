#pragma once
// The gradient library list ("Lista de Gradientes") with its "+" and "-"
// buttons: choosing or typing a name loads that gradient into the editor,
// "+" stores the editor's gradient under the typed name, "-" removes one.

#include <QString>
#include <QWidget>
#include <functional>
#include <string>

#include "core/plot/GradientLibrary.h"

class QComboBox;
class QToolButton;

namespace vorla {

class TGradEditM;

class TGradientLibraryBox : public QWidget {
  Q_OBJECT

 public:
  // A yes/no question with "No" as the default answer; true for yes.
  using Question = std::function<bool(const QString& text)>;
  // A notice with the exclamation icon.
  using Notice = std::function<void(const QString& text)>;

  // Fills the list from the library file (a missing file gives an empty
  // list; the first "+" creates it).
  TGradientLibraryBox(TGradEditM* editor, std::string libraryPath, QWidget* parent = nullptr);

  QComboBox* ComboBox2() const { return combo_; }
  QToolButton* cmdGuardarPal() const { return addButton_; }
  QToolButton* cmdBorrarPal() const { return deleteButton_; }

  // Re-reads the names from the library file; the list's text is emptied.
  void Reload();
  // Empties the list's text without loading anything (a document was opened).
  void ClearText();

  // Tests answer the message boxes themselves; by default they are modal
  // boxes captioned with the application title.
  void SetDialogs(Question ask, Notice tell);

 private:
  void ComboBox2Change(const QString& text);
  void cmdGuardarPalClick();
  void cmdBorrarPalClick();
  void InsertSorted(const QString& name);

  TGradEditM* editor_;
  GradientLibrary library_;
  QComboBox* combo_;
  QToolButton* addButton_;
  QToolButton* deleteButton_;
  Question ask_;
  Notice tell_;
};

}  // namespace vorla
