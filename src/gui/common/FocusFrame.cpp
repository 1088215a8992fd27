#include "gui/common/FocusFrame.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace vorla {
namespace {

// A child drawn over its parent's picture; it follows the parent's size and
// focus, and lets every mouse event through.
class FocusFrame : public QWidget {
 public:
  explicit FocusFrame(QWidget& control) : QWidget(&control) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    control.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parentWidget()) {
      switch (event->type()) {
        case QEvent::FocusIn:
          setGeometry(parentWidget()->rect());
          show();
          raise();
          break;
        case QEvent::FocusOut: hide(); break;
        case QEvent::Resize: setGeometry(parentWidget()->rect()); break;
        default: break;
      }
    }
    return QWidget::eventFilter(watched, event);
  }

  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    // Exclusive or keeps the frame visible over every colour of the picture.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 2, Qt::DotLine));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
  }
};

}  // namespace

void AddFocusFrame(QWidget& control) {
  control.setFocusPolicy(Qt::TabFocus);
  new FocusFrame(control);
}

}  // namespace vorla
