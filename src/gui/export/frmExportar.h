#pragma once
// The export dialog: the picture calculated anew at a chosen size, optionally
// mirrored so it tiles, saved as JPEG, bitmap or PNG, or put on the clipboard.
// Created once; its settings (aspect, compression, progressive, file type)
// carry over from one use to the next.

#include <QDialog>

#include <functional>

#include "core/plot/CalculationService.h"
#include "core/plot/ExportPicture.h"
#include "gui/export/ExportHost.h"
#include "gui/export/FigureFileTypes.h"

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

  // The file type chosen in the save dialog; meaningful only when no
  // figure type was chosen.
  ExportFileType FileType() const;
  // The figure type chosen in the save dialog, if one was.
  std::optional<FigureFileType> ChosenFigure() const;

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
  // Runs check (if any) here, then work on the calculation service while a modal
  // progress box shows how far it got; Esc or Cancel stop it through its
  // stop token. False when stopped or refused (the reason already shown).
  bool WithProgress(const std::function<void()>& check, const JobWork& work);
  // The picture for the requested size; false as for WithProgress.
  bool Calculate(Bitmap& picture);
  bool WriteFile(const Bitmap& picture);
  // The figure of a picture of the requested size (mirrors aside), written
  // to its file; false when cancelled or refused.
  bool WriteFigureFile(FigureFormat format);
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
