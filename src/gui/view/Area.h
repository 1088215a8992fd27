#pragma once
// A widget that tells when the mouse enters or leaves it: the base of the
// picture area and of the panel's hover areas.

#include <QWidget>

namespace vorla {

class TArea : public QWidget {
  Q_OBJECT

 public:
  explicit TArea(QWidget* parent = nullptr);

  // True while the mouse is over the widget; starts false.
  bool MouseInside() const { return mouseInside_; }

 signals:
  // Fires once on entering and once on leaving, never twice in a row for
  // the same crossing.
  void mouseOver(bool inside);

 protected:
  // Emits mouseOver; subclasses that react to crossings override it.
  virtual void DoMouseOver();
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  bool mouseInside_ = false;
};

}  // namespace vorla
