// The shaded hover areas, the formula window's size and place, and the spy
// spheres showing the current formula while the mouse rests on them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPicture>
#include <QScreen>

#include "MainWindowFixture.h"
#include "gui/view/AreaFondo.h"
#include "gui/view/frmNatural.h"

namespace vorla {
namespace {

QPicture PictureOf(QSize size) {
  QPicture picture;
  QPainter painter(&picture);
  painter.drawLine(0, 0, size.width(), size.height());
  painter.end();
  picture.setBoundingRect(QRect(QPoint(0, 0), size));
  return picture;
}

TEST(AreaFondoTest, ShadesFromTheLightColourToTheSecond) {
  struct Row { const char* name; TEstiloFondo estilo; int posicion; QPoint lit, dark; };
  const Row rows[] = {
      {"sphere lit at three tenths", TEstiloFondo::efEsfera, 3, {3, 8}, {0, 0}},
      {"cylinder lit on its top edge", TEstiloFondo::efCilindroHor, 0, {5, 0}, {5, 25}},
      {"cylinder lit down the middle", TEstiloFondo::efCilindroVer, 5, {4, 13}, {9, 13}},
      {"bands from left to right", TEstiloFondo::efGradienteVer, 3, {0, 13}, {9, 13}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TAreaFondo area;
    area.resize(10, 26);
    area.SetEstilo(row.estilo);
    area.SetPosicion(row.posicion);
    area.SetColor2(Qt::black);
    const QImage image = area.grab().toImage();
    // The first band of a ramp is one step away from its start colour.
    EXPECT_GT(qGray(image.pixel(row.lit)), 220);
    EXPECT_EQ(qGray(image.pixel(row.dark)), 0);
  }
}

TEST(FormulaWindowTest, ShowsAPictureAtItsOwnSizeCentredOnTheScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  struct Row { const char* name; QSize picture; QSize client; };
  const Row rows[] = {
      {"natural size", {300, 80}, {300, 80}},
      {"wider than the screen keeps its aspect", {2 * screen.width(), 100}, {screen.width(), 50}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TfmNatural window;
    const QPicture picture = PictureOf(row.picture);
    window.ShowGraphic(&picture);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.size(), row.client);
    EXPECT_EQ(window.frameGeometry().center(), screen.center());
  }
  TfmNatural window;
  window.ShowGraphic(nullptr);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "Espiar");
  // The window system leaves the focus with the main window.
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
  EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
}

void Enter(QWidget& widget) {
  QEnterEvent event(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
  QApplication::sendEvent(&widget, &event);
}

void Leave(QWidget& widget) {
  QEvent event(QEvent::Leave);
  QApplication::sendEvent(&widget, &event);
}

class MainWindowSpyTest : public gui_test::MainWindowTest {
 protected:
  void SetUp() override { OpenWindow(380, 330); }
  TfmNatural* Window() { return Child<TfmNatural>("fmNatural"); }
};

TEST_F(MainWindowSpyTest, SpheresShowTheFieldsFormulasAndFollowTheirChanges) {
  struct Row { const char* sphere; const char* hint; };
  const Row rows[] = {{"AreaFondo1", "Espiar función principal"},
                      {"AreaFondo2", "Espiar rango mínimo de Z"},
                      {"AreaFondo3", "Espiar rango máximo de Z"}};
  std::vector<const QPicture*> shown;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.sphere);
    TAreaFondo* sphere = Child<TAreaFondo>(row.sphere);
    ASSERT_NE(sphere, nullptr);
    EXPECT_EQ(sphere->accessibleName(), QString::fromUtf8(row.hint));
    EXPECT_EQ(sphere->Estilo(), TEstiloFondo::efEsfera);
    const QColor unlit = sphere->Color2();
    Enter(*sphere);
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_EQ(sphere->Color2(), sphere->palette().color(QPalette::Highlight));
    shown.push_back(Window()->Graphic());
    Leave(*sphere);
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_EQ(sphere->Color2(), unlit);
  }
  EXPECT_NE(shown[0], shown[1]);
  EXPECT_NE(shown[1], shown[2]);
  const int lineHeight = shown[0]->boundingRect().height();
  EXPECT_GT(shown[0]->boundingRect().width(), 4);

  Enter(*Child<TAreaFondo>("AreaFondo1"));
  EXPECT_EQ(Window()->Graphic(), shown[0]) << "the kept picture is shown again";
  // A change while the mouse rests on the sphere shows the new formula at once.
  QComboBox* func = Child<QComboBox>("ComboBox1");
  func->lineEdit()->selectAll();
  QTest::keyClick(func, Qt::Key_Delete);
  QTest::keyClicks(func, QStringLiteral("x/(y+1)"));
  QTest::keyClick(func, Qt::Key_Return);
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_GT(Window()->Graphic()->boundingRect().height(), lineHeight * 3 / 2) << "the new function, stacked";
  // Forty nested differences would be a picture of gigapixels: nothing is shown.
  func->lineEdit()->selectAll();
  QTest::keyClick(func, Qt::Key_Delete);
  QTest::keyClicks(func, QStringLiteral("x-(").repeated(40) + QStringLiteral("x") + QString(40, QLatin1Char(')')));
  QTest::keyClick(func, Qt::Key_Return);
  EXPECT_FALSE(Window()->isVisible());
}

}  // namespace
}  // namespace vorla
