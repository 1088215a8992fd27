// The mosaic window: the tile and its caption, mirrors, dragging and
// clicking the pattern, size limits, following the picture, and copying
// with mirrors through the export dialog.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QClipboard>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "DialogTestSupport.h"
#include "TempDir.h"
#include "core/io/IniFile.h"
#include "core/gradient/GradTable.h"
#include "gui/export/frmExportar.h"
#include "gui/gradient/frmAjusCol.h"
#include "gui/mosaic/MosaicView.h"
#include "gui/mosaic/frmMozaico.h"

namespace vorla::gui_test {
namespace {

// Index 10 + x / 100 + 10 * (y / 100): one index per 100-pixel block.
Bitmap Blocks() {
  Bitmap picture(454, 415, 8);
  for (int y = 0; y < 415; ++y)
    for (int x = 0; x < 454; ++x) picture.Row(y)[x] = static_cast<std::uint8_t>(10 + x / 100 + 10 * (y / 100));
  return picture;
}

class MosaicWindowTest : public ::testing::Test {
 protected:
  MosaicWindowTest()
      : picture_(Blocks()),
        exporter_(ExportHost{[] { return QSize(454, 415); },
                             [] {
                               PlotDocument d = PlotDocument::StartUp();
                               d.Func = std::string("x*y");
                               return d;
                             },
                             [] { return Palette{}; }, [] { return QString(); }, [](const QString&) {}}),
        mosaic_(std::make_unique<TfmMozaico>(picture_, exporter_, dir_ / "vorla.ini")) {
    mosaic_->show();
    view_ = NamedChild<MosaicView>(mosaic_.get(), "MosaicView");
  }

  QToolButton* Button(const char* name) { return NamedChild<QToolButton>(mosaic_.get(), name); }

  void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
    QMouseEvent event(type, QPointF(at), view_->mapToGlobal(QPointF(at)), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(view_, &event);
  }

  // Press at (10, 10), move by (dx, dy), release there.
  void Drag(Qt::MouseButton button, int dx, int dy) {
    Mouse(QEvent::MouseButtonPress, button, {10, 10});
    Mouse(QEvent::MouseMove, button, {10 + dx, 10 + dy});
    Mouse(QEvent::MouseButtonRelease, button, {10 + dx, 10 + dy});
  }

