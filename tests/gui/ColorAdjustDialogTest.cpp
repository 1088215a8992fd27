// The colour adjustment dialog: live shifts on both pages from the saved
// colours, "Cancelar" and Esc restoring every entry, "Aceptar" keeping them
// as one finished edit.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "DialogTestSupport.h"
#include "core/gradient/GradTable.h"
#include "gui/gradient/frmAjusCol.h"

namespace vorla::gui_test {
namespace {

class ColorAdjustDialogTest : public ::testing::Test {
 protected:
  // Range 4..255 with a black node at 4 and a pure red one at 100; the fixed
  // entries 0..3 hold white, red, green and blue.
  ColorAdjustDialogTest() : dialog_(table_) {
    table_.SetStartCol(4);
    table_.SetPalString("04000000640000FF");
    const TColor fixed[] = {0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000};
    for (std::uint8_t i = 0; i < 4; ++i) table_.SetColors(i, fixed[i]);
    table_.OnChange = [this] { ++notices_; };
    original_ = table_.Palette();
    dialog_.show();
    notices_ = 0;
  }

  QSlider* Slider(const char* name) { return NamedChild<QSlider>(&dialog_, name); }
  void ShowPage(const char* name) {
    auto* pages = NamedChild<QTabWidget>(&dialog_, "PageControl1");
    pages->setCurrentWidget(NamedChild<QWidget>(&dialog_, name));
  }
  Rgb Entry(int i) const { return ToRgb(table_.Colors(static_cast<std::uint8_t>(i))); }

  TGradTable table_;
  Palette original_{};
  int notices_ = 0;
  TfmAjusCol dialog_;
};

TEST_F(ColorAdjustDialogTest, RgbPageShiftsEveryEntry) {
  ShowPage("TabSheet1");
  Slider("trkR")->setValue(128);
  EXPECT_EQ(Entry(4).red, 128) << "+128 on 0";
  EXPECT_EQ(Entry(1).red, 255) << "+128 on 255, outside the range";
  EXPECT_EQ(Entry(0).green, 255) << "other channels kept";
  EXPECT_EQ(notices_, 1) << "the picture recolours once per movement";
  Slider("trkR")->setValue(-128);
  EXPECT_EQ(Entry(1).red, 127) << "-128 on 255, from the saved colour";
  Slider("trkR")->setValue(0);
  EXPECT_EQ(table_.Palette(), original_) << "back to 0 restores exactly";
}

TEST_F(ColorAdjustDialogTest, HslPageShiftsTheNodes) {
  EXPECT_EQ(NamedChild<QTabWidget>(&dialog_, "PageControl1")->currentWidget()->objectName(),
            QStringLiteral("TabSheet2")) << "HSL shown first";
  struct Row { const char* name; const char* slider; int position; Rgb node100; const char* label; };
  const Row rows[] = {
      {"hue +50 turns red cyan", "trkH", 50, {0, 255, 255}, "Tinte: 50%"},
      {"saturation -100 turns red grey", "trkS", -100, {128, 128, 128}, "Saturación: -100%"},
      {"lightness +100 turns it white", "trkL", 100, {255, 255, 255}, "Luminancia: 100%"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Slider(r.slider)->setValue(r.position);
    EXPECT_EQ(Entry(100), r.node100);
    EXPECT_EQ(Entry(1), (Rgb{255, 0, 0})) << "slots outside the range untouched";
    const QStringList labels = [this] {
      QStringList texts;
      for (const QLabel* label : dialog_.findChildren<QLabel*>()) texts << label->text();
      return texts;
    }();
    EXPECT_TRUE(labels.contains(QString::fromUtf8(r.label))) << labels.join(u'|').toStdString();
    Slider(r.slider)->setValue(0);
    EXPECT_EQ(table_.Palette(), original_);
  }
}

TEST_F(ColorAdjustDialogTest, CancelRestoresAllEntries) {
  QSignalSpy adjusted(&dialog_, &TfmAjusCol::ColorsAdjusted);
  ShowPage("TabSheet1");
  Slider("trkA")->setValue(200);
  ShowPage("TabSheet2");
  Slider("trkS")->setValue(-60);
  ASSERT_NE(table_.Palette(), original_);
  QTest::mouseClick(NamedChild<QPushButton>(&dialog_, "Button1"), Qt::LeftButton);
  EXPECT_EQ(table_.Palette(), original_) << "the slots outside the range included";
  EXPECT_TRUE(table_.IsNode(100));
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_EQ(adjusted.count(), 0);

  dialog_.show();
  Slider("trkH")->setValue(20);
  QTest::keyClick(&dialog_, Qt::Key_Escape);
  EXPECT_EQ(table_.Palette(), original_) << "Esc cancels";
}

TEST_F(ColorAdjustDialogTest, AcceptKeepsTheColoursAsOneEdit) {
  QSignalSpy adjusted(&dialog_, &TfmAjusCol::ColorsAdjusted);
  QTest::mouseClick(NamedChild<QPushButton>(&dialog_, "Button2"), Qt::LeftButton);
  EXPECT_EQ(adjusted.count(), 0) << "nothing changed, nothing to undo";

  dialog_.show();
  Slider("trkH")->setValue(50);
  Slider("trkH")->setValue(40);
  QTest::mouseClick(NamedChild<QPushButton>(&dialog_, "Button2"), Qt::LeftButton);
  EXPECT_EQ(adjusted.count(), 1);
  const Palette kept = table_.Palette();
  EXPECT_NE(kept, original_);

  dialog_.show();
  EXPECT_EQ(Slider("trkH")->value(), 0) << "sliders start at 0 at each showing";
  Slider("trkS")->setValue(-100);
  Slider("trkS")->setValue(0);
  EXPECT_EQ(table_.Palette(), kept) << "the colours saved at this showing";
}

}  // namespace
}  // namespace vorla::gui_test
