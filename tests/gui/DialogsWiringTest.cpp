// The main window's dialogs: copying what the screen shows, the mosaic
// following the picture, and the colour adjustment recolouring live and
// leaving one undo step.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QPushButton>
#include <QSlider>

#include <functional>

#include "DialogTestSupport.h"
#include "MainWindowFixture.h"
#include "gui/export/frmExportar.h"
#include "gui/gradient/frmAjusCol.h"
#include "gui/mosaic/MosaicView.h"
#include "gui/mosaic/frmMozaico.h"
#include "gui/view/PaintBoxM.h"

namespace vorla::gui_test {
namespace {

using DialogsWiringTest = FVorlaTest;

TEST_F(DialogsWiringTest, CopyIsThePictureCalculatedAnew) {
  TypeInCombo("ComboBox1", QStringLiteral("Sen(x*y)"));  // no start-up text over the picture
  struct Row { const char* name; std::function<void()> prepare; };
  const Row rows[] = {{"the typed view", [] {}}, {"a view zoomed with the mouse", [this] { ZoomToAnOffCentreBand(); }}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    r.prepare();
    QGuiApplication::clipboard()->clear();
    const int calculations = window_->CalculationCount();
    WhenModalIs<TfmExportar>(
        [](TfmExportar* d) { QTest::mouseClick(NamedChild<QPushButton>(d, "Button2"), Qt::LeftButton); });
    QTest::mouseClick(Child<QToolButton>("tbCopiar"), Qt::LeftButton);
    const QImage copied = QGuiApplication::clipboard()->image();
    const QImage shown = window_->Picture();
    ASSERT_EQ(copied.size(), pb_->size());
    int differing = 0;
    for (int y = 0; y < shown.height(); y += 7)
      for (int x = 0; x < shown.width(); x += 5) differing += copied.pixel(x, y) != shown.pixel(x, y);
    EXPECT_EQ(differing, 0) << "the same view, palette and size as the screen";
    EXPECT_EQ(window_->CalculationCount(), calculations) << "the window's own picture is not recalculated";
  }
}

TEST_F(DialogsWiringTest, MosaicFollowsThePicture) {
  QTest::mouseClick(Child<QToolButton>("tbMozaico"), Qt::LeftButton);
  auto* mosaic = Child<TfmMozaico>("fmMozaico");
  ASSERT_TRUE(mosaic->isVisible());
  const QImage before = NamedChild<MosaicView>(mosaic, "MosaicView")->Tile();
  EXPECT_EQ(before.width(), 255);
  TypeInCombo("ComboBox1", QStringLiteral("x*y*3"));
  EXPECT_NE(NamedChild<MosaicView>(mosaic, "MosaicView")->Tile(), before) << "rebuilt after the calculation";
  mosaic->close();
}

TEST_F(DialogsWiringTest, ColourAdjustmentIsLiveAndOneUndoStep) {
  const int calculations = window_->CalculationCount();
  const int undoSteps = window_->UndoCount();
  const QList<QRgb> colours = window_->Picture().colorTable();
  struct Row { const char* name; const char* button; int undoSteps; bool changed; };
  const Row rows[] = {{"Cancelar puts the colours back", "Button1", undoSteps, false},
                      {"Aceptar keeps them as one step", "Button2", undoSteps + 1, true}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    WhenModalIs<TfmAjusCol>([this, &r, &colours](TfmAjusCol* d) {
      NamedChild<QSlider>(d, "trkL")->setValue(40);
      NamedChild<QSlider>(d, "trkL")->setValue(50);
      EXPECT_NE(window_->Picture().colorTable(), colours) << "the picture recolours while the slider moves";
      QTest::mouseClick(NamedChild<QPushButton>(d, r.button), Qt::LeftButton);
    });
    QTest::mouseClick(Child<QToolButton>("tbAjustarColor"), Qt::LeftButton);
    EXPECT_EQ(window_->UndoCount(), r.undoSteps);
    EXPECT_EQ(window_->Picture().colorTable() != colours, r.changed);
  }
  EXPECT_EQ(window_->CalculationCount(), calculations) << "colours change through the palette only";
}

}  // namespace
}  // namespace vorla::gui_test
