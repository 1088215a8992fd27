// What the range fields and the view hold while the user types and while an
// expression fails: typed and loaded texts stay, the view moves only with a
// picture, and a failed compile is a failure in every readout.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "MainWindowFixture.h"
#include "core/plot/Navigation.h"

namespace vorla {
namespace {

using gui_test::Answer;
using gui_test::FVorlaTest;
using gui_test::WriteFile;

class RangeFieldsTest : public FVorlaTest {
 protected:
  QLineEdit* Field(const char* name) { return Child<QLineEdit>(name); }

  // Types without Enter, as a user in the middle of an edit.
  void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }

  // Enter on a failing Func: the message box is answered.
  void EnterFailingFunction(const QString& func) {
    Answer(QMessageBox::Ok);
    TypeInCombo("ComboBox1", func);
  }

  ViewBounds View() { return BoundsOf(pb_->Scale()); }
};

TEST_F(RangeFieldsTest, AFieldWhoseEdgeIsZeroCanBeEdited) {
  TypeAndEnter(Field("txtXmin"), QStringLiteral("0"));
  window_->IdleUpdate();
  Type(Field("txtXmin"), QStringLiteral("-2"));
  window_->IdleUpdate();
  window_->IdleUpdate();
  EXPECT_EQ(Field("txtXmin")->text(), QStringLiteral("-2"));
  QTest::keyClick(Field("txtXmin"), Qt::Key_Return);
  EXPECT_FLOAT_EQ(View().left, -2);
}

TEST_F(RangeFieldsTest, WhatWasTypedOrLoadedStaysWhileAnExpressionFails) {
  Type(Field("txtXmin"), QStringLiteral("-1"));
  EnterFailingFunction(QStringLiteral("Sen(x"));
  window_->IdleUpdate();
  EXPECT_EQ(Field("txtXmin")->text(), QStringLiteral("-1")) << "typed";

  const QString path = dir_.filePath(QStringLiteral("roto.vlx"));
  WriteFile(path, "[Vorlascope]\nFunc=Sen(x\nXmin=-1\nXmax=5\nYmin=-4\nYmax=4\n");
  Answer(QMessageBox::No);  // the save question for the typed changes
  Answer(QMessageBox::Ok);
  window_->LoadDocument(path);
  WaitForPicture();
  window_->IdleUpdate();
  // Xmin and Xmax are corrected to the window's aspect as they load.
  EXPECT_EQ(Field("txtYmin")->text(), QStringLiteral("-4")) << "loaded";
  EXPECT_EQ(Field("txtYmax")->text(), QStringLiteral("4")) << "loaded";
  EXPECT_FALSE(window_->Modified());
}

TEST_F(RangeFieldsTest, ViewCommandsWaitForTheFailingExpressionToBeFixed) {
  const ViewBounds before = View();
  Type(Field("txtXmax"), QStringLiteral("(3"));
  EnterFailingFunction(QStringLiteral("Sen(x"));
  const int calculations = window_->CalculationCount();
  struct Command { const char* name; std::function<void()> run; };
  const Command commands[] = {
      {"right click zooms out", [&] { QTest::mouseClick(pb_, Qt::RightButton, {}, QPoint(60, 60)); }},
      {"left drag zooms in", [&] {
        QTest::mousePress(pb_, Qt::LeftButton, {}, QPoint(30, 20));
        QTest::mouseMove(pb_, QPoint(150, 60));
        QTest::mouseRelease(pb_, Qt::LeftButton, {}, QPoint(150, 60));
      }},
      {"rotate", [&] { QTest::mouseClick(Child<QToolButton>("tbRotarDer"), Qt::LeftButton); }},
      {"flip", [&] { QTest::mouseClick(Child<QToolButton>("tbFlipVertical"), Qt::LeftButton); }},
  };
  for (const Command& command : commands) {
    SCOPED_TRACE(command.name);
    Answer(QMessageBox::Ok);
    command.run();
    window_->IdleUpdate();
    EXPECT_TRUE(View() == before);
    EXPECT_EQ(Field("txtXmax")->text(), QStringLiteral("(3"));
    EXPECT_EQ(window_->CalculationCount(), calculations);
  }
}

TEST_F(RangeFieldsTest, AFunctionThatFailedToCompileFailsInTheReadoutAndCannotBePicked) {
  EnterFailingFunction(QStringLiteral("x+"));
  const QPoint centre(pb_->width() / 2, pb_->height() / 2);
  QTest::mouseMove(pb_, centre);
  QTest::mouseMove(pb_, centre + QPoint(1, 0));
  const QString status = Child<QLabel>("status")->text();
  EXPECT_FALSE(status.contains(QStringLiteral("f="))) << qPrintable(status);
  EXPECT_TRUE(status.contains(QStringLiteral("Operador al principio o al final"))) << qPrintable(status);

  QTest::mouseClick(Child<QToolButton>("btnFilMin"), Qt::LeftButton);
  const int calculations = window_->CalculationCount();
  QTest::mouseClick(pb_, Qt::LeftButton, {}, centre);
  EXPECT_EQ(window_->CalculationCount(), calculations);
  EXPECT_EQ(pb_->cursor().shape(), Qt::UpArrowCursor) << "still picking";
}

TEST_F(RangeFieldsTest, UndoReleasingTheFilterButtonDisarmsThePicking) {
  TypeInCombo("ComboBox1", QStringLiteral("x"));
  auto* filter = Child<QToolButton>("btnFilMin");
  QTest::mouseClick(filter, Qt::LeftButton);
  window_->Undo();
  ASSERT_FALSE(filter->isChecked());
  const ViewBounds before = View();
  QTest::mouseClick(pb_, Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_NE(View().left, before.left) << "the click centres instead of picking";
  EXPECT_FALSE(filter->isChecked());
}

}  // namespace
}  // namespace vorla
