// The properties panel as it is seen: colour swatches that show any colour
// against the panel, and controls that neither overlap nor get cut off.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolBar>

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

struct SwatchRow { const char* name; QColor color; };

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

// size: clamped to the window's minimum
struct SizeRow { const char* name; QSize size; };

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

// The upright strip shows the first entries (the colours at Zmin) at its top.
TEST_F(PanelLayoutTest, ScaleControlsSitAtTheirEndsOfTheStrip) {
  OpenWindow(627, 495);
  auto* panel = Child<QWidget>("pnlPropiedades");
  const auto top = [panel](QWidget* widget) { return widget->mapTo(panel, QPoint(0, 0)).y(); };
  auto* strip = Child<QWidget>("GradEdit1");
  const int middle = top(strip) + strip->height() / 2;
  for (const char* name : {"txtZmin", "chkBucleMin"}) EXPECT_LT(top(Child<QWidget>(name)), middle) << name;
  for (const char* name : {"txtZmax", "chkBucleMax"}) EXPECT_GT(top(Child<QWidget>(name)), middle) << name;
}

QString AccessibleName(QWidget* widget) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  return face != nullptr ? face->text(QAccessible::Name) : QString();
}

TEST_F(PanelLayoutTest, EveryControlHasAnAccessibleName) {
  OpenWindow(627, 495);
  const std::pair<const char*, const char*> named[] = {
      {"tbExportar", "Exportar"},
      {"cmdAbrir", "Abrir Archivo de disco"},
      {"tbAnimar", "Activa/Desactiva animación"},
      {"ComboBox1", "Función principal"},
      {"txtYmin", "Y arriba"},
      {"txtXmax", "X derecha"},
      {"ColFon", "Color de Fondo"},
      {"cmdGuardarPal", "Agregar"},
  };
  for (const auto& [name, expected] : named) {
    QWidget* control = Child<QWidget>(name);
    // Editable combo boxes are read out by their text and named through their edit.
    if (auto* combo = qobject_cast<QComboBox*>(control)) control = combo->lineEdit();
    EXPECT_EQ(AccessibleName(control), QString::fromUtf8(expected)) << name;
  }

  QList<QWidget*> controls = Child<QToolBar>("ToolBar1")->findChildren<QWidget*>();
  controls += Child<QWidget>("pnlPropiedades")->findChildren<QWidget*>();
  int checked = 0;
  for (QWidget* control : controls) {
    const bool isControl = qobject_cast<QAbstractButton*>(control) != nullptr ||
                           (qobject_cast<QLineEdit*>(control) != nullptr &&
                            qobject_cast<QSpinBox*>(control->parentWidget()) == nullptr) ||
                           qobject_cast<QSpinBox*>(control) != nullptr || control->objectName() == "GradEdit1";
    if (!isControl || control->objectName() == "qt_toolbar_ext_button") continue;
    ++checked;
    EXPECT_FALSE(AccessibleName(control).isEmpty())
        << control->metaObject()->className() << " " << control->objectName().toStdString();
  }
  EXPECT_GT(checked, 30);
}

}  // namespace
}  // namespace vorla
