#include "gui/gradient/GradEditM.h"

#include <QColorDialog>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <cmath>

#include "core/gradient/GimpGradientFiles.h"
#include "gui/common/CoreColor.h"
#include "gui/common/CoreText.h"
#include "gui/common/FormUtils.h"
#include "gui/desktop/DropFiles.h"

namespace vorla {

namespace {

std::optional<QColor> AskColorDialog(const QColor& initial, QWidget* parent) {
  QColorDialog dialog(initial, parent);
  dialog.setWindowTitle(QStringLiteral("Color"));
  // Qt's own dialog always shows the custom-colour part; a native one may not.
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedColor();
}

// The first dropped file, when it is a GIMP palette or gradient.
std::optional<std::filesystem::path> DroppedGimpFile(const QMimeData* data) {
  const QStringList files = ReadDroppedFiles(data);
  if (files.isEmpty()) return std::nullopt;
  const std::filesystem::path path = files.front().toStdString();
  if (!GimpFileKindOf(path)) return std::nullopt;
  return path;
}

QPoint FloorPoint(const QPointF& pos) {
  return QPoint(static_cast<int>(std::floor(pos.x())), static_cast<int>(std::floor(pos.y())));
}

}  // namespace

TGradEditM::TGradEditM(QWidget* parent)
    : QWidget(parent), backColor_(palette().color(QPalette::Button)), chooseColor_(AskColorDialog) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setAcceptDrops(true);
  table_.OnChange = [this] { TableChanged(); };
  resize(20, GradLength(table_));
  ApplyLength();
  Compose();
}

void TGradEditM::TableChanged() {
  ApplyLength();
  Compose();
  update();
  emit changed();
}

bool TGradEditM::DeleteNode(int index) {
  if (index < 0 || index > 255 || !table_.DeleteNode(static_cast<std::uint8_t>(index))) return false;
  emit editEnded();
  return true;
}

void TGradEditM::SetHorizontal(bool horizontal) {
  if (horizontal == horizontal_) return;
  horizontal_ = horizontal;
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  resize(height(), width());
  ApplyLength();
  Compose();
  update();
}

void TGradEditM::SetBackColor(const QColor& color) {
  if (color == backColor_) return;
  backColor_ = color;
  Compose();
  update();
}

void TGradEditM::SetColorChooser(ColorChooser chooser) {
  chooseColor_ = chooser ? std::move(chooser) : ColorChooser(AskColorDialog);
}

// The length along the strip always fits the range exactly; the thickness is
// the host's choice. Unchanged constraints are left alone so that drag steps
// do not make the host's layout run.
void TGradEditM::ApplyLength() {
  const int length = GradLength(table_);
  const bool fitted = horizontal_ ? minimumWidth() == length && maximumWidth() == length
                                  : minimumHeight() == length && maximumHeight() == length;
  if (fitted) return;
  if (horizontal_) {
    setFixedWidth(length);
    setMinimumHeight(0);
    setMaximumHeight(kGradMaxThickness);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  } else {
    setFixedHeight(length);
    setMinimumWidth(0);
    setMaximumWidth(kGradMaxThickness);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  }
}

QSize TGradEditM::sizeHint() const {
  const int length = GradLength(table_);
  return horizontal_ ? QSize(length, 20) : QSize(20, length);
}

QSize TGradEditM::minimumSizeHint() const {
  const int length = GradLength(table_);
  return horizontal_ ? QSize(length, 11) : QSize(11, length);
}

