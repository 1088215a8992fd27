#pragma once
// The colour adjustment dialog: sliders shift red, green and blue, or hue,
// saturation and lightness, of the gradient table, live. Every movement is
// computed afresh from the colours saved when the dialog was shown, so a
// slider back at 0 restores them. "Cancelar" (or Esc) puts them back.

#include <QDialog>

#include "core/io/Bitmap.h"

class QLabel;
class QSlider;
class QTabWidget;

namespace vorla {

class TGradTable;

class TfmAjusCol : public QDialog {
  Q_OBJECT

 public:
  // The table belongs to the gradient editor, whose change notice recolours
  // the picture.
  explicit TfmAjusCol(TGradTable& table, QWidget* parent = nullptr);

  void done(int result) override;

 signals:
  // The dialog closed with colours other than those it was shown with: one
  // finished edit, as a gradient edit is.
  void ColorsAdjusted();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct RgbSlider;

  QSlider* AddSlider(QWidget* page, const char* objectName, const QString& name, int range, int ticks,
                     QLabel*& label);
  void ResetRgbPage();
  void ResetHslPage();
  void RgbSliderChange(const RgbSlider& control);
  void HslSliderChange();
  void UpdateHslLabels();
  void CancelClicked();

  TGradTable& table_;
  Palette saved_{};
  bool updating_ = false;

  QTabWidget* pages_ = nullptr;
  QWidget* rgbPage_ = nullptr;
  QWidget* hslPage_ = nullptr;
  QLabel* redLabel_ = nullptr;
  QLabel* greenLabel_ = nullptr;
  QLabel* blueLabel_ = nullptr;
  QSlider* redSlider_ = nullptr;
  QSlider* greenSlider_ = nullptr;
  QSlider* blueSlider_ = nullptr;
  QLabel* hueLabel_ = nullptr;
  QLabel* saturationLabel_ = nullptr;
  QLabel* lightnessLabel_ = nullptr;
  QSlider* hueSlider_ = nullptr;
  QSlider* saturationSlider_ = nullptr;
  QSlider* lightnessSlider_ = nullptr;
};

}  // namespace vorla
