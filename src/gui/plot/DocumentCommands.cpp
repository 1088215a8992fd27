#include "gui/plot/DocumentCommands.h"

#include <QFileDialog>
#include <QFileInfo>

#include "core/io/PictureText.h"
#include "core/plot/ProgramFolder.h"
#include "core/plot/UndoHistory.h"
#include "gui/common/CoreText.h"
#include "gui/common/FormUtils.h"

namespace vorla {
namespace {

constexpr char kFileFilter[] = "Vorlascopes(*.vlx)";
constexpr char kPictureFilter[] = "Imágenes con su documento (*.png *.jpg *.jpeg *.svg *.pdf)";
constexpr char kAnyFilter[] = "Documentos e imágenes (*.vlx *.png *.jpg *.jpeg *.svg *.pdf)";

}  // namespace

DocumentCommands::DocumentCommands(QWidget* window, DocumentHost& host, const std::filesystem::path& filesFolder)
    : QObject(window),
      window_(window),
      host_(host),
      undo_(std::make_unique<UndoHistory>(filesFolder)),
      dialogFolder_(QString::fromStdString(SamplesFolder())) {}

DocumentCommands::~DocumentCommands() = default;

void DocumentCommands::BecomeCurrent(const QString& fileName) {
  ClearUndo();
  currentFile_ = fileName;
  emit currentFileChanged(fileName);
}

void DocumentCommands::Load(const QString& fileName, const QString& section) {
  const bool mainSection = section.isEmpty();
  if (!QFileInfo::exists(fileName)) {
    AppMessageBox(window_, QStringLiteral("No se encuentra ") + fileName, QMessageBox::Warning);
    return;
  }
  if (mainSection && !QuerySave()) return;
  LoadedDocument loaded;
  try {
    loaded = vorla::LoadDocument(fileName.toStdString(), ToCore(section));
  } catch (const std::exception& error) {
    // Neither the caption nor the current file name change, so a later save
    // cannot overwrite a file that is not a document.
    AppMessageBox(window_, ErrorText(error), QMessageBox::Warning);
    return;
  }
  host_.ShowLoaded(loaded);
  // A picture's document has no file of its own: saving asks for a name.
  if (mainSection) BecomeCurrent(PictureKindOf(fileName.toStdString()) ? QString() : fileName);
  host_.CalculateReplaced();
  modified_ = false;
}

bool DocumentCommands::Save(const QString& fileName, const QString& section) {
  if (fileName.isEmpty()) return SaveWithDialog();
  try {
    vorla::SaveDocument(fileName.toStdString(), ToCore(section), host_.CurrentDocument(), host_.PictureAspect());
  } catch (const std::exception& error) {
    AppMessageBox(window_, ErrorText(error), QMessageBox::Critical);
    return false;
  }
  if (section.isEmpty()) BecomeCurrent(fileName);
  return true;
}

bool DocumentCommands::QuerySave() {
  if (!modified_) return true;
  const QString name = currentFile_.isEmpty() ? QStringLiteral("Sin Nombre") : QFileInfo(currentFile_).fileName();
  const QMessageBox::StandardButton answer =
      AppMessageBox(window_, QStringLiteral("¿Desea guardar los cambios en ") + name + QStringLiteral("?"),
                    QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::Cancel) return false;
  // A save that did not happen (dialog cancelled, write failed) must not let
  // the caller throw the changes away.
  if (answer == QMessageBox::Yes) return Save(currentFile_);
  return true;
}

void DocumentCommands::OpenWithDialog() {
  const QString name =
      QFileDialog::getOpenFileName(window_, QStringLiteral("Abrir vorlascope"), dialogFolder_,
                                   QStringList{QString::fromUtf8(kAnyFilter), QString::fromLatin1(kFileFilter),
                                               QString::fromUtf8(kPictureFilter)}
                                       .join(QStringLiteral(";;")));
  if (name.isEmpty()) return;
  dialogFolder_ = QFileInfo(name).absolutePath();
  Load(name);
}

bool DocumentCommands::SaveWithDialog() {
  QString name = QFileDialog::getSaveFileName(window_, QStringLiteral("Guardar vorlascope"), dialogFolder_,
                                              QString::fromLatin1(kFileFilter));
  if (name.isEmpty()) return false;
  dialogFolder_ = QFileInfo(name).absolutePath();
  if (!name.contains(QStringLiteral(".vlx"))) name += QStringLiteral(".vlx");
  return Save(name);
}

void DocumentCommands::PushUndo() {
  try {
    undo_->PushUndo(host_.CurrentDocument(), host_.PictureAspect());
  } catch (const IniFileError& error) {
    host_.ShowStatus(ErrorText(error));
  }
}

void DocumentCommands::ClearUndo() { undo_->ClearUndo(); }

void DocumentCommands::Undo() {
  std::optional<UndoHistory::Step> step;
  try {
    step = undo_->Undo();
  } catch (const DocumentError& error) {
    AppMessageBox(window_, ErrorText(error), QMessageBox::Warning);
    return;
  }
  if (!step) return;
  host_.ShowLoaded(step->loaded);
  host_.CalculateReplaced();
  host_.ShowStatus(QStringLiteral("Deshacer ") + QString::number(step->number));
}

bool DocumentCommands::CanUndo() const { return undo_->CanUndo(); }
int DocumentCommands::UndoCount() const { return undo_->Counter(); }

}  // namespace vorla
