#include "gui/view/frmNatural.h"

#include <QApplication>
#include <QPainter>
#include <QPicture>
#include <QScreen>

#include "core/io/MulDiv.h"
#include "gui/gradient/PainterCanvas.h"
#include "gui/common/CoreColor.h"

namespace vorla {

TfmNatural::TfmNatural(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus) {
  setObjectName(QStringLiteral("fmNatural"));
  setWindowTitle(QStringLiteral("Espiar"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  QPalette shades = palette();
  shades.setColor(QPalette::Window, shades.color(QPalette::ToolTipBase));
  setPalette(shades);
}

void TfmNatural::ShowGraphic(const QPicture* graphic) {
  if (graphic == nullptr) return;
  graphic_ = graphic;
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QSize natural = graphic->boundingRect().size();
  QSize client = natural;
  if (natural.width() > screen.width())
    client = QSize(screen.width(), MulDiv(natural.height(), screen.width(), natural.width()));
  resize(client);
  CentreOn(screen);
  QWidget* const active = QApplication::activeWindow();
  show();
  // The frame is known only once the window is shown.
  CentreOn(screen);
  update();
  // The main window stays the one the user works in.
  if (active != nullptr && QApplication::activeWindow() != active) active->activateWindow();
}

void TfmNatural::CentreOn(const QRect& screen) {
  const QSize frame = frameGeometry().size();
  move(screen.left() + (screen.width() - frame.width()) / 2, screen.top() + (screen.height() - frame.height()) / 2);
}

void TfmNatural::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PainterCanvas canvas(painter);
  GradientFill(canvas, {0, 0, width(), height()}, FromQColor(Qt::white),
               FromQColor(palette().color(QPalette::ToolTipBase)), true);
  if (graphic_ == nullptr) return;
  const QSize natural = graphic_->boundingRect().size();
  if (natural.isEmpty()) return;
  // Stretched over the whole window; the formula's clear background lets the shading show.
  painter.scale(static_cast<double>(width()) / natural.width(), static_cast<double>(height()) / natural.height());
  painter.drawPicture(0, 0, *graphic_);
}

}  // namespace vorla