void TGradEditM::Compose() {
  if (width() <= 10 || height() <= 10) {
    display_ = QImage();
    return;
  }
  const qreal ratio = devicePixelRatioF();
  display_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
  display_.setDevicePixelRatio(ratio);
  display_.fill(backColor_);

  const int count = GradCount(table_);
  const int thickness = (horizontal_ ? height() : width()) - kGradMarkerBand;
  QPainter painter(&display_);
  if (count > 0 && thickness > 0) {
    // One pixel per entry in logical units; the painter scales it to the
    // screen without smoothing, so entries stay crisp at any pixel ratio.
    QImage strip(horizontal_ ? QSize(count, thickness) : QSize(thickness, count), QImage::Format_Indexed8);
    strip.setColorTable(ToColorTable(table_.Palette()));
    for (int row = 0; row < strip.height(); ++row) {
      uchar* line = strip.scanLine(row);
      for (int column = 0; column < strip.width(); ++column)
        line[column] = static_cast<uchar>(table_.StartCol() + (horizontal_ ? column : row));
    }
    painter.drawImage(horizontal_ ? QPoint(kGradMargin, kGradMarkerBand) : QPoint(kGradMarkerBand, kGradMargin),
                      strip);
  }
  DrawMarkers(painter);
}

void TGradEditM::DrawMarkers(QPainter& painter) const {
  painter.setRenderHint(QPainter::Antialiasing, devicePixelRatioF() != 1.0);
  painter.setPen(Qt::black);
  const auto at = [this](int along, int across) {
    return horizontal_ ? QPoint(along, across) : QPoint(across, along);
  };
  for (const std::uint8_t node : table_.GetNodes()) {
    const int p = GradMarkerAlong(table_, node);
    painter.setBrush(ToQColor(table_.Colors(node)));
    const QPoint triangle[3] = {at(p - kGradMargin, 0), at(p + kGradMargin, 0), at(p, kGradMarkerBand - 1)};
    painter.drawPolygon(triangle, 3);
  }
}

void TGradEditM::paintEvent(QPaintEvent*) {
  if (!display_.isNull() && display_.devicePixelRatio() != devicePixelRatioF()) Compose();
  QPainter painter(this);
  if (display_.isNull())
    painter.fillRect(rect(), backColor_);
  else
    painter.drawImage(0, 0, display_);
}

void TGradEditM::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Compose();
  update();
}

void TGradEditM::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = FloorPoint(event->position());
  mouse_.Press(Along(pos), Across(pos));
  emit mousePressed(event->button(), event->modifiers(), pos);
}

void TGradEditM::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = FloorPoint(event->position());
  const GradMove move = mouse_.Move(Along(pos), Across(pos));
  switch (move.cursor) {
    case GradCursor::Default: unsetCursor(); break;
    case GradCursor::Hand: setCursor(Qt::PointingHandCursor); break;
    case GradCursor::UpArrow: setCursor(Qt::UpArrowCursor); break;
  }
  if (move.index) emit colorIndexHovered(*move.index, event->modifiers());
  emit mouseMoved(event->modifiers(), pos);
}

void TGradEditM::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = FloorPoint(event->position());
  const GradRelease release = mouse_.Release(Along(pos), Across(pos), event->button() == Qt::LeftButton);
  switch (release.action) {
    case GradRelease::Action::ChooseColor: ChooseColor(release.index); break;
    case GradRelease::Action::DeleteNode: DeleteNode(release.index); break;
    case GradRelease::Action::None: break;
  }
  emit mouseReleased(event->button(), event->modifiers(), pos);
  if (release.endOfDrag) emit editEnded();
}

void TGradEditM::ChooseColor(int index) {
  const auto entry = static_cast<std::uint8_t>(index);
  const std::optional<QColor> chosen = chooseColor_(ToQColor(table_.Colors(entry)), this);
  if (!chosen) return;
  table_.SetNode(entry, FromQColor(*chosen));
  emit editEnded();
}

void TGradEditM::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedGimpFile(event->mimeData())) event->acceptProposedAction();
}

// The nodes spread over the current range; a file refused leaves the gradient as it was.
void TGradEditM::dropEvent(QDropEvent* event) {
  const std::optional<std::filesystem::path> path = DroppedGimpFile(event->mimeData());
  if (!path) return;
  event->acceptProposedAction();
  std::string palString;
  try {
    palString = ReadGimpFileAsPalString(*path, table_.StartCol(), table_.EndCol());
  } catch (const GimpFileError& error) {
    AppMessageBox(this, ErrorText(error), QMessageBox::Warning);
    return;
  }
  table_.SetPalString(palString);
  emit editEnded();
}

}  // namespace vorla
