#pragma once
// The export dialog: the picture calculated anew at a chosen size, optionally
// mirrored so it tiles, saved as JPEG, bitmap or PNG, or put on the clipboard.
// Created once; its settings (aspect, compression, progressive, file type)
// carry over from one use to the next.

#include <QDialog>

#include <functional>

#include "core/plot/ExportPicture.h"
#include "gui/export/ExportHost.h"

class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QSlider;
class QSpinBox;

namespace vorla {

class TfmExportar : public QDialog {
  Q_OBJECT

 public:
  explicit TfmExportar(ExportHost host, QWidget* parent = nullptr);

  // Asks for the file (unless copying), then shows the dialog; true when a
  // file was written or the clipboard filled.
  bool Execute(Mirrors mirrors, bool toClipboard);

  // The file type chosen in the save dialog.
  ExportFileType FileType() const;

 private:
  void spnAnchoChange();
  void spnAltoChange();
  void CompressionChanged();
  void AcceptClicked();
  bool AskFileName();
  bool Produce();
  // True when the picture goes to its file in bands (RenderToFile), never
  // held whole.
  bool InBands() const;
  // Runs work with a progress box that Esc cancels; false when cancelled or
  // refused (the reason already shown).
  bool WithProgress(const std::function<void(const RowProgress&)>& work);
  // The picture for the requested size; false as for WithProgress.
  bool Calculate(Bitmap& picture);
  bool WriteFile(const Bitmap& picture);
  // Calculates and writes the file band by band; false when cancelled or
  // refused, leaving no file.
  bool RenderInBands();
  JpegOptions Options() const;

  ExportHost host_;
  Mirrors mirrors_;
  bool toClipboard_ = false;
  PictureSize base_;
  QString fileName_;
  bool produced_ = false;
  bool applyingAspect_ = false;

  QGroupBox* sizeGroup_ = nullptr;
  QSpinBox* spnAncho = nullptr;
  QSpinBox* spnAlto = nullptr;
  QCheckBox* chkAspecto = nullptr;
  QGroupBox* jpegGroup_ = nullptr;
  QLabel* compressionLabel_ = nullptr;
  QCheckBox* progressiveBox_ = nullptr;
  QSlider* compressionSlider_ = nullptr;
  QFileDialog* SaveDialog1 = nullptr;
};

}  // namespace vorla
