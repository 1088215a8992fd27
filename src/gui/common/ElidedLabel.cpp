#include "gui/common/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace vorla {

QSize ElidedLabel::minimumSizeHint() const { return QSize(1, QLabel::minimumSizeHint().height()); }

QString ElidedLabel::ShownText() const {
  const int room = contentsRect().width() - 2 * margin();
  return fontMetrics().elidedText(text(), Qt::ElideRight, room);
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(), ShownText(),
                        foregroundRole());
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  FollowText();
}

void ElidedLabel::SetLine(const QString& text) {
  setText(text);
  FollowText();
}

void ElidedLabel::FollowText() { setToolTip(ShownText() != text() ? text() : QString()); }

}  // namespace vorla