  testing_support::TempDir dir_;
  Bitmap picture_;
  TfmExportar exporter_;
  std::unique_ptr<TfmMozaico> mosaic_;
  MosaicView* view_ = nullptr;
};

TEST_F(MosaicWindowTest, TileAndCaption) {
  EXPECT_EQ(mosaic_->windowTitle(), QStringLiteral("Mosaico (128 pixeles)"));
  EXPECT_TRUE(Button("btnHor")->isChecked() && Button("btnVer")->isChecked()) << "both mirrors down at first";
  EXPECT_EQ(view_->Tile().size(), QSize(255, 233));
  EXPECT_EQ(view_->Tile().pixelIndex(0, 0), view_->Tile().pixelIndex(254, 232)) << "edges match";

  QTest::mouseClick(Button("btnHor"), Qt::LeftButton);
  QTest::mouseClick(Button("btnVer"), Qt::LeftButton);
  EXPECT_EQ(view_->Tile().size(), QSize(128, 117)) << "the plain scaled picture";
  EXPECT_EQ(view_->Tile().pixelIndex(127, 116), 54) << "bottom-right block";
}

TEST_F(MosaicWindowTest, DragMovesThePatternAndClickResizes) {
  Drag(Qt::LeftButton, 300, 0);
  EXPECT_EQ(view_->Offset(), QPoint(45, 0)) << "300 to the right folded by the 255-pixel tile";
  EXPECT_EQ(mosaic_->TileSize(), 128) << "a drag is no click";

  struct Row { const char* name; Qt::MouseButton button; int dx; int size; };
  const Row rows[] = {
      {"left click enlarges", Qt::LeftButton, 0, 160},
      {"a pixel of movement is still a click", Qt::LeftButton, 1, 192},
      {"right click reduces", Qt::RightButton, 0, 160},
      {"a 2-pixel drag is no click", Qt::RightButton, 2, 160},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Drag(r.button, r.dx, 0);
    EXPECT_EQ(mosaic_->TileSize(), r.size);
    EXPECT_EQ(mosaic_->windowTitle(), QStringLiteral("Mosaico (%1 pixeles)").arg(r.size));
  }
}

TEST_F(MosaicWindowTest, SizeStaysWithin32And256) {
  for (int i = 0; i < 6; ++i) Drag(Qt::LeftButton, 0, 0);
  EXPECT_EQ(mosaic_->TileSize(), 256) << "the sixth left click does nothing";
  EXPECT_FALSE(Button("btnGrande")->isEnabled());
  EXPECT_EQ(view_->Tile().width(), 511);
  for (int i = 0; i < 7; ++i) QTest::mouseClick(Button("btnChico"), Qt::LeftButton);
  Drag(Qt::RightButton, 0, 0);
  EXPECT_EQ(mosaic_->TileSize(), 32) << "the right click at 32 does nothing";
  EXPECT_FALSE(Button("btnChico")->isEnabled());
  EXPECT_TRUE(Button("btnGrande")->isEnabled());
}

TEST_F(MosaicWindowTest, FollowsThePicture) {
  for (int y = 0; y < 4; ++y) std::fill_n(picture_.Row(y), 4, std::uint8_t{200});
  mosaic_->RefreshIfShown();
  EXPECT_EQ(view_->Tile().pixelIndex(0, 0), 200);
  mosaic_->StepAnimation(3);
  EXPECT_EQ(view_->Tile().pixelIndex(254, 232), 203) << "the tile steps with the animation";
  mosaic_->hide();
  mosaic_->StepAnimation(3);
  EXPECT_EQ(view_->Tile().pixelIndex(0, 0), 203) << "a hidden window is left alone";
}

TEST_F(MosaicWindowTest, CopyWithMirrorsAtFullResolution) {
  QGuiApplication::clipboard()->clear();
  QTest::mouseClick(Button("btnVer"), Qt::LeftButton);
  WhenModalIs<TfmExportar>([](TfmExportar* d) {
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Copiar"));
    EXPECT_EQ(NamedChild<QGroupBox>(d, "GroupBox2")->title(), QStringLiteral("Tamaño: (Incluye reflejos)"));
    EXPECT_EQ(NamedChild<QSpinBox>(d, "spnAncho")->value(), 908);
    EXPECT_EQ(NamedChild<QSpinBox>(d, "spnAlto")->value(), 415);
    QTest::mouseClick(NamedChild<QPushButton>(d, "Button2"), Qt::LeftButton);
  });
  QTest::mouseClick(Button("ToolButton3"), Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(907, 415));
}

TEST_F(MosaicWindowTest, PlacementKeptInTheSettingsFile) {
  mosaic_->resize(300, 200);
  mosaic_.reset();
  const IniFile ini = IniFile::Read(dir_ / "vorla.ini");
  EXPECT_EQ(ini.ReadString("PosfmMozaico", "Width", ""), "300");
}

TEST_F(MosaicWindowTest, EveryControlHasAnAccessibleName) {
  TGradTable table;
  TfmAjusCol colours(table);
  for (const QWidget* window : std::initializer_list<const QWidget*>{mosaic_.get(), &exporter_, &colours}) {
    for (const QWidget* control : window->findChildren<QWidget*>()) {
      const bool isControl = qobject_cast<const QAbstractButton*>(control) ||
                             qobject_cast<const QAbstractSlider*>(control) ||
                             qobject_cast<const QAbstractSpinBox*>(control) || qobject_cast<const MosaicView*>(control);
      // The save dialog's own controls are Qt's.
      if (!isControl || control->parentWidget()->inherits("QFileDialog") || control->window() != window) continue;
      EXPECT_FALSE(control->accessibleName().isEmpty()) << window->objectName().toStdString() << " "
                                                        << control->objectName().toStdString();
    }
  }
}

}  // namespace
}  // namespace vorla::gui_test
