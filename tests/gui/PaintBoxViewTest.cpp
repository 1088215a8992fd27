// The picture area driven with the mouse: band reports and their order, drawing, offset, axes, previews.

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "gui/view/PaintBoxM.h"

namespace vorla {
namespace {

constexpr QRgb kFill = qRgb(40, 90, 200);
constexpr QRgb kBackground = qRgb(250, 250, 0);

std::string Text(const PixelRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// Index 1 everywhere (kFill); index 0 is the background colour.
Bitmap UniformPicture(int width, int height) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.Row(y)[x] = 1;
  picture.palette[0] = Rgb{250, 250, 0};
  picture.palette[1] = Rgb{40, 90, 200};
  picture.palette[2] = Rgb{255, 0, 0};
  return picture;
}

struct PaintBoxFixture : ::testing::Test {
  void SetUp() override {
    box.resize(100, 80);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    box.ShowPicture(UniformPicture(100, 80));
  }

  // Every signal of a drag as text, in the order they arrive.
  void Record() {
    QObject::connect(&box, &TPaintBoxM::mousePressed, &box,
                     [this](Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { events.push_back("down"); });
    QObject::connect(&box, &TPaintBoxM::mouseMoved, &box,
                     [this](Qt::MouseButtons, Qt::KeyboardModifiers, QPoint) { events.push_back("move"); });
    QObject::connect(&box, &TPaintBoxM::mouseReleased, &box,
                     [this](Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { events.push_back("up"); });
    QObject::connect(&box, &TPaintBoxM::bandMoved, &box,
                     [this](const PixelRect& oldBand, const PixelRect& newBand, Qt::MouseButtons,
                            Qt::KeyboardModifiers) { events.push_back("draw " + Text(oldBand) + " > " + Text(newBand)); });
    QObject::connect(&box, &TPaintBoxM::bandReleased, &box,
                     [this](const PixelRect& band, Qt::MouseButton button, Qt::KeyboardModifiers) {
                       events.push_back(std::string(button == Qt::LeftButton ? "left" : "right") + " up " +
                                        Text(band));
                     });
  }

  // Pixels of the shown picture that differ from the uniform fill.
  int ChangedPixels() {
    const QImage shown = box.grab().toImage();
    int changed = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) changed += (shown.pixel(x, y) & 0xFFFFFF) != (kFill & 0xFFFFFF);
    return changed;
  }

  TPaintBoxM box;
  std::vector<std::string> events;
};

// The shaping row keeps the band square, as the host's aspect lock does.
TEST_F(PaintBoxFixture, DragsReportTheBandInOrder) {
  Record();
  struct Row { const char* name; Qt::MouseButton button; QPoint press; std::vector<QPoint> moves; QPoint release;
    bool square; std::vector<std::string> expected; };
  const Row rows[] = {
      {"left drag", Qt::LeftButton, {10, 10}, {{20, 15}, {30, 40}}, {31, 41}, false,
       {"down", "move", "draw 10,10,10,10 > 10,10,20,15", "move", "draw 10,10,20,15 > 10,10,30,40", "up",
        "draw 10,10,30,40 > 10,10,31,41", "left up 10,10,31,41"}},
      {"right drag up and left keeps the press point first", Qt::RightButton, {50, 50}, {{20, 5}}, {20, 5}, false,
       {"down", "move", "draw 50,50,50,50 > 50,50,20,5", "up", "draw 50,50,20,5 > 50,50,20,5", "right up 50,50,20,5"}},
      {"click without moving", Qt::LeftButton, {7, 8}, {}, {7, 8}, false,
       {"down", "up", "draw 7,8,7,8 > 7,8,7,8", "left up 7,8,7,8"}},
      {"the reshaped band is what is kept and reported", Qt::LeftButton, {10, 10}, {{30, 15}, {40, 70}}, {40, 70}, true,
       {"down", "move", "draw 10,10,10,10 > 10,10,30,30", "move", "draw 10,10,30,30 > 10,10,40,40", "up",
        "draw 10,10,40,40 > 10,10,40,40", "left up 10,10,40,40"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.square) {
      box.SetBandShaper([](PixelRect band, Qt::MouseButtons) {
        band.bottom = band.top + (band.right - band.left);
        return band;
      });
    }
    events.clear();
    QTest::mousePress(&box, row.button, Qt::NoModifier, row.press);
    for (const QPoint& move : row.moves) QTest::mouseMove(&box, move);
    QTest::mouseRelease(&box, row.button, Qt::NoModifier, row.release);
    EXPECT_EQ(events, row.expected);
  }
}

TEST_F(PaintBoxFixture, BandIsDrawnOnlyForItsButtons) {
  box.SetDrawRectRight(false);
  struct Row { const char* name; Qt::MouseButton button; bool drawn; };
  const Row rows[] = {{"left button draws the band", Qt::LeftButton, true},
                      {"right button with its band off draws nothing", Qt::RightButton, false},
                      {"middle button draws nothing by default", Qt::MiddleButton, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QSignalSpy reports(&box, &TPaintBoxM::bandReleased);
    QTest::mousePress(&box, row.button, Qt::NoModifier, {10, 10});
    QTest::mouseMove(&box, {60, 50});
    EXPECT_EQ(ChangedPixels() > 0, row.drawn);
    QTest::mouseRelease(&box, row.button, Qt::NoModifier, {60, 50});
    EXPECT_EQ(ChangedPixels(), 0) << "the band is gone after release";
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0][1].value<Qt::MouseButton>(), row.button);
  }
}

TEST_F(PaintBoxFixture, CrossingsFireOncePerChange) {
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&box, &leave);  // wherever the platform put the pointer
  QSignalSpy crossings(&box, &TPaintBoxM::mouseOver);
  QCoreApplication::sendEvent(&box, &enter);
  QCoreApplication::sendEvent(&box, &enter);
  EXPECT_TRUE(box.MouseInside());
  QCoreApplication::sendEvent(&box, &leave);
  QCoreApplication::sendEvent(&box, &leave);
  EXPECT_FALSE(box.MouseInside());
  ASSERT_EQ(crossings.size(), 2);
  EXPECT_TRUE(crossings[0][0].toBool());
  EXPECT_FALSE(crossings[1][0].toBool());
}

TEST_F(PaintBoxFixture, PaletteChangesKeepTheIndices) {
  EXPECT_EQ(box.Picture().format(), QImage::Format_Indexed8);
  EXPECT_EQ(box.grab().toImage().pixel(50, 40), kFill);
  Palette palette{};
  palette[1] = Rgb{1, 2, 3};
  box.ShowPalette(palette);
  EXPECT_EQ(box.Picture().pixelIndex(50, 40), 1);
  EXPECT_EQ(box.grab().toImage().pixel(50, 40), qRgb(1, 2, 3));
}

TEST_F(PaintBoxFixture, DragOffsetMovesThePictureOverTheBackground) {
  box.SetDragOffset({5, -3});
  const QImage shown = box.grab().toImage();
  EXPECT_EQ(shown.pixel(4, 10), kBackground);
  EXPECT_EQ(shown.pixel(5, 10), kFill);
  EXPECT_EQ(shown.pixel(50, 76), kFill);
  EXPECT_EQ(shown.pixel(50, 77), kBackground);
  box.SetDragOffset({0, 0});
  EXPECT_EQ(ChangedPixels(), 0);
}

TEST_F(PaintBoxFixture, AxesInvertThePictureBeneath) {
  box.Scale().SetScale(-1, 1, 1, -1);  // origin at column 50, row 40
  box.SetShowAxes(true);
  const QImage shown = box.grab().toImage();
  const QRgb inverted = (~kFill & 0xFFFFFF) | 0xFF000000;
  EXPECT_EQ(shown.pixel(50, 70), inverted) << "vertical axis";
  EXPECT_EQ(shown.pixel(90, 40), inverted) << "horizontal axis";
  EXPECT_EQ(shown.pixel(50, 40), inverted) << "the crossing is inverted once, not twice";
  EXPECT_EQ(shown.pixel(88, 70), kFill) << "away from axes and labels";
  box.SetShowAxes(false);
  EXPECT_EQ(ChangedPixels(), 0);
}

// A label right of the vertical axis keeps a gap after its tick: the minus
// sign of a negative value would otherwise continue the tick's line.
TEST_F(PaintBoxFixture, NegativeLabelsStandApartFromTheirTicks) {
  // The vertical axis at column 20, labels on its right; ticks every 2, -4 at row 24 and 4 at row 56.
  box.Scale().SetScale(-4, -10, 16, 10);
  box.SetShowAxes(true);
  const QImage shown = box.grab().toImage();
  const int axis = 20;
  for (int row : {24, 56}) {
    SCOPED_TRACE(row);
    const QRgb inverted = (~kFill & 0xFFFFFF) | 0xFF000000;
    ASSERT_EQ(shown.pixel(axis + 2, row), inverted) << "the tick reaches two pixels right of the axis";
    for (int y = row - 1; y <= row + 1; ++y) EXPECT_EQ(shown.pixel(axis + 3, y), kFill) << "row " << y;
  }
  box.SetShowAxes(false);
}

TEST_F(PaintBoxFixture, ZoomPreviewStretchesTheBandAndMirrorsReversedBands) {
  struct Row { const char* name; PixelRect band; QRgb topLeft, bottomRight; };
  // Left half index 1 (kFill), right half index 2 (red).
  const Row rows[] = {
      {"left half fills the area", {0, 0, 50, 80}, kFill, kFill},
      {"band across the halves", {40, 0, 60, 80}, kFill, qRgb(255, 0, 0)},
      {"band dragged leftwards is mirrored", {60, 0, 40, 80}, qRgb(255, 0, 0), kFill},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Bitmap picture = UniformPicture(100, 80);
    for (int y = 0; y < 80; ++y)
      for (int x = 50; x < 100; ++x) picture.Row(y)[x] = 2;
    box.ShowPicture(picture);
    box.PreviewZoom(row.band);
    const QImage shown = box.grab().toImage();
    EXPECT_EQ(shown.pixel(1, 1), row.topLeft);
    EXPECT_EQ(shown.pixel(98, 78), row.bottomRight);
  }
}

TEST_F(PaintBoxFixture, ResizeKeepsUnitsPerPixelWithTheAspectKept) {
  box.Scale().SetKeepScaleAspect(true);
  box.Scale().SetScale(0, 0, 100, 80);
  QSignalSpy resizes(&box, &TPaintBoxM::resized);
  box.resize(110, 80);
  ASSERT_EQ(resizes.size(), 1);
  EXPECT_DOUBLE_EQ(box.Scale().ScaleLeft(), -5);
  EXPECT_DOUBLE_EQ(box.Scale().ScaleRight(), 105);
  EXPECT_DOUBLE_EQ(box.Scale().UnitsPerPixelX(), 1);
  // The old picture is shown stretched until the new one is calculated.
  EXPECT_EQ(box.grab().toImage().pixel(108, 40), kFill);
}

}  // namespace
}  // namespace vorla
