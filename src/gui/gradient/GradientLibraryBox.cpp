#include "gui/gradient/GradientLibraryBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QToolButton>

#include "gui/gradient/GradEditM.h"
#include "gui/common/CoreText.h"
#include "gui/common/FormUtils.h"

namespace vorla {

namespace {

bool AskYesNo(QWidget* parent, const QString& text) {
  return AppMessageBox(parent, text, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

void Exclaim(QWidget* parent, const QString& text) { AppMessageBox(parent, text, QMessageBox::Warning); }

}  // namespace

TGradientLibraryBox::TGradientLibraryBox(TGradEditM* editor, std::string libraryPath, QWidget* parent)
    : QWidget(parent),
      editor_(editor),
      library_(std::move(libraryPath)),
      combo_(new QComboBox(this)),
      addButton_(new QToolButton(this)),
      deleteButton_(new QToolButton(this)) {
  SetDialogs(nullptr, nullptr);
  combo_->setObjectName(QStringLiteral("ComboBox2"));
  combo_->setEditable(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  // Every text change loads the gradient it names; completing a prefix would
  // load a stored gradient over the one the user is naming.
  combo_->setCompleter(nullptr);
  combo_->setToolTip(QStringLiteral("Lista de Gradientes"));
  combo_->setStatusTip(QStringLiteral("Lista de Gradientes"));
  combo_->setAccessibleName(combo_->toolTip());
  combo_->lineEdit()->setAccessibleName(combo_->toolTip());
  addButton_->setObjectName(QStringLiteral("cmdGuardarPal"));
  addButton_->setText(QStringLiteral("+"));
  addButton_->setToolTip(QStringLiteral("Agregar"));
  addButton_->setStatusTip(QStringLiteral("Agrega o redefine el gradiente actual"));
  addButton_->setAccessibleName(addButton_->toolTip());
  deleteButton_->setObjectName(QStringLiteral("cmdBorrarPal"));
  deleteButton_->setText(QStringLiteral("-"));
  deleteButton_->setToolTip(QStringLiteral("Eliminar"));
  deleteButton_->setStatusTip(QStringLiteral("Elimina el nombre de gradiente actual"));
  deleteButton_->setAccessibleName(deleteButton_->toolTip());

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(combo_, 1);
  layout->addWidget(addButton_);
  layout->addWidget(deleteButton_);

  connect(combo_, &QComboBox::currentTextChanged, this, &TGradientLibraryBox::ComboBox2Change);
  connect(addButton_, &QToolButton::clicked, this, &TGradientLibraryBox::cmdGuardarPalClick);
  connect(deleteButton_, &QToolButton::clicked, this, &TGradientLibraryBox::cmdBorrarPalClick);
  // A first start offers the scientific gradients. A folder that cannot be
  // written is no reason for a message at every start: the list is then
  // empty and "+" reports the failure when it is used.
  try {
    library_.CreateSeeded();
  } catch (const IniFileError&) {
  }
  Reload();
}

void TGradientLibraryBox::SetDialogs(Question ask, Notice tell) {
  ask_ = ask ? std::move(ask) : Question([this](const QString& text) { return AskYesNo(this, text); });
  tell_ = tell ? std::move(tell) : Notice([this](const QString& text) { Exclaim(this, text); });
}

void TGradientLibraryBox::Reload() {
  const QSignalBlocker blocker(combo_);
  combo_->clear();
  try {
    for (const std::string& name : library_.Names()) InsertSorted(FromCore(name));
  } catch (const IniFileError& error) {
    tell_(ErrorText(error));
  }
  ClearText();
}

void TGradientLibraryBox::ClearText() {
  const QSignalBlocker blocker(combo_);
  combo_->setCurrentIndex(-1);
  combo_->setEditText(QString());
}

// The list keeps its names in alphabetical order whatever the file's order.
void TGradientLibraryBox::InsertSorted(const QString& name) {
  int row = 0;
  while (row < combo_->count() && QString::compare(combo_->itemText(row), name, Qt::CaseInsensitive) < 0) ++row;
  combo_->insertItem(row, name);
}

void TGradientLibraryBox::ComboBox2Change(const QString& text) {
  if (text.isEmpty()) return;
  try {
    const std::string value = library_.Read(ToCore(text));
    if (!value.empty()) editor_->Table().SetPalString(value);
  } catch (const std::exception& error) {
    tell_(ErrorText(error));
  }
}

void TGradientLibraryBox::cmdGuardarPalClick() {
  combo_->setFocus();
  const QString name = combo_->currentText();
  if (name.isEmpty()) {
    tell_(QStringLiteral("Necesita un nombre para guardar el gradiente"));
    return;
  }
  const bool known = combo_->findText(name, Qt::MatchFixedString) >= 0;
  if (known && !ask_(QStringLiteral("Redefine %1?").arg(name))) return;
  try {
    library_.Write(ToCore(name), editor_->Table().PalString());
  } catch (const IniFileError& error) {
    // Names the file cannot hold as keys end here too, before the list
    // shows a gradient that was never stored.
    tell_(ErrorText(error));
    return;
  }
  if (!known) {
    const QSignalBlocker blocker(combo_);
    InsertSorted(name);
    combo_->setCurrentIndex(combo_->findText(name, Qt::MatchFixedString));
  }
}

void TGradientLibraryBox::cmdBorrarPalClick() {
  if (combo_->currentIndex() < 0) return;
  const QString name = combo_->currentText();
  if (!ask_(QStringLiteral("Elimina %1?").arg(name))) return;
  try {
    library_.Remove(ToCore(name));
  } catch (const IniFileError& error) {
    tell_(ErrorText(error));
    return;
  }
  // The item removed is the one named by the text the key was taken from,
  // so the list keeps showing exactly what the file holds.
  const QSignalBlocker blocker(combo_);
  const int row = combo_->findText(name, Qt::MatchFixedString);
  if (row >= 0) combo_->removeItem(row);
  ClearText();
  combo_->setFocus();
}

}  // namespace vorla
