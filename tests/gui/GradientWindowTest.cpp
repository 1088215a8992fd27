// The gradient editor and library in the main window: palette swaps without
// recalculation, undo of an edit, the status readout and a library round trip.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "gui/gradient/GradEditM.h"
#include "MainWindowFixture.h"

namespace vorla {
namespace {

// The start-up gradient has nodes at 55, 102, 150 and 213 of the range
// 4..255; in the upright editor the marker of entry e sits at y = e.
constexpr int kMarkerX = 3;
constexpr int kStripX = 12;

QByteArray Indices(const QImage& picture) {
  QByteArray bytes;
  for (int y = 0; y < picture.height(); ++y)
    bytes.append(reinterpret_cast<const char*>(picture.constScanLine(y)), picture.width());
  return bytes;
}

class GradientWindowTest : public gui_test::MainWindowTest {
 protected:
  void SetUp() override { Open(); }

  void Open() {
    OpenWindow(420, 360);
    StopAnimation();
    editor_ = Child<TGradEditM>("GradEdit1");
  }

  TGradEditM* editor_ = nullptr;
};

TEST_F(GradientWindowTest, DraggingANodeRecoloursThePictureAtEveryStepAndUndoes) {
  const QImage before = window_->Picture();
  const std::string gradient = editor_->Table().PalString();
  const int calculations = window_->CalculationCount();
  const int undoSteps = window_->UndoCount();
  std::vector<QList<QRgb>> steps;
  QObject::connect(editor_, &TGradEditM::changed, editor_,
                   [this, &steps] { steps.push_back(window_->Picture().colorTable()); });

  QTest::mousePress(editor_, Qt::LeftButton, {}, {kMarkerX, 102});
  for (int y = 105; y <= 130; y += 5) QTest::mouseMove(editor_, {kMarkerX, y});
  QTest::mouseRelease(editor_, Qt::LeftButton, {}, {kMarkerX, 130});

  ASSERT_EQ(steps.size(), 6u);
  QList<QRgb> previous = before.colorTable();
  for (const QList<QRgb>& step : steps) {
    EXPECT_NE(step, previous);
    previous = step;
  }
  const QImage after = window_->Picture();
  EXPECT_EQ(after.colorTable(), steps.back());
  EXPECT_EQ(Indices(after), Indices(before));
  EXPECT_EQ(window_->CalculationCount(), calculations);
  EXPECT_EQ(window_->UndoCount(), undoSteps + 1);

  window_->Undo();
  EXPECT_EQ(editor_->Table().PalString(), gradient);
  EXPECT_EQ(window_->Picture().colorTable(), before.colorTable());
}

struct ReadoutRow { const char* name; int y; const char* status; };

TEST_F(GradientWindowTest, HoverOverTheEditorShowsTheValueOfTheEntry) {
  const ReadoutRow rows[] = {
      {"entry 4 lies two levels below zmin", 4, "x=0 y=0 z=-3.19206 [min=-3.14159, max=3.14159]"},
      {"entry 6 is painted at zmin", 6, "x=0 y=0 z=-3.14159 [min=-3.14159, max=3.14159]"},
      {"entry 255 is painted at zmax", 255, "x=0 y=0 z=3.14159 [min=-3.14159, max=3.14159]"},
  };
  for (const ReadoutRow& row : rows) {
    SCOPED_TRACE(row.name);
    QTest::mouseMove(editor_, {kStripX, row.y});
    EXPECT_EQ(Child<QLabel>("status")->text(), QString::fromLatin1(row.status));
  }
}

TEST_F(GradientWindowTest, LibraryKeepsAGradientAcrossARestart) {
  constexpr char kSaved[] = "0400000080FF0000";
  auto* list = Child<QComboBox>("ComboBox2");
  list->lineEdit()->setText(QStringLiteral("Prueba"));
  editor_->Table().SetPalString(kSaved);
  QTest::mouseClick(Child<QToolButton>("cmdGuardarPal"), Qt::LeftButton);

  window_.reset();
  Open();
  list = Child<QComboBox>("ComboBox2");
  const int saved = list->findText(QStringLiteral("Prueba"));
  ASSERT_GE(saved, 0);
  EXPECT_NE(editor_->Table().PalString(), kSaved);
  const int calculations = window_->CalculationCount();
  list->setCurrentIndex(saved);
  EXPECT_EQ(editor_->Table().PalString(), kSaved);
  EXPECT_EQ(window_->Picture().colorTable().at(128), qRgb(0, 0, 255));
  EXPECT_EQ(window_->CalculationCount(), calculations);
}

}  // namespace
}  // namespace vorla
