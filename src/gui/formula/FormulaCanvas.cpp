#include "gui/formula/FormulaCanvas.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>

#include "gui/common/CoreText.h"

namespace vorla {
namespace {

// The Symbol face puts the Greek alphabet on the Latin letters.
constexpr char16_t kSymbolLower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
constexpr char16_t kSymbolUpper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";

QFont BaseFont(TFace face) {
  QFont font;
  if (face == TFace::Arial) {
    font.setFamilies({"Liberation Sans", "Arial"});
    font.setStyleHint(QFont::SansSerif);
  } else {
    font.setFamilies({"Liberation Serif", "Times New Roman"});
    font.setStyleHint(QFont::Serif);
  }
  return font;
}

QPen BlackPen(int width) {
  QPen pen(Qt::black, std::max(width, 1));
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

// Pixel (x, y) is the square from (x, y) to (x + 1, y + 1): a one-pixel
// stroke runs through the centres.
QPointF Centre(TPoint point) { return {point.X + 0.5, point.Y + 0.5}; }

}  // namespace

FormulaCanvas::FormulaCanvas(QPainter& painter) : painter_(painter) {
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
}

QFont FormulaCanvas::QtFont(const TFont& font) {
  QFont qt = BaseFont(font.Face);
  qt.setBold(font.Style == TFontStyle::Bold || font.Style == TFontStyle::BoldItalic);
  qt.setItalic(font.Style == TFontStyle::Italic || font.Style == TFontStyle::BoldItalic);
  int pixels = font.Height;
  if (font.Kind == THeightKind::Cell) {
    // The em that gives a cell (ascent plus descent) of the asked height.
    QFont reference = qt;
    reference.setPixelSize(1000);
    const QFontMetricsF metrics(reference);
    pixels = static_cast<int>(std::lround(font.Height * 1000 / metrics.height()));
  }
  qt.setPixelSize(std::max(pixels, 1));
  return qt;
}

QString FormulaCanvas::Shown(const std::string& text, TFace face) {
  QString shown = FromCore(text);
  if (face != TFace::Symbol) return shown;
  for (QChar& c : shown) {
    if (c >= u'a' && c <= u'z') c = QChar(kSymbolLower[c.unicode() - u'a']);
    else if (c >= u'A' && c <= u'Z') c = QChar(kSymbolUpper[c.unicode() - u'A']);
  }
  return shown;
}

int FormulaCanvas::PixelsPerInch() const { return painter_.device()->logicalDpiY(); }

int FormulaCanvas::TextWidth(const std::string& text) {
  return QFontMetrics(QtFont(Font), painter_.device()).horizontalAdvance(Shown(text, Font.Face));
}

int FormulaCanvas::TextHeight(const std::string&) { return QFontMetrics(QtFont(Font), painter_.device()).height(); }

void FormulaCanvas::TextOut(int x, int y, const std::string& text) {
  const QFont font = QtFont(Font);
  painter_.setFont(font);
  painter_.setPen(Qt::black);
  painter_.drawText(QPoint(x, y + QFontMetrics(font, painter_.device()).ascent()), Shown(text, Font.Face));
}

void FormulaCanvas::Line(TPoint from, TPoint to, int penWidth) { Polyline({from, to}, penWidth); }

void FormulaCanvas::Polyline(const std::vector<TPoint>& points, int penWidth) {
  if (points.empty()) return;
  // An even pen straddles the line between two pixel rows.
  const QPointF shift = penWidth % 2 == 0 ? QPointF(-0.5, -0.5) : QPointF();
  QPainterPath path(Centre(points.front()) + shift);
  for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(Centre(points[i]) + shift);
  painter_.strokePath(path, BlackPen(penWidth));
}

void FormulaCanvas::Rectangle(int left, int top, int right, int bottom, bool filled) {
  const QRect pixels(left, top, right - left, bottom - top);
  if (filled) {
    painter_.fillRect(pixels, Qt::black);
    return;
  }
  QPainterPath outline;
  outline.addRect(QRectF(pixels).adjusted(0.5, 0.5, -0.5, -0.5));
  painter_.strokePath(outline, BlackPen(1));
}

}  // namespace vorla
