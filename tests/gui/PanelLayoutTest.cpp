// The properties panel as it is seen: colour swatches that show any colour
// against the panel, and controls that neither overlap nor get cut off.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "gui/plot/ColorSwatch.h"
#include "MainWindowFixture.h"

namespace vorla {
namespace {

int Distance(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

struct SwatchRow {
  const char* name;
  QColor color;
};

TEST(ColorSwatchTest, FrameStandsOutFromThePanelAndFromTheColour) {
  QWidget panel;
  const QRgb background = panel.palette().color(QPalette::Window).rgb();
  const SwatchRow rows[] = {
      {"white", Qt::white},
      {"black", Qt::black},
      {"the panel's own colour", QColor(background)},
      {"dark grey", QColor(64, 64, 64)},
  };
  for (const SwatchRow& row : rows) {
    SCOPED_TRACE(row.name);
    ColorSwatch swatch(&panel);
    swatch.SetColor(row.color);
    const QImage image = swatch.grab().toImage();
    const int w = image.width(), h = image.height();
    const QRgb fill = image.pixel(w / 2, h / 2);
    EXPECT_EQ(fill, row.color.rgb());
    // The outermost and the next pixel inwards at the middle of each side.
    const std::pair<QPoint, QPoint> sides[] = {{QPoint(0, h / 2), QPoint(1, h / 2)},
                                               {QPoint(w - 1, h / 2), QPoint(w - 2, h / 2)},
                                               {QPoint(w / 2, 0), QPoint(w / 2, 1)},
                                               {QPoint(w / 2, h - 1), QPoint(w / 2, h - 2)}};
    for (const auto& [outerPoint, innerPoint] : sides) {
      const QRgb outer = image.pixel(outerPoint);
      const QRgb inner = image.pixel(innerPoint);
      EXPECT_GT(Distance(outer, background), 150) << "the outline is seen on the panel at " << outerPoint.x() << ","
                                                  << outerPoint.y();
      EXPECT_GT(std::max(Distance(outer, fill), Distance(inner, fill)), 150)
          << "the colour is seen inside the frame at " << outerPoint.x() << "," << outerPoint.y();
    }
  }
}

struct SizeRow {
  const char* name;
  QSize size;  // clamped to the window's minimum
};

// Direct children of the panel, in panel coordinates.
std::vector<std::pair<QWidget*, QRect>> VisibleControls(QWidget* panel) {
  std::vector<std::pair<QWidget*, QRect>> controls;
  for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->isVisible()) controls.emplace_back(child, child->geometry());
  return controls;
}

using PanelLayoutTest = gui_test::MainWindowTest;

TEST_F(PanelLayoutTest, ControlsStayInsideApartAndReadable) {
  OpenWindow(627, 495);
  auto* panel = Child<QWidget>("pnlPropiedades");
  ASSERT_NE(panel, nullptr);
  const SizeRow rows[] = {
      {"design size", QSize(627, 495)},
      {"smallest size", QSize(1, 1)},
      {"wide and short", QSize(1200, 1)},
  };
  for (const SizeRow& row : rows) {
    SCOPED_TRACE(row.name);
    window_->resize(row.size);
    QApplication::processEvents();
    const auto controls = VisibleControls(panel);
    ASSERT_GT(controls.size(), 20u);
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const auto& [widget, rect] = controls[i];
      const QString name = widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                          : widget->objectName();
      EXPECT_TRUE(panel->rect().contains(rect)) << name.toStdString() << " sticks out of the panel";
      if (auto* label = qobject_cast<QLabel*>(widget)) {
        EXPECT_GE(rect.width(), label->sizeHint().width()) << label->text().toStdString() << " is cut off";
      }
      for (std::size_t j = i + 1; j < controls.size(); ++j)
        EXPECT_FALSE(rect.intersects(controls[j].second))
            << name.toStdString() << " overlaps " << controls[j].first->objectName().toStdString();
    }
  }
}

}  // namespace
}  // namespace vorla
