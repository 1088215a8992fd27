#pragma once
// The gradient editor control: a strip of the gradient, one pixel per table
// entry, with a triangular marker beside each node. Drag a marker to move its
// node, drag the strip to rotate the gradient, left-click to recolour a node
// or add one, click a marker with another button to delete its node. A GIMP
// palette or gradient dropped on it becomes its gradient.

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "core/gradient/GradTable.h"
#include "gui/gradient/GradEditMouse.h"

class QPainter;

namespace vorla {

class TGradEditM : public QWidget {
  Q_OBJECT

 public:
  // Answers the colour question of a left click; nullopt means cancelled.
  using ColorChooser = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

  explicit TGradEditM(QWidget* parent = nullptr);

  // The gradient this control owns. Every change made through it (range,
  // palette string, nodes, colours, rotation) repaints the control and fires
  // changed, as edits made with the mouse do.
  TGradTable& Table() { return table_; }
  const TGradTable& Table() const { return table_; }

  // DeleteNode of the table that also reports a finished edit when it deletes.
  bool DeleteNode(int index);

  bool Horizontal() const { return horizontal_; }
  // Turning the strip swaps the control's width and height.
  void SetHorizontal(bool horizontal);

  QColor BackColor() const { return backColor_; }
  void SetBackColor(const QColor& color);

  // Tests and hosts may answer the colour question themselves; the default
  // opens the full colour dialog preset with the entry's colour.
  void SetColorChooser(ColorChooser chooser);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // The composed look, as painting copies it to the screen.
  const QImage& Picture() const { return display_; }

 signals:
  void changed();
  void editEnded();
  void colorIndexHovered(int index, Qt::KeyboardModifiers shift);
  // The plain mouse events, fired after the editor has acted on them, so a
  // host sees colorIndexHovered before mouseMoved and mouseReleased before the
  // editEnded that closes a drag.
  void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);
  void mouseMoved(Qt::KeyboardModifiers shift, QPoint pos);
  void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void TableChanged();
  void ApplyLength();
  void Compose();
  void DrawMarkers(QPainter& painter) const;
  int Along(QPoint pos) const { return horizontal_ ? pos.x() : pos.y(); }
  int Across(QPoint pos) const { return horizontal_ ? pos.y() : pos.x(); }
  void ChooseColor(int index);

  TGradTable table_;
  GradEditMouse mouse_{table_};
  bool horizontal_ = false;
  QColor backColor_;
  ColorChooser chooseColor_;
  QImage display_;  // the whole look at the screen's pixel ratio
};

}  // namespace vorla
