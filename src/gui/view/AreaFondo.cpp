#include "gui/view/AreaFondo.h"

#include <QPainter>

#include <algorithm>

#include "core/io/MulDiv.h"
#include "gui/gradient/PainterCanvas.h"
#include "gui/common/CoreColor.h"
#include "gui/common/CoreText.h"

namespace vorla {

TAreaFondo::TAreaFondo(QWidget* parent) : TArea(parent) {}

void TAreaFondo::SetEstilo(TEstiloFondo estilo) {
  estilo_ = estilo;
  update();
}

void TAreaFondo::SetColor(const QColor& color) {
  color_ = color;
  update();
}

void TAreaFondo::SetColor2(const QColor& color) {
  color2_ = color;
  update();
}

void TAreaFondo::SetPosicion(int posicion) {
  posicion_ = std::clamp(posicion, 0, 9);
  update();
}

void TAreaFondo::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  update();
}

void TAreaFondo::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PainterCanvas canvas(painter);
  const Rect area{0, 0, width(), height()};
  const TColor light = FromQColor(color_);
  const TColor edge = FromQColor(color2_);
  switch (estilo_) {
    case TEstiloFondo::efCilindroHor:
      CylinderFill(canvas, area, light, edge, true, posicion_);
      break;
    case TEstiloFondo::efCilindroVer:
      CylinderFill(canvas, area, light, edge, false, posicion_);
      break;
    case TEstiloFondo::efGradienteHor:
      GradientFill(canvas, area, light, edge, true);
      break;
    case TEstiloFondo::efGradienteVer:
      GradientFill(canvas, area, light, edge, false);
      break;
    case TEstiloFondo::efEsfera:
      canvas.FillRect(area, edge);
      SphereFill(canvas, area, light, edge, MulDiv(posicion_, width(), 10), MulDiv(posicion_, height(), 10));
      break;
    case TEstiloFondo::efEstirar:
    case TEstiloFondo::efMozaico:
    case TEstiloFondo::efAlfombra:
      break;
  }
  if (caption_.isEmpty()) return;
  painter.setFont(font());
  painter.setPen(palette().color(QPalette::WindowText));
  TextCentered(canvas, area, ToCore(caption_));
}

}  // namespace vorla
