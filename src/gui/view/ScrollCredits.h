#pragma once
// TScrollCredits: lines of text, each with its own font, colour, alignment
// and height (see CreditLines for the line codes), that scroll upwards like
// film credits, once or endlessly. Painted from an off-screen picture.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <vector>

#include "gui/view/CreditLines.h"

namespace vorla {

class TScrollCredits : public QWidget {
  Q_OBJECT

 public:
  explicit TScrollCredits(QWidget* parent = nullptr);

  // Each entry is one line in the line-code format. Throws EInvalidInteger
  // for a bad size, height or colour, keeping the lines it had.
  void SetCredits(const QStringList& credits);
  const QStringList& Credits() const { return credits_; }

  // Base font and colour of every line.
  void SetCreditsFont(const QFont& font);
  void SetCreditsColor(const QColor& color);
  void SetBackgroundColor(const QColor& color);
  void SetBorderColor(const QColor& color);
  void SetShowBorder(bool show);
  // Stretched over the background instead of the fill colour when not null.
  void SetBackgroundImage(const QPixmap& picture);
  // The list repeats without a gap and scrolling wraps.
  void SetContinuo(bool continuous);
  // Scrolling on starts the list at the bottom; off puts it at the top.
  void SetAnimate(bool animate);
  bool Animate() const { return animate_; }
  void SetInterval(int milliseconds);
  int Interval() const { return timer_.interval(); }
  // Pixels per tick and the default alignment: used from the next parse on.
  void SetStep(int pixels) { step_ = pixels; }
  int Step() const { return step_; }
  void SetAlignment(CreditAlignment alignment) { alignment_ = alignment; }

  // One timer step: the list moves up by Step, or restarts once it has
  // scrolled out.
  void Tick();

  int Offset() const { return scroll_.Offset(); }
  int TotalHeight() const { return scroll_.TotalHeight(); }
  const std::vector<CreditLine>& Lines() const { return lines_; }
  // The off-screen picture, for drawing on it from Erased and Painted.
  QPixmap& Canvas() { return canvas_; }

  QSize sizeHint() const override { return {230, 250}; }

 signals:
  // A line became visible for the first time in this pass.
  void ShowCredit(const QString& text);
  // The whole list has scrolled out at the top.
  void AfterLastCredit();
  // The background is drawn, the lines not yet.
  void Erased();
  // Lines and frame are drawn, not yet shown.
  void Painted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Parse();
  QFont LineFont(const CreditLine& line) const;
  void Redraw();
  void UpdateTimer();

  QStringList credits_;
  std::vector<CreditLine> lines_;
  std::vector<QString> shownTexts_;
  std::vector<int> widths_;
  CreditScroll scroll_;
  QFont font_;
  QColor fontColor_ = Qt::white;
  QColor backgroundColor_ = Qt::black;
  QColor borderColor_ = Qt::white;
  QPixmap backgroundImage_;
  QPixmap canvas_;
  QTimer timer_;
  CreditAlignment alignment_ = CreditAlignment::kCenter;
  int step_ = 1;
  int lastShown_ = -1;
  bool continuous_ = false;
  bool animate_ = false;
  bool showBorder_ = true;
};

}  // namespace vorla
