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
  void Button1Click();

  TGradTable& table_;
  Palette saved_{};
  bool updating_ = false;

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheet2 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QSlider* trkR = nullptr;
  QSlider* trkV = nullptr;
  QSlider* trkA = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QSlider* trkH = nullptr;
  QSlider* trkS = nullptr;
  QSlider* trkL = nullptr;
};

}  // namespace vorla
