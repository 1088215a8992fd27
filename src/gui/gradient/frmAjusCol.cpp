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

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setAccessibleName(QStringLiteral("Modo"));
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  TabSheet1->setAccessibleName(QStringLiteral("Modo RGB"));
  new QVBoxLayout(TabSheet1);
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  TabSheet2->setAccessibleName(QStringLiteral("Modo HSL"));
  new QVBoxLayout(TabSheet2);
  PageControl1->addTab(TabSheet1, QStringLiteral("Modo RGB"));
  PageControl1->addTab(TabSheet2, QStringLiteral("Modo HSL"));

  trkR = AddSlider(TabSheet1, "trkR", QStringLiteral("Rojo"), 255, 32, Label2);
  trkV = AddSlider(TabSheet1, "trkV", QStringLiteral("Verde"), 255, 32, Label3);
  trkA = AddSlider(TabSheet1, "trkA", QStringLiteral("Azul"), 255, 32, Label4);
  trkH = AddSlider(TabSheet2, "trkH", QStringLiteral("Tinte"), 50, 25, Label1);
  trkS = AddSlider(TabSheet2, "trkS", QStringLiteral("Saturación"), 100, 25, Label5);
  trkL = AddSlider(TabSheet2, "trkL", QStringLiteral("Luminancia"), 100, 25, Label6);
  PageControl1->setCurrentWidget(TabSheet2);

  const CancelAcceptButtons buttons = MakeCancelAcceptButtons();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl1);
  layout->addLayout(buttons.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  const RgbSlider rgbSliders[] = {{trkR, Label2, "Rojo: %1", Channel::kRed},
                                   {trkV, Label3, "Verde: %1", Channel::kGreen},
                                   {trkA, Label4, "Azul: %1", Channel::kBlue}};
  for (const RgbSlider& control : rgbSliders)
    connect(control.slider, &QSlider::valueChanged, this, [this, control] { RgbSliderChange(control); });
  for (QSlider* slider : {trkH, trkS, trkL})
    connect(slider, &QSlider::valueChanged, this, &TfmAjusCol::HslSliderChange);
  connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
    if (PageControl1->currentWidget() == TabSheet1) {
      ResetRgbPage();
    } else {
      ResetHslPage();
    }
  });
  connect(buttons.cancel, &QPushButton::clicked, this, &TfmAjusCol::Button1Click);
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
  for (QSlider* slider : {trkR, trkV, trkA}) slider->setValue(0);
  updating_ = false;
}

// The last slider is set outside the updating flag: if it was not at 0, the
// nodes come back from the saved colours through the HSL handler.
void TfmAjusCol::ResetHslPage() {
  updating_ = true;
  trkH->setValue(0);
  trkS->setValue(0);
  updating_ = false;
  trkL->setValue(0);
  UpdateHslLabels();
}

void TfmAjusCol::RgbSliderChange(const RgbSlider& control) {
  control.label->setText(QString::fromUtf8(control.format).arg(control.slider->value()));
  if (!updating_) ApplyChannelShift(table_, saved_, control.channel, control.slider->value());
}

void TfmAjusCol::HslSliderChange() {
  if (updating_) return;
  updating_ = true;
  ApplyHslShift(table_, saved_, HslShift{trkH->value(), trkS->value(), trkL->value()});
  UpdateHslLabels();
  updating_ = false;
}

void TfmAjusCol::UpdateHslLabels() {
  Label1->setText(QStringLiteral("Tinte: %1%").arg(trkH->value()));
  Label5->setText(QStringLiteral("Saturación: %1%").arg(trkS->value()));
  Label6->setText(QStringLiteral("Luminancia: %1%").arg(trkL->value()));
}

void TfmAjusCol::Button1Click() {
  RestoreColors(table_, saved_);
  reject();
}

void TfmAjusCol::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Button1Click();
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
