#include "gui/gradient/frmAjusCol.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/gradient/ColorAdjust.h"
#include "core/gradient/GradTable.h"
#include "gui/common/FormUtils.h"
#include "gui/common/HelpTopics.h"
#include "gui/help/HelpContext.h"
#include "gui/help/HelpWindow.h"

namespace vorla {
namespace {

}  // namespace

struct TfmAjusCol::RgbSlider {
  QSlider* slider;
  QLabel* label;
  const char* format;
  Channel channel;
};

TfmAjusCol::TfmAjusCol(TGradTable& table, QWidget* parent) : QDialog(parent), table_(table) {
  setObjectName(QStringLiteral("fmAjusCol"));
  setWindowTitle(QStringLiteral("Ajustar colores"));
  SetHelpContext(*this, static_cast<int>(HelpContext::kColourAdjust));

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  pages_->setAccessibleName(QStringLiteral("Modo"));
  rgbPage_ = new QWidget;
  rgbPage_->setObjectName(QStringLiteral("TabSheet1"));
  rgbPage_->setAccessibleName(QStringLiteral("Modo RGB"));
  new QVBoxLayout(rgbPage_);
  hslPage_ = new QWidget;
  hslPage_->setObjectName(QStringLiteral("TabSheet2"));
  hslPage_->setAccessibleName(QStringLiteral("Modo HSL"));
  new QVBoxLayout(hslPage_);
  pages_->addTab(rgbPage_, QStringLiteral("Modo RGB"));
  pages_->addTab(hslPage_, QStringLiteral("Modo HSL"));

  redSlider_ = AddSlider(rgbPage_, "trkR", QStringLiteral("Rojo"), 255, 32, redLabel_);
  greenSlider_ = AddSlider(rgbPage_, "trkV", QStringLiteral("Verde"), 255, 32, greenLabel_);
  blueSlider_ = AddSlider(rgbPage_, "trkA", QStringLiteral("Azul"), 255, 32, blueLabel_);
  hueSlider_ = AddSlider(hslPage_, "trkH", QStringLiteral("Tinte"), 50, 25, hueLabel_);
  saturationSlider_ = AddSlider(hslPage_, "trkS", QStringLiteral("Saturación"), 100, 25, saturationLabel_);
  lightnessSlider_ = AddSlider(hslPage_, "trkL", QStringLiteral("Luminancia"), 100, 25, lightnessLabel_);
  pages_->setCurrentWidget(hslPage_);

  const CancelAcceptButtons buttons = MakeCancelAcceptButtons();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(buttons.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  const RgbSlider rgbSliders[] = {{redSlider_, redLabel_, "Rojo: %1", Channel::kRed},
                                   {greenSlider_, greenLabel_, "Verde: %1", Channel::kGreen},
                                   {blueSlider_, blueLabel_, "Azul: %1", Channel::kBlue}};
  for (const RgbSlider& control : rgbSliders)
    connect(control.slider, &QSlider::valueChanged, this, [this, control] { RgbSliderChange(control); });
  for (QSlider* slider : {hueSlider_, saturationSlider_, lightnessSlider_})
    connect(slider, &QSlider::valueChanged, this, &TfmAjusCol::HslSliderChange);
  connect(pages_, &QTabWidget::currentChanged, this, [this] {
    if (pages_->currentWidget() == rgbPage_) {
      ResetRgbPage();
    } else {
      ResetHslPage();
    }
  });
  connect(buttons.cancel, &QPushButton::clicked, this, &TfmAjusCol::CancelClicked);
  connect(buttons.accept, &QPushButton::clicked, this, &QDialog::accept);
  connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
          [this] { HelpWindow::ShowContext(HelpContextOf(this), this); });
}

QSlider* TfmAjusCol::AddSlider(QWidget* page, const char* objectName, const QString& name, int range, int ticks,
                               QLabel*& label) {
  label = new QLabel(name + QStringLiteral(": 0"), page);
  label->setAccessibleName(name);
  auto* slider = new QSlider(Qt::Horizontal, page);
  slider->setObjectName(QString::fromLatin1(objectName));
  slider->setAccessibleName(name);
  slider->setRange(-range, range);
  slider->setTickInterval(ticks);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setMinimumWidth(260);
  label->setBuddy(slider);
  page->layout()->addWidget(label);
  page->layout()->addWidget(slider);
  return slider;
}

void TfmAjusCol::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  saved_ = SaveColors(table_);
  ResetRgbPage();
  ResetHslPage();
}

void TfmAjusCol::ResetRgbPage() {
  updating_ = true;
  for (QSlider* slider : {redSlider_, greenSlider_, blueSlider_}) slider->setValue(0);
  updating_ = false;
}

// The last slider is set outside the updating flag: if it was not at 0, the
// nodes come back from the saved colours through the HSL handler.
void TfmAjusCol::ResetHslPage() {
  updating_ = true;
  hueSlider_->setValue(0);
  saturationSlider_->setValue(0);
  updating_ = false;
  lightnessSlider_->setValue(0);
  UpdateHslLabels();
}

void TfmAjusCol::RgbSliderChange(const RgbSlider& control) {
  control.label->setText(QString::fromUtf8(control.format).arg(control.slider->value()));
  if (!updating_) ApplyChannelShift(table_, saved_, control.channel, control.slider->value());
}

void TfmAjusCol::HslSliderChange() {
  if (updating_) return;
  updating_ = true;
  ApplyHslShift(table_, saved_, HslShift{hueSlider_->value(), saturationSlider_->value(), lightnessSlider_->value()});
  UpdateHslLabels();
  updating_ = false;
}

void TfmAjusCol::UpdateHslLabels() {
  hueLabel_->setText(QStringLiteral("Tinte: %1%").arg(hueSlider_->value()));
  saturationLabel_->setText(QStringLiteral("Saturación: %1%").arg(saturationSlider_->value()));
  lightnessLabel_->setText(QStringLiteral("Luminancia: %1%").arg(lightnessSlider_->value()));
}

void TfmAjusCol::CancelClicked() {
  RestoreColors(table_, saved_);
  reject();
}

void TfmAjusCol::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    CancelClicked();
    return;
  }
  QDialog::keyPressEvent(event);
}

// Closing by the frame keeps the adjusted colours, as "Aceptar" does.
void TfmAjusCol::done(int result) {
  QDialog::done(result);
  if (SaveColors(table_) != saved_) emit ColorsAdjusted();
}

}  // namespace vorla
