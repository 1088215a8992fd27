#pragma once
// A one-line label that ends its text with "..." where the text does not fit
// and then offers the whole text as its tool tip; text() stays whole.

#include <QLabel>

namespace vorla {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // Sets the text, and the tool tip when the text does not fit.
  void SetLine(const QString& text);

  QSize minimumSizeHint() const override;
  // The text as painted.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FollowText();
};

}  // namespace vorla
