#pragma once
// TAreaFondo: a small area with a shaded background (a cylinder, a band
// gradient or a sphere) and an optional centred caption, telling its owner
// when the mouse enters or leaves it. The main window's spy spheres.

#include <QColor>
#include <QString>

#include "gui/view/Area.h"

namespace vorla {

enum class TEstiloFondo {
  efCilindroHor,   // a light line across, at Posicion tenths of the height
  efCilindroVer,   // a light line down, at Posicion tenths of the width
  efGradienteHor,  // Color at the top to Color2 at the bottom
  efGradienteVer,  // Color at the left to Color2 at the right
  efEsfera,        // a sphere lit at Posicion tenths of width and height
  efEstirar,       // no background of their own
  efMozaico,
  efAlfombra,
};

class TAreaFondo : public TArea {
  Q_OBJECT

 public:
  explicit TAreaFondo(QWidget* parent = nullptr);

  // Each setter repaints, also when the value does not change; the caption
  // repaints only when it does.
  TEstiloFondo Estilo() const { return estilo_; }
  void SetEstilo(TEstiloFondo estilo);
  // The light colour, white at first.
  QColor Color() const { return color_; }
  void SetColor(const QColor& color);
  // The second colour of the shading, mid grey at first.
  QColor Color2() const { return color2_; }
  void SetColor2(const QColor& color);
  // The light's place in tenths of the extent, 0..9; 3 at first.
  int Posicion() const { return posicion_; }
  void SetPosicion(int posicion);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TEstiloFondo estilo_ = TEstiloFondo::efCilindroHor;
  QColor color_ = Qt::white;
  QColor color2_ = QColor(128, 128, 128);
  int posicion_ = 3;
  QString caption_;
};

}  // namespace vorla
