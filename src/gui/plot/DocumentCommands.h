#pragma once
// The window's document commands: open, save, the save question and the undo
// history, with the current file name and the modified flag they share.

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>

#include "core/plot/DocumentFile.h"
#include "core/plot/PlotDocument.h"

class QWidget;

namespace vorla {

class UndoHistory;

// What the commands need of the window.
class DocumentHost {
 public:
  virtual ~DocumentHost() = default;
  // The document as the controls hold it, with the view just calculated.
  virtual PlotDocument CurrentDocument() = 0;
  virtual float PictureAspect() const = 0;
  // Shows a loaded document or undo step in the controls, aspect corrected.
  virtual void ShowLoaded(LoadedDocument& loaded) = 0;
  // Calculates what the controls now hold; a gradient brought back need not
  // be the one named in the gradient list.
  virtual void CalculateReplaced() = 0;
  virtual void ShowStatus(const QString& text) = 0;
};

class DocumentCommands : public QObject {
  Q_OBJECT

 public:
  // filesFolder holds the undo file; window parents the dialogs and messages.
  DocumentCommands(QWidget* window, DocumentHost& host, const std::filesystem::path& filesFolder);
  ~DocumentCommands() override;

  // Section empty: the main section of a document (clears the undo history).
  void Load(const QString& fileName, const QString& section = {});
  // Returns false when nothing was written (save dialog cancelled, write failed).
  bool Save(const QString& fileName, const QString& section = {});
  bool QuerySave();
  void OpenWithDialog();
  bool SaveWithDialog();

  void PushUndo();
  void ClearUndo();
  void Undo();
  bool CanUndo() const;
  int UndoCount() const;

  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  QString CurrentFile() const { return currentFile_; }

 signals:
  // The caption shows the current file's name.
  void currentFileChanged(const QString& fileName);

 private:
  void BecomeCurrent(const QString& fileName);

  QWidget* window_;
  DocumentHost& host_;
  std::unique_ptr<UndoHistory> undo_;
  QString dialogFolder_;
  QString currentFile_;
  bool modified_ = false;
};

}  // namespace vorla
