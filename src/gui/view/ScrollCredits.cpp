#include "gui/view/ScrollCredits.h"

#include <QFontMetrics>
#include <QPainter>

#include "gui/common/CoreColor.h"
#include "gui/common/CoreText.h"

namespace vorla {
namespace {

// Every form that shows the control sets its own lines; these only say what it is.
QStringList DefaultCredits() {
  return {QStringLiteral("&n&h12,;Vorlascope"), QString(), QStringLiteral("Graficador de funciones"),
          QStringLiteral("de dos variables"), QString()};
}

constexpr int kTextMargin = 4;  // from the left or right edge

}  // namespace

TScrollCredits::TScrollCredits(QWidget* parent) : QWidget(parent), font_(QStringLiteral("Arial")) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName(QStringLiteral("Texto desplazable"));
  resize(230, 250);
  timer_.setInterval(50);
  connect(&timer_, &QTimer::timeout, this, &TScrollCredits::Tick);
  SetCredits(DefaultCredits());
}

void TScrollCredits::SetCredits(const QStringList& credits) {
  const QStringList previous = credits_;
  credits_ = credits;
  try {
    Parse();
  } catch (const EInvalidInteger&) {
    credits_ = previous;
    throw;
  }
  if (animate_) scroll_.Start(height(), step_);
  Redraw();
}

// Line heights and widths are measured in the font, so the lines are parsed again.
void TScrollCredits::SetCreditsFont(const QFont& font) {
  font_ = font;
  Parse();
  Redraw();
}

void TScrollCredits::SetCreditsColor(const QColor& color) {
  fontColor_ = color;
  Parse();
  Redraw();
}

void TScrollCredits::SetBackgroundColor(const QColor& color) {
  backgroundColor_ = color;
  Parse();
  Redraw();
}

void TScrollCredits::SetBorderColor(const QColor& color) {
  borderColor_ = color;
  Redraw();
}

void TScrollCredits::SetShowBorder(bool show) {
  showBorder_ = show;
  Redraw();
}

void TScrollCredits::SetBackgroundImage(const QPixmap& picture) {
  backgroundImage_ = picture;
  Redraw();
}

void TScrollCredits::SetContinuo(bool continuous) {
  continuous_ = continuous;
  Redraw();
}

void TScrollCredits::SetAnimate(bool animate) {
  if (animate == animate_) return;
  animate_ = animate;
  if (animate_) {
    Parse();
    scroll_.Start(height(), step_);
  } else {
    scroll_.Stop();
  }
  UpdateTimer();
  Redraw();
}

void TScrollCredits::SetInterval(int milliseconds) { timer_.setInterval(milliseconds); }

void TScrollCredits::Tick() {
  if (scroll_.Tick(height(), step_, continuous_)) {
    lastShown_ = -1;
    emit AfterLastCredit();
  }
  Redraw();
}

// All lines are parsed before any is kept, so a bad one leaves the old list.
void TScrollCredits::Parse() {
  std::vector<CreditLine> lines;
  lines.reserve(static_cast<std::size_t>(credits_.size()));
  for (const QString& credit : credits_)
    lines.push_back(ParseCreditLine(ToCore(credit), FromQColor(fontColor_), alignment_));
  std::vector<int> heights;
  shownTexts_.clear();
  widths_.clear();
  for (const CreditLine& line : lines) {
    const QFontMetrics metrics(LineFont(line));
    const QString text = FromCore(line.text);
    heights.push_back(line.height.value_or(metrics.height()));
    widths_.push_back(metrics.horizontalAdvance(text));
    shownTexts_.push_back(text);
  }
  lines_ = std::move(lines);
  scroll_.SetHeights(std::move(heights));
  lastShown_ = -1;
  QStringList texts(shownTexts_.begin(), shownTexts_.end());
  texts.removeAll(QString());
  setAccessibleDescription(texts.join(u' '));
}

QFont TScrollCredits::LineFont(const CreditLine& line) const {
  QFont font = font_;
  if (!line.fontName.empty()) font.setFamily(FromCore(line.fontName));
  if (line.fontSize > 0) font.setPointSize(line.fontSize);
  font.setBold((line.style & kCreditBold) != 0);
  font.setItalic((line.style & kCreditItalic) != 0);
  font.setUnderline((line.style & kCreditUnderline) != 0);
  font.setStrikeOut((line.style & kCreditStrikeOut) != 0);
  return font;
}

void TScrollCredits::Redraw() {
  if (!isVisible() || width() <= 0 || height() <= 0) return;
  const qreal ratio = devicePixelRatioF();
  if (canvas_.size() != size() * ratio) {
    canvas_ = QPixmap(size() * ratio);
    canvas_.setDevicePixelRatio(ratio);
  }
  {
    QPainter painter(&canvas_);
    if (!backgroundImage_.isNull())
      painter.drawPixmap(rect(), backgroundImage_);
    else
      painter.fillRect(rect(), backgroundColor_);
  }
  emit Erased();

  std::vector<QString> newlyShown;
  {
    QPainter painter(&canvas_);
    for (const CreditScroll::Placement& placement : scroll_.Visible(height(), continuous_)) {
      const auto index = static_cast<std::size_t>(placement.line);
      const CreditLine& line = lines_[index];
      if (!line.drawn) continue;
      if (line.blinking && CreditScroll::BlinkHidden(placement.y, step_)) continue;
      int x = (width() - widths_[index]) / 2;
      if (line.alignment == CreditAlignment::kLeft) x = kTextMargin;
      if (line.alignment == CreditAlignment::kRight) x = width() - widths_[index] - kTextMargin;
      const QFont font = LineFont(line);
      painter.setFont(font);
      painter.setPen(ToQColor(line.color));
      painter.drawText(x, placement.y + QFontMetrics(font).ascent(), shownTexts_[index]);
      if (placement.line > lastShown_) {
        newlyShown.push_back(shownTexts_[index]);
        lastShown_ = placement.line;
      }
    }
    if (showBorder_) {
      painter.setPen(borderColor_);
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(0, 0, width() - 1, height() - 1);
    }
  }
  for (const QString& text : newlyShown) emit ShowCredit(text);
  emit Painted();
  update();
}

void TScrollCredits::UpdateTimer() {
  if (animate_ && isVisible())
    timer_.start();
  else
    timer_.stop();
}

void TScrollCredits::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (canvas_.isNull())
    painter.fillRect(rect(), backgroundColor_);
  else
    painter.drawPixmap(0, 0, canvas_);
}

void TScrollCredits::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Redraw();
}

void TScrollCredits::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  UpdateTimer();
  Redraw();
}

void TScrollCredits::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  UpdateTimer();
}

}  // namespace vorla
