#include "gui/figure/FigurePainter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/expr/Expresion.h"
#include "core/plot/LevelScale.h"
#include "gui/common/CoreColor.h"
#include "gui/formula/FormulaPicture.h"

namespace vorla {
namespace {

constexpr double kMargin = 12;
constexpr double kTick = 5;
constexpr double kLabelGap = 3;
constexpr double kTitleGap = 10;
constexpr double kBarGap = 24;
constexpr double kBarWidth = 18;
constexpr int kFontPixels = 12;

// Palette indices of the picture (see PictureCalculation).
constexpr int kBelowIndex = 1;
constexpr int kAboveIndex = 2;
constexpr int kFlatIndex = 3;
constexpr int kFirstLevelIndex = LevelScale::kFirstLevelIndex;
constexpr int kLevels = LevelScale::kLevels;

QColor Entry(const Palette& palette, int index) { return ToQColor(ToColor(palette[static_cast<std::size_t>(index)])); }

// The levels from `first` on, `count` of them, `step` apart round the
// gradient (wrapping as the Bucle option does), spread from `from` to `to`.
QLinearGradient Levels(const Palette& palette, QPointF from, QPointF to, int first, int count, int step) {
  QLinearGradient gradient(from, to);
  for (int i = 0; i < count; ++i) {
    const int level = ((first + i * step) % kLevels + kLevels) % kLevels;
    gradient.setColorAt(count > 1 ? static_cast<double>(i) / (count - 1) : 0,
                        Entry(palette, kFirstLevelIndex + level));
  }
  return gradient;
}

double WidestLabel(const QFontMetricsF& metrics, const std::vector<FigureTick>& ticks) {
  double widest = 0;
  for (const FigureTick& tick : ticks)
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(tick.label)));
  return widest;
}

QString Label(const std::string& text) { return QString::fromStdString(text); }

// The most ticks an edge gets, and the room left between two labels.
constexpr int kMostTicks = 40;
constexpr double kLabelSpacing = 8;

// As many of the overlay's ticks as leave room between their labels, each
// `extent` long along the edge.
std::vector<FigureTick> Fitting(double from, double to, double length,
                                const std::function<double(const std::vector<FigureTick>&)>& extent) {
  std::vector<FigureTick> ticks = FigureTicks(from, to, kMostTicks);
  while (ticks.size() > 2 && static_cast<double>(ticks.size()) * (extent(ticks) + kLabelSpacing) > length)
    ticks = FigureTicks(from, to, static_cast<int>(ticks.size()) - 1);
  return ticks;
}

}  // namespace

FigurePainter::FigurePainter(const FigureContent& figure) : figure_(figure) {
  font_.setFamilies({"Liberation Sans", "Arial"});
  font_.setStyleHint(QFont::SansSerif);
  font_.setPixelSize(kFontPixels);
  const QFontMetricsF metrics(font_);
  const double line = metrics.height();
  const double w = figure.picture.Width();
  const double h = figure.picture.Height();
  xTicks_ = Fitting(figure.view.left, figure.view.right, w,
                    [&metrics](const std::vector<FigureTick>& ticks) { return WidestLabel(metrics, ticks); });
  yTicks_ = Fitting(figure.view.top, figure.view.bottom, h, [line](const std::vector<FigureTick>&) { return line; });

  if (figure.plot) title_ = FormulaPicture(figure.plot->Expression(PlotExpressions::kFunc));
  const QSizeF titleSize = title_ ? QSizeF(title_->boundingRect().size()) : QSizeF();
  const double titleBand = title_ ? titleSize.height() + kTitleGap : 0;

  const double halfX = WidestLabel(metrics, xTicks_) / 2;
  const double yLabels = WidestLabel(metrics, yTicks_);
  const double left = std::ceil(kMargin + std::max(yLabels + kLabelGap + kTick, halfX));
  const double top = std::ceil(kMargin + titleBand + line + kLabelGap + kTick);
  picture_ = QRectF(left, top, w, h);

  const double end = std::min(kBarWidth, h / 6);
  const double barLeft = picture_.right() + std::max(kTick + kLabelGap + yLabels, halfX) + kBarGap;
  bar_ = QRectF(barLeft, top + end, kBarWidth, std::max(h - 2 * end, 1.0));
  // Steps every two lines at most: a bar is read at a glance.
  barLabels_ = LayOutColorBar(figure.scale.zmin, figure.scale.zmax, line / bar_.height(),
                              std::max(1, static_cast<int>(bar_.height() / (2 * line))));
  std::vector<FigureTick> barTexts = barLabels_.steps;
  barTexts.push_back({0, barLabels_.bottom});
  barTexts.push_back({1, barLabels_.top});
  const double width = bar_.right() + kTick + kLabelGap + WidestLabel(metrics, barTexts) + kMargin;
  size_ = QSizeF(std::ceil(std::max(width, titleSize.width() + 2 * kMargin)),
                 std::ceil(picture_.bottom() + kTick + kLabelGap + line + kMargin));
}

