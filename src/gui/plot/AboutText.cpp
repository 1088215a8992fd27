#include "gui/plot/AboutText.h"

#include <QImage>
#include <QPainter>

#include "gui/common/FormUtils.h"

namespace vorla {

QString AboutText() {
  return QString::fromLatin1(kVersionTitle) +
         QStringLiteral(
             "\n\n"
             "Graficador de funciones de dos variables.\n"
             "Escriba f(x,y) en el cuadro de la función y pulse Intro.\n"
             "Click izquierdo: centrar.\tClick derecho: alejar.\n"
             "Arrastrar con el botón izquierdo: acercar.\tCon el derecho: mover.");
}

// The picture is indexed, so text is drawn as a mask and written with the
// palette entry nearest to black, as a drawing on an 8-bit picture would be.
void DrawAboutText(Bitmap& picture, QString text, qreal pixelRatio) {
  const int width = static_cast<int>(picture.Width() / pixelRatio);
  const int height = static_cast<int>(picture.Height() / pixelRatio);
  if (width <= 40 || height <= 0) return;
  text.replace(u'\t', QStringLiteral("    "));
  QImage mask(picture.Width(), picture.Height(), QImage::Format_ARGB32_Premultiplied);
  mask.setDevicePixelRatio(pixelRatio);
  mask.fill(Qt::transparent);
  {
    QPainter painter(&mask);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect area(20, 0, width - 40, height);
    const int flags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
    const int textHeight = painter.boundingRect(area, flags, text).height();
    painter.drawText(QRect(area.left(), (area.top() + area.bottom() - textHeight) / 2, area.width(), textHeight),
                     flags, text);
  }
  int black = 0;
  int best = 3 * 255 * 255 + 1;
  for (int i = 0; i < 256; ++i) {
    const Rgb c = picture.palette[static_cast<std::size_t>(i)];
    const int distance = c.red * c.red + c.green * c.green + c.blue * c.blue;
    if (distance < best) {
      best = distance;
      black = i;
    }
  }
  for (int y = 0; y < picture.Height(); ++y) {
    const QRgb* source = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x) {
      if (qAlpha(source[x]) >= 128) row[x] = static_cast<std::uint8_t>(black);
    }
  }
}

}  // namespace vorla
