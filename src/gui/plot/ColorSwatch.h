#pragma once
// A colour swatch of the properties panel: a framed field of one colour that
// asks its owner for a colour dialog when clicked, or when Space or Enter is
// pressed on it.

#include <QColor>
#include <QFrame>

namespace vorla {

class ColorSwatch : public QFrame {
  Q_OBJECT

 public:
  explicit ColorSwatch(QWidget* parent = nullptr);

  QColor Color() const { return color_; }
  void SetColor(const QColor& color);

  QSize sizeHint() const override { return {22, 18}; }

 signals:
  // On release, as the user expects a button to act.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QColor color_ = Qt::black;
};

}  // namespace vorla