void FigurePainter::Draw(QPainter& painter) const {
  painter.fillRect(QRectF(QPointF(0, 0), size_), Qt::white);
  // The picture's pixels as calculated: no smoothing when a viewer enlarges
  // it, and no lossy compression (a PDF would otherwise hold a JPEG).
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setRenderHint(QPainter::LosslessImageRendering);
  painter.drawImage(picture_, ToIndexedImage(figure_.picture));
  painter.setFont(font_);
  DrawFrame(painter);
  DrawColorBar(painter);
  DrawTitle(painter);
}

void FigurePainter::DrawFrame(QPainter& painter) const {
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  // The frame lies just outside the picture, over none of its pixels.
  const QRectF frame = picture_.adjusted(-0.5, -0.5, 0.5, 0.5);
  painter.drawRect(frame);
  const double big = 1000;  // text boxes larger than any label, aligned on the tick
  for (const FigureTick& tick : xTicks_) {
    const double x = picture_.left() + tick.at * picture_.width();
    painter.drawLine(QPointF(x, frame.top()), QPointF(x, frame.top() - kTick));
    painter.drawLine(QPointF(x, frame.bottom()), QPointF(x, frame.bottom() + kTick));
    painter.drawText(QRectF(x - big / 2, frame.top() - kTick - kLabelGap - big, big, big),
                     Qt::AlignHCenter | Qt::AlignBottom, Label(tick.label));
    painter.drawText(QRectF(x - big / 2, frame.bottom() + kTick + kLabelGap, big, big),
                     Qt::AlignHCenter | Qt::AlignTop, Label(tick.label));
  }
  for (const FigureTick& tick : yTicks_) {
    const double y = picture_.top() + tick.at * picture_.height();
    painter.drawLine(QPointF(frame.left(), y), QPointF(frame.left() - kTick, y));
    painter.drawLine(QPointF(frame.right(), y), QPointF(frame.right() + kTick, y));
    painter.drawText(QRectF(frame.left() - kTick - kLabelGap - big, y - big / 2, big, big),
                     Qt::AlignRight | Qt::AlignVCenter, Label(tick.label));
    painter.drawText(QRectF(frame.right() + kTick + kLabelGap, y - big / 2, big, big),
                     Qt::AlignLeft | Qt::AlignVCenter, Label(tick.label));
  }
}

// The bar runs from Zmin at its foot to Zmax at its head; the pieces beyond
// show what the picture paints outside the scale: the gradient going round
// again with the Bucle option, else the colour of values below or above.
void FigurePainter::DrawColorBar(QPainter& painter) const {
  const Palette& palette = figure_.picture.palette;
  const FigureScale& scale = figure_.scale;
  const double end = picture_.top() + picture_.height() - bar_.bottom();
  const QPointF foot(bar_.center().x(), bar_.bottom());
  const QPointF head(bar_.center().x(), bar_.top());
  // Below the scale the wrap starts at level 248 (index 254), as the
  // calculation has it. The levels an end piece spans, at the bar's levels per pixel.
  const int beyond = std::max(2, static_cast<int>(std::lround(end / bar_.height() * (kLevels - 1))) + 1);

  painter.setPen(Qt::NoPen);
  if (scale.gradient)
    painter.setBrush(Levels(palette, foot, head, 0, kLevels, 1));
  else
    painter.setBrush(Entry(palette, kFlatIndex));
  painter.drawRect(bar_);

  const QPolygonF above{bar_.topLeft(), bar_.topRight(), QPointF(head.x(), head.y() - end)};
  if (scale.wrapAbove)
    painter.setBrush(Levels(palette, head, QPointF(head.x(), head.y() - end), 0, beyond, 1));
  else
    painter.setBrush(Entry(palette, kAboveIndex));
  painter.drawPolygon(above);
  const QPolygonF below{bar_.bottomLeft(), bar_.bottomRight(), QPointF(foot.x(), foot.y() + end)};
  if (scale.wrapBelow)
    painter.setBrush(Levels(palette, foot, QPointF(foot.x(), foot.y() + end), kLevels - 2, beyond, -1));
  else
    painter.setBrush(Entry(palette, kBelowIndex));
  painter.drawPolygon(below);

  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolygon(QPolygonF{QPointF(foot.x(), foot.y() + end), bar_.bottomRight(), bar_.topRight(),
                                QPointF(head.x(), head.y() - end), bar_.topLeft(), bar_.bottomLeft()});
  const double big = 1000;
  const auto mark = [&](double at, const std::string& text) {
    const double y = bar_.bottom() - at * bar_.height();
    painter.drawLine(QPointF(bar_.right(), y), QPointF(bar_.right() + kTick, y));
    painter.drawText(QRectF(bar_.right() + kTick + kLabelGap, y - big / 2, big, big),
                     Qt::AlignLeft | Qt::AlignVCenter, Label(text));
  };
  mark(0, barLabels_.bottom);
  mark(1, barLabels_.top);
  for (const FigureTick& step : barLabels_.steps) mark(step.at, step.label);
}

void FigurePainter::DrawTitle(QPainter& painter) const {
  if (!title_) return;
  const double width = title_->boundingRect().width();
  const double centred = picture_.center().x() - width / 2;
  const double x = std::clamp(centred, kMargin, std::max(kMargin, size_.width() - kMargin - width));
  painter.drawPicture(QPointF(std::round(x), kMargin), *title_);
}

}  // namespace vorla
