#include "gui/mosaic/frmMozaico.h"

#include <QHBoxLayout>
#include <QToolBar>
#include <QToolButton>

#include "core/plot/IndexedPicture.h"
#include "core/plot/MosaicTile.h"
#include "gui/export/frmExportar.h"
#include "gui/mosaic/MosaicView.h"
#include "gui/common/CoreColor.h"
#include "gui/common/FormUtils.h"
#include "gui/common/HelpTopics.h"
#include "gui/help/HelpContext.h"
#include "gui/help/HelpWindow.h"
#include "gui/common/ToolButtons.h"

namespace vorla {
TfmMozaico::TfmMozaico(const Bitmap& picture, TfmExportar& exporter, std::filesystem::path settingsFile,
                       QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      picture_(picture),
      exporter_(exporter),
      settingsFile_(std::move(settingsFile)),
      tileSize_(kStartTileSize) {
  setObjectName(QStringLiteral("fmMozaico"));
  setWindowTitle(QStringLiteral("Mosaico"));
  SetHelpContext(*this, static_cast<int>(HelpContext::kMosaic));

  view_ = new MosaicView(this);
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setOrientation(Qt::Vertical);
  bar->setIconSize(QSize(20, 20));
  btnChico = MakeToolButton(bar, "btnChico", "reducir", QStringLiteral("Reducir"));
  btnGrande = MakeToolButton(bar, "btnGrande", "aumentar", QStringLiteral("Aumentar"));
  btnHor = MakeToolButton(bar, "btnHor", "reflejoh", QStringLiteral("Agregar reflejo horizontal"), true);
  btnVer = MakeToolButton(bar, "btnVer", "reflejov", QStringLiteral("Agregar reflejo vertical"), true);
  ToolButton3 = MakeToolButton(bar, "ToolButton3", "copiar", QStringLiteral("Copiar con reflejos"));
  ToolButton2 = MakeToolButton(bar, "ToolButton2", "exportar", QStringLiteral("Exportar con reflejos"));
  ToolButton1 = MakeToolButton(bar, "ToolButton1", "ayuda", QStringLiteral("Ayuda"));
  for (QToolButton* button : {btnChico, btnGrande, btnHor, btnVer, ToolButton3, ToolButton2, ToolButton1})
    bar->addWidget(button);
  btnHor->setChecked(true);
  btnVer->setChecked(true);
  // Qt's own button for the tools that do not fit.
  if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
    more->setAccessibleName(QStringLiteral("Más herramientas"));

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(view_, 1);
  layout->addWidget(bar);
  resize(360, 280);

  connect(btnChico, &QToolButton::clicked, this, &TfmMozaico::btnChicoClick);
  connect(btnGrande, &QToolButton::clicked, this, &TfmMozaico::btnGrandeClick);
  connect(btnHor, &QToolButton::clicked, this, &TfmMozaico::Rebuild);
  connect(btnVer, &QToolButton::clicked, this, &TfmMozaico::Rebuild);
  connect(ToolButton3, &QToolButton::clicked, this, [this] { ExportWithMirrors(true); });
  connect(ToolButton2, &QToolButton::clicked, this, [this] { ExportWithMirrors(false); });
  connect(ToolButton1, &QToolButton::clicked, this, [this] { HelpWindow::ShowContext(HelpContextOf(this), this); });
  connect(view_, &MosaicView::clicked, this, &TfmMozaico::ViewClicked);

  // F1 is the main window's, which Qt also gives to its tool windows: a
  // second one here would make the key ambiguous and open nothing.
  CloseOnKeys(*this);
  RestoreFormPlacement(*this, settingsFile_, FirstPlacement::kDesktopCenter);
}

TfmMozaico::~TfmMozaico() { SaveFormPlacement(*this, settingsFile_); }

void TfmMozaico::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Rebuild();
}

void TfmMozaico::Rebuild() {
  setWindowTitle(QStringLiteral("Mosaico (%1 pixeles)").arg(tileSize_));
  tile_ = MakeMosaicTile(picture_, tileSize_, Mirrors{btnHor->isChecked(), btnVer->isChecked()});
  view_->SetTile(ToIndexedImage(tile_));
}

void TfmMozaico::RefreshIfShown() {
  if (isVisible()) Rebuild();
}

void TfmMozaico::StepAnimation(int shift) {
  if (!isVisible() || shift == 0) return;
  ShiftIndices(tile_, shift);
  view_->SetTile(ToIndexedImage(tile_));
}

void TfmMozaico::btnGrandeClick() {
  tileSize_ += kTileSizeStep;
  btnGrande->setEnabled(tileSize_ < kMaxTileSize);
  btnChico->setEnabled(true);
  Rebuild();
}

void TfmMozaico::btnChicoClick() {
  tileSize_ -= kTileSizeStep;
  btnChico->setEnabled(tileSize_ > kMinTileSize);
  btnGrande->setEnabled(true);
  Rebuild();
}

void TfmMozaico::ViewClicked(Qt::MouseButton button) {
  if (button == Qt::LeftButton && btnGrande->isEnabled()) btnGrandeClick();
  if (button == Qt::RightButton && btnChico->isEnabled()) btnChicoClick();
}

// The export dialog calculates the picture anew at full resolution.
void TfmMozaico::ExportWithMirrors(bool toClipboard) {
  exporter_.Execute(Mirrors{btnHor->isChecked(), btnVer->isChecked()}, toClipboard);
}

}  // namespace vorla
