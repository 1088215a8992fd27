// The main window's documents: the controls as a plot document and back,
// opening and saving files, the save question and the undo history.

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include "core/gradient/GradTable.h"
#include "core/plot/UndoHistory.h"
#include "gui/gradient/GradEditM.h"
#include "gui/gradient/GradientLibraryBox.h"
#include "gui/common/CoreText.h"
#include "gui/common/FormUtils.h"
#include "gui/plot/PropertiesPanel.h"
#include "gui/plot/fmVorla.h"
#include "gui/view/PaintBoxM.h"

namespace vorla {
namespace {

constexpr char kFileFilter[] = "Vorlascopes(*.vlx)";

QString FileNameOnly(const QString& path) { return QFileInfo(path).fileName(); }

}  // namespace

void TFVorla::UpdateCaption() {
  setWindowTitle(currentFile_.isEmpty()
                     ? QString::fromLatin1(kVersionTitle)
                     : QString::fromLatin1(kVersionTitle) + QStringLiteral(" - ") + FileNameOnly(currentFile_));
}

PlotDocument TFVorla::DocumentFromControls() {
  const TGradTable& table = GradEdit1->Table();
  PlotDocument d;
  d.Func = ToCore(ComboBox1->currentText());
  d.Ani = Timer1->isActive();
  d.Vel = SpinEdit1->value();
  d.Gra = panel_->chkGradiente->isChecked();
  d.ColFun = table.Colors(3);
  d.ColMin = table.Colors(1);
  d.ColFon = table.Colors(0);
  d.BucMin = panel_->chkBucleMin->isChecked();
  d.Zmin = ToCore(panel_->txtZmin->currentText());
  d.ColGra = table.PalString();
  d.Xmin = session_->RangeText(PlotSession::kXmin, ToCore(panel_->txtXmin->text()));
  d.Ymin = session_->RangeText(PlotSession::kYmin, ToCore(panel_->txtYmin->text()));
  d.Xmax = session_->RangeText(PlotSession::kXmax, ToCore(panel_->txtXmax->text()));
  d.Ymax = session_->RangeText(PlotSession::kYmax, ToCore(panel_->txtYmax->text()));
  d.ColMax = table.Colors(2);
  d.BucMax = panel_->chkBucleMax->isChecked();
  d.Zmax = ToCore(panel_->txtZmax->currentText());
  d.FilMax = filMax_;
  d.FilMin = filMin_;
  d.UsaFilMax = btnFilMax->isChecked();
  d.UsaFilMin = btnFilMin->isChecked();
  return d;
}

// In the order a document file is read: the gradient switch before the Bucle
// boxes, because switching the gradient off clears both.
void TFVorla::ShowDocumentInControls(const PlotDocument& d) {
  session_->ForgetRangeTexts();
  ComboBox1->setEditText(FromCore(d.Func));
  if (d.Ani != Timer1->isActive()) tbAnimarClick();
  SpinEdit1->setValue(d.Vel);
  panel_->chkGradiente->setChecked(d.Gra);
  if (!d.Gra) {
    panel_->chkBucleMin->setChecked(false);
    panel_->chkBucleMax->setChecked(false);
  }
  TGradTable& table = GradEdit1->Table();
  table.SetColors(3, d.ColFun);
  table.SetColors(1, d.ColMin);
  table.SetColors(2, d.ColMax);
  table.SetColors(0, d.ColFon);
  panel_->chkBucleMin->setChecked(d.BucMin);
  panel_->txtZmin->setEditText(FromCore(d.Zmin));
  try {
    table.SetPalString(d.ColGra);
  } catch (const GradientTextError& error) {
    AppMessageBox(this, FromCore(error.what()), QMessageBox::Warning);
  }
  SetFieldText(panel_->txtXmin, FromCore(d.Xmin));
  SetFieldText(panel_->txtYmin, FromCore(d.Ymin));
  SetFieldText(panel_->txtXmax, FromCore(d.Xmax));
  SetFieldText(panel_->txtYmax, FromCore(d.Ymax));
  panel_->chkBucleMax->setChecked(d.BucMax);
  panel_->txtZmax->setEditText(FromCore(d.Zmax));
  filMax_ = d.FilMax;
  filMin_ = d.FilMin;
  btnFilMax->setChecked(d.UsaFilMax);
  btnFilMin->setChecked(d.UsaFilMin);
  UpdateVisibility();
}

float TFVorla::PictureAspect() const {
  return pb->width() > 0 ? static_cast<float>(pb->height()) / static_cast<float>(pb->width()) : 1.0f;
}

void TFVorla::LoadDocument(const QString& fileName, const QString& section) {
  const bool mainSection = section.isEmpty();
  starting_ = false;
  if (!QFileInfo::exists(fileName)) {
    AppMessageBox(this, QStringLiteral("No se encuentra ") + fileName, QMessageBox::Warning);
    return;
  }
  if (mainSection && !QuerySave()) return;
  LoadedDocument loaded;
  try {
    loaded = vorla::LoadDocument(fileName.toStdString(), ToCore(section));
  } catch (const std::exception& error) {
    // Neither the caption nor the current file name change, so a later save
    // cannot overwrite a file that is not a document.
    AppMessageBox(this, ErrorText(error), QMessageBox::Warning);
    return;
  }
  ApplyLoadedDocument(loaded);
  if (mainSection) {
    ClearUndo();
    currentFile_ = fileName;
    UpdateCaption();
  }
  ApplyAndCalculate();
  gradientLibrary_->ClearText();
  modified_ = false;
}

void TFVorla::ApplyLoadedDocument(LoadedDocument& loaded) {
  loading_ = true;
  ShowDocumentInControls(loaded.document);
  if (session_->CorrectAspect(loaded.document, loaded.aspect, PictureAspect())) {
    SetFieldText(panel_->txtXmin, FromCore(loaded.document.Xmin));
    SetFieldText(panel_->txtXmax, FromCore(loaded.document.Xmax));
  }
  loading_ = false;
}

bool TFVorla::SaveDocument(const QString& fileName, const QString& section) {
  if (fileName.isEmpty()) return tbGuardarClick();
  const bool mainSection = section.isEmpty();
  try {
    vorla::SaveDocument(fileName.toStdString(), ToCore(section), DocumentFromControls(), PictureAspect());
  } catch (const std::exception& error) {
    AppMessageBox(this, ErrorText(error), QMessageBox::Critical);
    return false;
  }
  if (mainSection) {
    ClearUndo();
    currentFile_ = fileName;
    UpdateCaption();
  }
  return true;
}

bool TFVorla::QuerySave() {
  if (!modified_ || starting_) return true;
  const QString name = currentFile_.isEmpty() ? QStringLiteral("Sin Nombre") : FileNameOnly(currentFile_);
  const QMessageBox::StandardButton answer =
      AppMessageBox(this, QStringLiteral("¿Desea guardar los cambios en ") + name + QStringLiteral("?"),
                    QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::Cancel) return false;
  // A save that did not happen (dialog cancelled, write failed) must not let
  // the caller throw the changes away.
  if (answer == QMessageBox::Yes) return SaveDocument(currentFile_);
  return true;
}

// The entry holds the view just calculated, not the range texts of the one
// before it: otherwise one undo after a mouse zoom would skip a view.
void TFVorla::PushUndo() {
  WriteViewToRangeFields();
  try {
    undo_->PushUndo(DocumentFromControls(), PictureAspect());
  } catch (const IniFileError& error) {
    ShowStatus(ErrorText(error));
  }
}

void TFVorla::ClearUndo() { undo_->ClearUndo(); }

void TFVorla::Undo() {
  std::optional<UndoHistory::Step> step = undo_->Undo();
  if (!step) return;
  ApplyLoadedDocument(step->loaded);
  ApplyAndCalculate();
  // The gradient brought back need not be the one named in the list.
  gradientLibrary_->ClearText();
  ShowStatus(QStringLiteral("Deshacer ") + QString::number(step->number));
}

int TFVorla::UndoCount() const { return undo_->Counter(); }

void TFVorla::cmdAbrirClick() {
  const QString name = QFileDialog::getOpenFileName(this, QStringLiteral("Abrir vorlascope"), dialogFolder_,
                                                    QString::fromLatin1(kFileFilter));
  if (name.isEmpty()) return;
  dialogFolder_ = QFileInfo(name).absolutePath();
  LoadDocument(name);
}

bool TFVorla::tbGuardarClick() {
  QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar vorlascope"), dialogFolder_,
                                              QString::fromLatin1(kFileFilter));
  if (name.isEmpty()) return false;
  dialogFolder_ = QFileInfo(name).absolutePath();
  if (!name.contains(QStringLiteral(".vlx"))) name += QStringLiteral(".vlx");
  return SaveDocument(name);
}

}  // namespace vorla
