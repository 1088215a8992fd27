// "Calcular al escribir": with the button down, typing in the function and
// scale fields recalculates after a pause, leaving undo, history and the
// modified flag for Enter; with it up nothing changes until Enter; the
// choice is remembered.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "MainWindowFixture.h"
#include "core/io/IniFile.h"
#include "gui/plot/TypingCalculation.h"

namespace vorla {
namespace {

using gui_test::FVorlaTest;

class TypingCalculationTest : public FVorlaTest {
 protected:
  // Types into a field's edit without Enter.
  void Type(const char* field, const QString& text) { QTest::keyClicks(Child<QComboBox>(field)->lineEdit(), text); }
  void ClearField(const char* field) {
    QComboBox* combo = Child<QComboBox>(field);
    combo->lineEdit()->selectAll();
    QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
  }
  // Waits for the calculation after the pause; false when none came.
  bool CalculatedAfter(int count) {
    return QTest::qWaitFor([&] { return window_->CalculationCount() > count; }, 5000);
  }
  // Long enough for a pause to end and its calculation to run.
  static void WaitBeyondThePause() { QTest::qWait(TypingCalculation::kPauseMs * 4); }
  QString Status() { return Child<QLabel>("status")->text(); }
};

TEST_F(TypingCalculationTest, DownEveryTextThatCompilesIsCalculatedAndEnterStillRecords) {
  QToolButton* button = Child<QToolButton>("tbCalcularAlEscribir");
  ASSERT_FALSE(button->isChecked()) << "off at first";
  EXPECT_EQ(button->accessibleName(), QStringLiteral("Calcular al escribir"));
  QTest::mouseClick(button, Qt::LeftButton);
  const int undo = window_->UndoCount();
  const bool modified = window_->Modified();
  const int history = Child<QComboBox>("ComboBox1")->count();

  ClearField("ComboBox1");
  int count = window_->CalculationCount();
  Type("ComboBox1", QStringLiteral("x"));
  ASSERT_TRUE(CalculatedAfter(count)) << "x";
  const QImage ofX = window_->Picture();
  count = window_->CalculationCount();
  Type("ComboBox1", QStringLiteral("*y"));
  ASSERT_TRUE(CalculatedAfter(count)) << "x*y";
  EXPECT_NE(window_->Picture(), ofX);
  const QImage ofXY = window_->Picture();

  // A text that does not compile changes nothing and asks nothing.
  count = window_->CalculationCount();
  Type("ComboBox1", QStringLiteral("*("));
  WaitBeyondThePause();
  EXPECT_EQ(window_->CalculationCount(), count);
  EXPECT_EQ(window_->Picture(), ofXY);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(Status().contains(QStringLiteral("en el campo"))) << Status().toStdString();

  // Back to the text calculated last: nothing to do.
  ClearField("ComboBox1");
  Type("ComboBox1", QStringLiteral("x*y"));
  WaitBeyondThePause();
  EXPECT_EQ(window_->CalculationCount(), count);

  // The scale fields follow the typing too.
  ClearField("txtZmax");
  Type("txtZmax", QStringLiteral("1000"));
  ASSERT_TRUE(CalculatedAfter(count)) << "Zmax 1000";
  EXPECT_NE(window_->Picture(), ofXY);

  EXPECT_EQ(window_->UndoCount(), undo);
  EXPECT_EQ(window_->Modified(), modified);
  EXPECT_EQ(Child<QComboBox>("ComboBox1")->count(), history);
  count = window_->CalculationCount();
  QTest::keyClick(Child<QComboBox>("ComboBox1"), Qt::Key_Return);
  WaitForPicture();
  EXPECT_EQ(window_->CalculationCount(), count + 1);
  EXPECT_EQ(window_->UndoCount(), undo + 1);
  EXPECT_TRUE(window_->Modified());
  EXPECT_GE(Child<QComboBox>("ComboBox1")->findText(QStringLiteral("x*y")), 0);
}

TEST_F(TypingCalculationTest, UpNothingChangesUntilEnterAndTheChoiceIsRemembered) {
  const QImage before = window_->Picture();
  const int count = window_->CalculationCount();
  ClearField("ComboBox1");
  Type("ComboBox1", QStringLiteral("x*y"));
  WaitBeyondThePause();
  EXPECT_EQ(window_->CalculationCount(), count);
  EXPECT_EQ(window_->Picture(), before);
  QTest::keyClick(Child<QComboBox>("ComboBox1"), Qt::Key_Return);
  WaitForPicture();
  EXPECT_EQ(window_->CalculationCount(), count + 1);

  QTest::mouseClick(Child<QToolButton>("tbCalcularAlEscribir"), Qt::LeftButton);
  const IniFile settings = IniFile::Read(dir_.path().toStdString() + "/vorla.ini");
  EXPECT_EQ(settings.ReadString("Opciones", "CalcularAlEscribir"), std::optional<std::string>("1"));
  const TFVorla next(nullptr, dir_.path().toStdString());
  EXPECT_TRUE(next.findChild<QToolButton*>(QStringLiteral("tbCalcularAlEscribir"))->isChecked())
      << "down again in the next run";
}

}  // namespace
}  // namespace vorla
