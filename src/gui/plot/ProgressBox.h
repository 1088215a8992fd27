#pragma once
// The small progress box of the status bar, filled as the calculation
// service reports rows done.

#include <QWidget>

namespace vorla {

class ProgressBox : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressBox(QWidget* parent = nullptr);

  int Percent() const { return percent_; }
  // Fills the box up to percent (0..100).
  void SetPercent(int percent);

  QSize sizeHint() const override { return {100, 11}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int percent_ = 0;
};

}  // namespace vorla
