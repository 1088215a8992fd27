// The main window as a user meets it: typing and Enter, mouse navigation,
// undo, colour swatches, documents, animation and the save question.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "MainWindowFixture.h"
#include "gui/gradient/GradEditM.h"
#include "gui/help/HelpWindow.h"
#include "gui/input/frmMemo.h"
#include "gui/plot/ProgressBox.h"
#include "gui/view/PaintBoxM.h"

namespace vorla {
namespace {

using gui_test::AcceptMessage;
using gui_test::Answer;
using gui_test::FVorlaTest;
using gui_test::MainWindowTest;
using gui_test::WhenModal;
using gui_test::WriteFile;

TEST_F(FVorlaTest, StartsWithTheStartUpDocumentAndPicture) {
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Vorlascope 1.23"));
  EXPECT_EQ(ComboText("ComboBox1"), QStringLiteral("Sen(x+y)+r+w"));
  window_->IdleUpdate();
  for (const char* field : {"txtXmin", "txtYmin"})
    EXPECT_EQ(FieldText(field), QStringLiteral("-Pi*3")) << field << ": showing the window keeps the view";
  EXPECT_TRUE(animatedAtStart_);
  EXPECT_TRUE(Child<QCheckBox>("chkBucleMax")->isChecked());
  const QImage picture = window_->Picture();
  EXPECT_EQ(picture.format(), QImage::Format_Indexed8);
  EXPECT_EQ(picture.size(), pb_->size());
  EXPECT_FALSE(window_->Modified());
  EXPECT_EQ(window_->UndoCount(), 1);
  EXPECT_FALSE(Child<QToolButton>("btnDeshacer")->isEnabled()) << "nothing to undo at start";
}

// index: every pixel of the picture
struct EnterRow { const char* name; const char* func; const char* zmin; const char* zmax; int index; };

TEST_F(FVorlaTest, EnterRecalculatesWithTheTypedFunction) {
  QTest::mouseClick(Child<QCheckBox>("chkBucleMax"), Qt::LeftButton);
  ASSERT_FALSE(Child<QCheckBox>("chkBucleMax")->isChecked());
  const EnterRow rows[] = {
      {"below the scale", "-5", "0", "1", 1},
      {"above the scale without Bucle", "5", "0", "1", 2},
      {"exactly Zmin is the first level", "0", "0", "1", 6},
      {"exactly Zmax is the last level", "1", "0", "1", 255},
      {"a scale too narrow is flat", "1", "1", "1", 3},
      {"a failed evaluation is background", "ln(x-x-1)", "0", "1", 0},
      {"operators typed as ** are normalised", "2**2", "0", "8", 6 + 125},
  };
  for (const EnterRow& row : rows) {
    SCOPED_TRACE(row.name);
    TypeInCombo("txtZmin", QString::fromLatin1(row.zmin));
    TypeInCombo("txtZmax", QString::fromLatin1(row.zmax));
    const int before = window_->CalculationCount();
    TypeInCombo("ComboBox1", QString::fromLatin1(row.func));
    EXPECT_EQ(window_->CalculationCount(), before + 1);
    const QImage picture = window_->Picture();
    for (QPoint p : {QPoint(0, 0), QPoint(picture.width() - 1, picture.height() - 1),
                     QPoint(picture.width() / 2, picture.height() / 3)})
      EXPECT_EQ(picture.pixelIndex(p), row.index) << p.x() << "," << p.y();
  }
  EXPECT_EQ(ComboText("ComboBox1"), QStringLiteral("2^2"));
  EXPECT_EQ(window_->findChild<ProgressBox*>(QStringLiteral("progreso"))->Percent(), 100);
  EXPECT_GE(Child<QComboBox>("ComboBox1")->findText(QStringLiteral("-5")), 0) << "Enter keeps a history";
  TypeInCombo("ComboBox1", QStringLiteral("2^2"));
  TypeInCombo("ComboBox1", QStringLiteral("X"));
  TypeInCombo("ComboBox1", QStringLiteral("x"));
  QComboBox* history = Child<QComboBox>("ComboBox1");
  EXPECT_EQ(history->findText(QStringLiteral("2^2"), Qt::MatchFixedString | Qt::MatchCaseSensitive), 2)
      << "a text already in the list is not added again";
  EXPECT_EQ(history->itemText(0), QStringLiteral("x")) << "a text differing only in case is a new entry";
  EXPECT_EQ(history->itemText(1), QStringLiteral("X"));
  EXPECT_TRUE(Child<QLabel>("status")->text().startsWith(QStringLiteral("Pixels calculados: ")))
      << "a calculation under a millisecond says so too";
}

TEST_F(FVorlaTest, LeftDragZoomsAndTheFieldsFollowWithoutLosingPrecision) {
  ZoomToAnOffCentreBand();
  const ViewScale& view = pb_->Scale();
  const double tolerance = 1e-5 * std::fabs(view.ScaleWidth());
  EXPECT_NEAR(FieldText("txtXmin").toDouble(), view.ScaleLeft(), tolerance);
  EXPECT_NEAR(FieldText("txtYmin").toDouble(), view.ScaleTop(), tolerance);
  EXPECT_NEAR(FieldText("txtXmax").toDouble(), view.ScaleRight(), tolerance);
  EXPECT_NEAR(FieldText("txtYmax").toDouble(), view.ScaleBottom(), tolerance);
  // Enter in a field showing six digits must not lose the view's precision.
  const double left = view.ScaleLeft();
  TypeInCombo("ComboBox1", QStringLiteral("x"));
  EXPECT_NEAR(pb_->Scale().ScaleLeft(), left, std::fabs(left) * 1e-7);
}

TEST_F(FVorlaTest, RightClickZoomsOutByTwo) {
  const double width = pb_->Scale().ScaleWidth();
  QTest::mouseClick(pb_, Qt::RightButton, {}, QPoint(pb_->width() / 2, pb_->height() / 2));
  EXPECT_NEAR(pb_->Scale().ScaleWidth() / width, 2, 0.01) << "up to the half pixel of an odd size";
}

// Checks the view after the act against the view before it; empty: any change.
struct NavigationRow { const char* name; std::function<void()> act;
  std::function<void(const ViewScale& before, const ViewScale& after)> check; };

// Every navigation leaves exactly one new state behind: one undo shows the
// view from before it again, never the same view a second time.
TEST_F(FVorlaTest, NavigationsTransformTheViewAndOneUndoGivesItBack) {
  auto near = [](double a, double b) { EXPECT_NEAR(a, b, 1e-5 * (std::fabs(a) + std::fabs(b) + 1)); };
  // A panel button recalculates once.
  auto click = [this](const char* button) {
    return [this, button] {
      const int calculations = window_->CalculationCount();
      QTest::mouseClick(Child<QToolButton>(button), Qt::LeftButton);
      WaitForPicture();
      EXPECT_EQ(window_->CalculationCount(), calculations + 1);
    };
  };
  const NavigationRow rows[] = {
      {"flip vertical swaps left and right", click("tbFlipVertical"), [&](const ViewScale& b, const ViewScale& a) {
        near(a.ScaleLeft(), b.ScaleRight());
        near(a.ScaleRight(), b.ScaleLeft());
        near(a.ScaleTop(), b.ScaleTop());
      }},
      {"flip horizontal swaps top and bottom", click("tbFlipHorrizontal"), [&](const ViewScale& b, const ViewScale& a) {
        near(a.ScaleTop(), b.ScaleBottom());
        near(a.ScaleBottom(), b.ScaleTop());
        near(a.ScaleLeft(), b.ScaleLeft());
      }},
      {"half turn swaps both", click("tbRotar180"), [&](const ViewScale& b, const ViewScale& a) {
        near(a.ScaleLeft(), b.ScaleRight());
        near(a.ScaleTop(), b.ScaleBottom());
      }},
      {"quarter turn swaps the units per pixel (up to a pixel when W - H is odd)", click("tbRotarDer"),
       [&](const ViewScale& b, const ViewScale& a) {
        EXPECT_NEAR(std::fabs(a.UnitsPerPixelX() / b.UnitsPerPixelY()), 1, 0.01);
        EXPECT_NEAR(std::fabs(a.UnitsPerPixelY() / b.UnitsPerPixelX()), 1, 0.01);
      }},
      {"normalise makes a unit equally long on both axes", click("tbtNormalizar"),
       [&](const ViewScale& b, const ViewScale& a) {
        near(std::fabs(a.UnitsPerPixelX()), std::fabs(a.UnitsPerPixelY()));
        near(a.ScaleCenterX(), b.ScaleCenterX());
      }},
      {"centre moves the origin to the middle", click("tbCentrar"), [&](const ViewScale& b, const ViewScale& a) {
        near(a.ScaleCenterX(), 0);
        near(a.ScaleCenterY(), 0);
        near(a.ScaleWidth(), b.ScaleWidth());
      }},
      {"click away from the centre", [this] { ClickPicture(Qt::LeftButton, QPoint(40, 30)); }, {}},
      {"right click", [this] { ClickPicture(Qt::RightButton, QPoint(40, 30)); }, {}},
      {"right drag", [this] {
        RightDrag();
        WaitForPicture();
      }, {}},
      {"right drag while animating (a whole calculation)", [this] {
        QTest::mouseClick(Child<QToolButton>("tbAnimar"), Qt::LeftButton);
        RightDrag();
        WaitForPicture();
        StopAnimation();
      }, {}},
  };
  // Off the origin and not square, so that every row changes the view.
  ZoomToAnOffCentreBand();
  for (const NavigationRow& row : rows) {
    SCOPED_TRACE(row.name);
    const ViewScale before = pb_->Scale();
    row.act();
    if (row.check) row.check(before, pb_->Scale());
    window_->IdleUpdate();
    ASSERT_GT(std::fabs(pb_->Scale().ScaleLeft() - before.ScaleLeft()) +
                  std::fabs(pb_->Scale().ScaleTop() - before.ScaleTop()),
              1e-6);
    QTest::mouseClick(Child<QToolButton>("btnDeshacer"), Qt::LeftButton);
    WaitForPicture();
    window_->IdleUpdate();
    const double tolerance = 1e-5 * std::fabs(before.ScaleWidth());
    EXPECT_NEAR(pb_->Scale().ScaleLeft(), before.ScaleLeft(), tolerance);
    EXPECT_NEAR(pb_->Scale().ScaleRight(), before.ScaleRight(), tolerance);
    EXPECT_NEAR(pb_->Scale().ScaleTop(), before.ScaleTop(), tolerance);
    EXPECT_NEAR(pb_->Scale().ScaleBottom(), before.ScaleBottom(), tolerance);
    for (const char* field : {"txtXmin", "txtYmin", "txtXmax", "txtYmax"})
      EXPECT_EQ(Child<QLineEdit>(field)->cursorPosition(), 0) << field << " shows the beginning of its 15 digits";
  }
}

TEST_F(FVorlaTest, ClickOnTheCentrePansByNothingButPushesAnUndoEntry) {
  const int undo = window_->UndoCount();
  const int calculations = window_->CalculationCount();
  const ViewScale before = pb_->Scale();
  QTest::mouseClick(pb_, Qt::LeftButton, {}, QPoint(pb_->width() / 2, pb_->height() / 2));
  EXPECT_EQ(window_->UndoCount(), undo + 1);
  EXPECT_EQ(window_->CalculationCount(), calculations);
  EXPECT_EQ(pb_->Scale().ScaleLeft(), before.ScaleLeft());
}

TEST_F(FVorlaTest, RightDragPansAndOnlyTheUncoveredStripsAreCalculated) {
  const ViewScale before = pb_->Scale();
  const QImage old = window_->Picture();
  const int calculations = window_->CalculationCount();
  RightDrag();
  WaitForPicture();
  EXPECT_NEAR(pb_->Scale().ScaleLeft(), before.PixelToScaleX(-20), 1e-9);
  EXPECT_EQ(window_->CalculationCount(), calculations + 2) << "one horizontal and one vertical strip";
  const QImage now = window_->Picture();
  EXPECT_EQ(now.pixelIndex(150, 150), old.pixelIndex(130, 140)) << "the picture moved with the mouse";
}

TEST_F(FVorlaTest, TwoUndosGoBackTwoStates) {
  for (const char* func : {"x", "y", "x*y"}) TypeInCombo("ComboBox1", QString::fromLatin1(func));
  Child<QComboBox>("ComboBox2")->setEditText(QStringLiteral("sin guardar"));
  auto* undo = Child<QToolButton>("btnDeshacer");
  window_->IdleUpdate();
  ASSERT_TRUE(undo->isEnabled());
  QTest::mouseClick(undo, Qt::LeftButton);
  WaitForPicture();
  EXPECT_EQ(ComboText("ComboBox1"), QStringLiteral("y"));
  EXPECT_TRUE(ComboText("ComboBox2").isEmpty()) << "the gradient brought back is not the named one";
  window_->IdleUpdate();
  QTest::mouseClick(undo, Qt::LeftButton);
  EXPECT_EQ(ComboText("ComboBox1"), QStringLiteral("x"));
}

TEST_F(FVorlaTest, SwatchColourChangesThePaletteWithoutRecalculating) {
  const int calculations = window_->CalculationCount();
  const QImage before = window_->Picture();
  WhenModal([](QWidget* dialog) {
    auto* colors = qobject_cast<QColorDialog*>(dialog);
    ASSERT_NE(colors, nullptr);
    EXPECT_EQ(colors->windowTitle(), QStringLiteral("Color")) << "titled in Spanish, translations or not";
    colors->setCurrentColor(QColor(10, 200, 30));
    colors->accept();
  });
  QTest::mouseClick(Child<QWidget>("ColFon"), Qt::LeftButton);
  const QImage after = window_->Picture();
  EXPECT_EQ(after.color(0), qRgb(10, 200, 30));
  EXPECT_EQ(window_->CalculationCount(), calculations);
  for (int y = 0; y < after.height(); y += 7)
    ASSERT_EQ(0, std::memcmp(after.constScanLine(y), before.constScanLine(y), static_cast<size_t>(after.width())))
        << "row " << y << ": the indices must stay";
  EXPECT_TRUE(window_->Modified());
}

TEST_F(FVorlaTest, GradientSwitchAndBucleBoxesShowTheirSwatches) {
  auto* gradient = Child<QCheckBox>("chkGradiente");
  auto* bucleMax = Child<QCheckBox>("chkBucleMax");
  EXPECT_FALSE(Child<QWidget>("ColZmax")->isVisible()) << "Bucle above is on at start";
  EXPECT_TRUE(Child<QWidget>("ColZmin")->isVisible());
  EXPECT_FALSE(Child<QWidget>("ColFun")->isVisible());
  QTest::mouseClick(gradient, Qt::LeftButton);
  EXPECT_FALSE(bucleMax->isChecked()) << "switching the gradient off clears both Bucle boxes";
  EXPECT_FALSE(bucleMax->isVisible());
  EXPECT_FALSE(Child<QWidget>("GradEdit1")->isVisible());
  EXPECT_TRUE(Child<QWidget>("ColFun")->isVisible());
  EXPECT_TRUE(Child<QWidget>("ColZmax")->isVisible());
}

TEST_F(FVorlaTest, SavingAndReopeningRestoresEveryParameter) {
  TypeInCombo("txtZmin", QStringLiteral("-2"));
  TypeInCombo("txtZmax", QStringLiteral("3"));
  TypeInCombo("ComboBox1", QStringLiteral("x*y"));
  QTest::mouseClick(Child<QCheckBox>("chkBucleMax"), Qt::LeftButton);
  QTest::mouseClick(Child<QCheckBox>("chkBucleMin"), Qt::LeftButton);
  Child<QSpinBox>("SpinEdit1")->setValue(-7);
  Child<TGradEditM>("GradEdit1")->Table().SetPalString("06FF00008000FFFF");
  TypeAndEnter(Child<QLineEdit>("txtXmin"), QStringLiteral("-2.5"));
  QTest::mouseClick(Child<QToolButton>("btnFilMin"), Qt::LeftButton);
  ClickPicture(Qt::LeftButton, QPoint(10, 10));  // picks the lower filter

  const QString path = dir_.filePath(QStringLiteral("prueba.vlx"));
  ASSERT_TRUE(window_->SaveDocument(path));
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Vorlascope 1.23 - prueba.vlx"));
  const QImage saved = window_->Picture();

  TypeInCombo("ComboBox1", QStringLiteral("1"));
  QTest::mouseClick(Child<QCheckBox>("chkGradiente"), Qt::LeftButton);
  QTest::mouseClick(Child<QToolButton>("btnFilMin"), Qt::LeftButton);
  Answer(QMessageBox::No);  // the question about the changes
  window_->LoadDocument(path);
  WaitForPicture();

  EXPECT_EQ(ComboText("ComboBox1"), QStringLiteral("x*y"));
  EXPECT_EQ(ComboText("txtZmin"), QStringLiteral("-2"));
  EXPECT_EQ(ComboText("txtZmax"), QStringLiteral("3"));
  EXPECT_EQ(FieldText("txtXmin"), QStringLiteral("-2.5"));
  EXPECT_TRUE(Child<QCheckBox>("chkGradiente")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>("chkBucleMin")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>("chkBucleMax")->isChecked());
  EXPECT_TRUE(Child<QToolButton>("btnFilMin")->isChecked());
  EXPECT_EQ(Child<QSpinBox>("SpinEdit1")->value(), -7);
  EXPECT_EQ(Child<TGradEditM>("GradEdit1")->Table().PalString(), "06FF00008000FFFF");
  EXPECT_FALSE(window_->Animating());
  EXPECT_EQ(window_->Picture(), saved) << "same parameters, same picture";
  EXPECT_FALSE(window_->Modified());
  EXPECT_EQ(window_->CurrentFileName(), path);
}

TEST_F(FVorlaTest, AnimationStartedAndStoppedGivesBackTheCalculatedPicture) {
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  const QImage calculated = window_->Picture();
  auto* animate = Child<QToolButton>("tbAnimar");
  Child<QSpinBox>("SpinEdit1")->setValue(37);
  QTest::mouseClick(animate, Qt::LeftButton);
  ASSERT_TRUE(window_->Animating());
  QTest::qWait(180);
  EXPECT_NE(window_->Picture(), calculated) << "the colours flow while animating";
  QTest::mouseClick(animate, Qt::LeftButton);
  EXPECT_FALSE(window_->Animating());
  EXPECT_EQ(window_->Picture(), calculated);
}

TEST_F(FVorlaTest, AnsweringYesAndCancellingTheSaveKeepsTheDocument) {
  TypeInCombo("ComboBox1", QStringLiteral("x+y"));
  ASSERT_TRUE(window_->Modified());
  const QString other = dir_.filePath(QStringLiteral("otro.vlx"));
  WriteFile(other, "[Vorlascope]\nFunc=x-y\n");
  Answer(QMessageBox::Yes, [] {
    WhenModal([](QWidget* dialog) {
      ASSERT_NE(qobject_cast<QFileDialog*>(dialog), nullptr);
      qobject_cast<QDialog*>(dialog)->reject();
    });
  });
  window_->LoadDocument(other);
  EXPECT_EQ(ComboText("ComboBox1"), QStringLiteral("x+y"));
  EXPECT_TRUE(window_->Modified());
  EXPECT_TRUE(window_->CurrentFileName().isEmpty());
}

// field: object name of the QLineEdit or QComboBox
// expected: the field's text afterwards; nullptr: unchanged
struct MemoRow { const char* name; const char* field; const char* typed; Qt::Key closingKey; const char* expected; };

TEST_F(FVorlaTest, DoubleClickEditsTheFieldInTheMultiLineEditor) {
  const MemoRow rows[] = {
      {"range field left unchanged does not recalculate", "txtXmin", "", Qt::Key_Escape, nullptr},
      {"range field takes a changed text even when cancelled", "txtXmin", "+1", Qt::Key_Escape, "-Pi*3+1"},
      {"function field ignores a cancelled edit", "ComboBox1", "+1", Qt::Key_Escape, nullptr},
      {"function field takes the text on Enter, normalised", "ComboBox1", "**2", Qt::Key_Return, "Sen(x+y)+r+w^2"},
  };
  for (const MemoRow& row : rows) {
    SCOPED_TRACE(row.name);
    QLineEdit* edit = window_->findChild<QLineEdit*>(QString::fromLatin1(row.field));
    if (edit == nullptr) edit = Child<QComboBox>(row.field)->lineEdit();
    const QString before = edit->text();
    const int calculations = window_->CalculationCount();
    WhenModal([&row](QWidget* dialog) {
      auto* memo = qobject_cast<TFMemo*>(dialog);
      ASSERT_NE(memo, nullptr);
      memo->Memo1()->moveCursor(QTextCursor::End);
      QTest::keyClicks(memo->Memo1(), QString::fromLatin1(row.typed));
      QTest::keyClick(memo->Memo1(), row.closingKey);
    });
    QTest::mouseDClick(edit, Qt::LeftButton);
    WaitForPicture();
    const QString expected = row.expected == nullptr ? before : QString::fromLatin1(row.expected);
    EXPECT_EQ(edit->text(), expected);
    EXPECT_EQ(window_->CalculationCount(), calculations + (row.expected == nullptr ? 0 : 1));
  }
}

// The report stays open beside the editor; each editor opens its own help topic.
TEST_F(FVorlaTest, TheEditorOpenedBesideTheReportIsModalWithItsOwnHelp) {
  QTest::mouseClick(Child<QToolButton>("tbInformacion"), Qt::LeftButton);
  auto* report = window_->findChild<TFMemo*>(QStringLiteral("FMemo"));
  ASSERT_TRUE(report != nullptr && report->isVisible());
  QTest::keyClick(report->Memo1(), Qt::Key_F1);
  auto* help = window_->findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->windowTitle().contains(QStringLiteral("Información"))) << qPrintable(help->windowTitle());

  const int calculations = window_->CalculationCount();
  QString title, helpTitle;
  bool modal = false;
  WhenModal([&](QWidget* dialog) {
    auto* editor = qobject_cast<TFMemo*>(dialog);
    ASSERT_NE(editor, nullptr);
    modal = editor != report && editor->isModal();
    title = editor->windowTitle();
    QTest::keyClick(editor->Memo1(), Qt::Key_F1);
    // Under the modal editor, so that the editor does not block it.
    if (auto* own = editor->findChild<HelpWindow*>()) helpTitle = own->windowTitle();
    QTest::keyClick(editor->Memo1(), Qt::Key_Return);
  });
  QTest::mouseDClick(Child<QComboBox>("ComboBox1")->lineEdit(), Qt::LeftButton);
  EXPECT_TRUE(modal);
  EXPECT_EQ(title, QStringLiteral("Función principal"));
  EXPECT_TRUE(helpTitle.contains(QStringLiteral("Campos de expresión"))) << qPrintable(helpTitle);
  EXPECT_EQ(window_->findChild<HelpWindow*>(), help) << "one help window, back over the main window";
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(window_->CalculationCount(), calculations) << "Enter without a change";
}

TEST_F(FVorlaTest, ADroppedDocumentIsOpened) {
  const QString path =
      dir_.filePath(QStringLiteral("soltado con un nombre bastante largo para ver que llega entero.vlx"));
  WriteFile(path, "[Vorlascope]\nFunc=x-y\n");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  // Straight to the window: the application only routes drops while a drag is under way.
  static_cast<QObject*>(window_.get())->event(&drop);
  EXPECT_EQ(ComboText("ComboBox1"), QStringLiteral("x-y"));
  EXPECT_EQ(window_->CurrentFileName(), path);
}

TEST_F(FVorlaTest, PickingALowerFilterBlanksTheValuesBelowTheClick) {
  TypeInCombo("ComboBox1", QStringLiteral("x"));
  auto* filter = Child<QToolButton>("btnFilMin");
  QTest::mouseClick(filter, Qt::LeftButton);
  EXPECT_EQ(pb_->cursor().shape(), Qt::UpArrowCursor);
  const int calculations = window_->CalculationCount();
  const int column = pb_->width() / 2 + 15;
  QTest::mouseMove(pb_, QPoint(column, 20));
  ClickPicture(Qt::LeftButton, QPoint(column, 20));
  EXPECT_EQ(window_->CalculationCount(), calculations + 1) << "the pick recalculates instead of centring";
  EXPECT_EQ(pb_->cursor().shape(), Qt::CrossCursor);
  const QImage picture = window_->Picture();
  EXPECT_EQ(picture.pixelIndex(column - 3, 40), 0) << "f = x below the picked value is filtered out";
  EXPECT_NE(picture.pixelIndex(column + 3, 40), 0);

  QTest::mouseClick(filter, Qt::LeftButton);
  WaitForPicture();
  EXPECT_EQ(window_->CalculationCount(), calculations + 2) << "switching the filter off recalculates";
  EXPECT_NE(window_->Picture().pixelIndex(column - 3, 40), 0);
}

struct ReadoutRow { const char* name; const char* func; const char* expectedPart; };

TEST_F(FVorlaTest, StatusBarReadsTheValueUnderTheMouse) {
  auto* status = Child<QLabel>("status");
  const ReadoutRow rows[] = {
      {"a value with the scale", "7", "f=7 [min=-3.14159, max=3.14159]"},
      {"an error shows its text instead", "ln(x-x-1)", "x="},
  };
  for (const ReadoutRow& row : rows) {
    SCOPED_TRACE(row.name);
    TypeInCombo("ComboBox1", QString::fromLatin1(row.func));
    QTest::mouseMove(pb_, QPoint(pb_->width() / 2, pb_->height() / 2));
    QTest::mouseMove(pb_, QPoint(pb_->width() / 2 + 1, pb_->height() / 2));
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("x="))) << qPrintable(status->text());
    EXPECT_TRUE(status->text().contains(QString::fromLatin1(row.expectedPart))) << qPrintable(status->text());
  }
  EXPECT_FALSE(status->text().contains(QStringLiteral("f="))) << "no value where f fails";

  // The picture's own hint has four lines; the status bar shows it on one,
  // or the taller bar would shrink the picture and recalculate it.
  const QSize area = pb_->size();
  QStatusTipEvent tip(pb_->statusTip());
  QApplication::sendEvent(window_.get(), &tip);
  EXPECT_TRUE(status->text().startsWith(QStringLiteral("Click Izquierdo: Centrar")));
  EXPECT_FALSE(status->text().contains(u'\n'));
  QApplication::processEvents();
  EXPECT_EQ(pb_->size(), area);
  QStatusTipEvent leave{QString()};
  QApplication::sendEvent(window_.get(), &leave);
  EXPECT_EQ(status->text(), QStringLiteral("Listo")) << "the default text when a hint ends";
}

TEST(FVorlaStartTest, TheCommandLineDocumentOpensAtTheFirstShowWithoutQuestions) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("inicio.vlx"));
  WriteFile(path, "[Vorlascope]\nFunc=x*x\nAni=1\n");
  TFVorla window(nullptr, dir.path().toStdString(), path);
  window.resize(300, 260);
  bool asked = false;
  QTimer* watch = WhenModal([&asked](QWidget* dialog) {
    asked = true;
    qobject_cast<QDialog*>(dialog)->reject();
  });
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  delete watch;
  EXPECT_FALSE(asked);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Vorlascope 1.23 - inicio.vlx"));
  EXPECT_EQ(window.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->currentText(), QStringLiteral("x*x"));
  EXPECT_TRUE(window.Animating());
  EXPECT_FALSE(window.Modified());
}

TEST_F(FVorlaTest, ClosingAsksAboutChangesAndRemembersThePlacement) {
  TypeInCombo("ComboBox1", QStringLiteral("x+1"));
  Answer(QMessageBox::Cancel);
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(window_->isVisible());
  EXPECT_FALSE(QFile::exists(dir_.filePath(QStringLiteral("vorla.ini"))));

  Answer(QMessageBox::No, [] { Answer(QMessageBox::Ok); });  // then the closing notice
  EXPECT_TRUE(window_->close());
  EXPECT_TRUE(gui_test::ReadFile(dir_.filePath(QStringLiteral("vorla.ini"))).contains("[PosFVorla]"));
}

// File names in any script reach the window's messages whole, with the
// system's reason in Spanish; a refused file does not become the current one.
TEST_F(FVorlaTest, MessagesShowFileNamesWholeAndReasonsInSpanish) {
  const QString notes = dir_.filePath(QStringLiteral("заметки.txt"));
  WriteFile(notes, "[Otra]\nClave=1\n");
  const QString missingFolder = dir_.filePath(QStringLiteral("нет/doc.vlx"));
  struct Row { const char* name; std::function<void()> act; QString message; };
  const Row rows[] = {
      {"not a document", [&] { window_->LoadDocument(notes); },
       notes + QStringLiteral("\nno es un documento de Vorlascope")},
      {"saving into a missing folder", [&] { window_->SaveDocument(missingFolder); },
       QStringLiteral("No se puede guardar ") + missingFolder + QStringLiteral(": no existe el archivo o la carpeta")},
      // The offscreen platform starts no browser, so the link's failure shows.
      {"the status-bar link", [this] { QTest::mouseClick(Child<QLabel>("status"), Qt::LeftButton); },
       QStringLiteral("No se puede activar el navegador predeterminado")},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    QString shown;
    AcceptMessage(shown);
    r.act();
    EXPECT_EQ(shown.toStdString(), r.message.toStdString());
  }
  EXPECT_TRUE(window_->CurrentFileName().isEmpty());
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Vorlascope 1.23"));
  EXPECT_EQ(ComboText("ComboBox1"), QStringLiteral("Sen(x+y)+r+w"));
}

// On a screen of device pixel ratio r the picture has r times the pixels of
// the picture area each way, over the same view: not an enlarged picture.
// The suite runs it once more with QT_SCALE_FACTOR=2.
TEST_F(FVorlaTest, ThePictureIsCalculatedAtTheScreensPixelsForTheSameView) {
  const qreal ratio = pb_->devicePixelRatio();
  if (const char* expected = std::getenv("VORLA_EXPECT_PIXEL_RATIO")) {
    ASSERT_EQ(ratio, std::atof(expected));
  }
  TypeInCombo("txtZmin", QStringLiteral("-10"));
  TypeInCombo("txtZmax", QStringLiteral("10"));
  TypeInCombo("ComboBox1", QStringLiteral("x"));
  const QImage picture = window_->Picture();
  ASSERT_EQ(picture.size(), pb_->size() * ratio);
  const ViewScale& view = pb_->Scale();
  EXPECT_EQ(view.Width(), pb_->width()) << "the view's own pixels are the widget's";
  const double left = view.ScaleLeft();
  const double width = view.ScaleRight() - view.ScaleLeft();
  // f = x on a scale from -10 (index 6) to 10 (index 255).
  for (int column = 0; column < picture.width(); ++column) {
    const double x = left + column * width / picture.width();
    EXPECT_NEAR(picture.pixelIndex(column, 0), 6 + (x + 10) / 20 * 249, 1.0) << "column " << column;
  }
}

// A long calculation runs on the calculation service while the window goes
// on handling events. Random numbers keep it pixel by pixel on one thread,
// so it takes a while.
class LongCalculationTest : public FVorlaTest {
 protected:
  static QString Slow() {
    const QString draws = QStringList(250, QStringLiteral("Ale")).join(QLatin1Char(','));
    return QStringLiteral("Max(%1)+Max(%1)").arg(draws);
  }
  // Types the slow function and presses Enter: the window starts it and
  // returns to its events.
  void EnterSlowFunction() {
    QComboBox* combo = Child<QComboBox>("ComboBox1");
    combo->lineEdit()->setText(Slow());
    QTest::keyClick(combo, Qt::Key_Return);
    ASSERT_TRUE(window_->Calculating());
  }
  QString Status() { return Child<QLabel>("status")->text(); }
};

TEST_F(LongCalculationTest, TheWindowHandlesEventsWhileTheWorkerCalculates) {
  EnterSlowFunction();
  bool timerRan = false;
  QTimer::singleShot(0, window_.get(), [&timerRan] { timerRan = true; });
  while (!timerRan) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  EXPECT_TRUE(window_->Calculating()) << "the picture is still being calculated";
  QTest::keyClick(window_.get(), Qt::Key_Escape);
  EXPECT_FALSE(window_->Calculating());
}

// Building, showing and resizing the window only start requests; the
// pictures come back through the event loop, and only the last one ends.
TEST_F(MainWindowTest, BuildingShowingAndResizingLeaveTheCalculationToTheWorker) {
  window_ = std::make_unique<TFVorla>(nullptr, dir_.path().toStdString());
  window_->resize(380, 330);
  window_->show();
  window_->resize(420, 360);
  EXPECT_TRUE(window_->Calculating());
  EXPECT_EQ(window_->CalculationCount(), 0) << "nothing calculated on the window's thread";
  WaitForPicture();
  EXPECT_EQ(window_->CalculationCount(), 1);
  EXPECT_EQ(window_->Picture().size(), Child<TPaintBoxM>("pb")->DevicePixels());
}

TEST_F(LongCalculationTest, EscStopsItAndKeepsThePictureAndView) {
  const QImage before = window_->Picture();
  const int calculations = window_->CalculationCount();
  EnterSlowFunction();
  QTest::keyClick(window_.get(), Qt::Key_Escape);
  WaitForPicture();
  EXPECT_EQ(window_->CalculationCount(), calculations);
  EXPECT_EQ(window_->Picture(), before);
  EXPECT_EQ(Status(), QStringLiteral("Cálculo cancelado"));
}

// Whatever requests came before it, Esc gives back the last picture
// calculated with the view it shows, in the picture area (where the readout
// reads) and in the range fields.
TEST_F(LongCalculationTest, EscAfterAClickAndARightClickGivesBackThePictureWithItsView) {
  EnterSlowFunction();
  QTest::keyClick(window_.get(), Qt::Key_Escape);
  window_->IdleUpdate();
  const QImage before = window_->Picture();
  const ViewBounds view = BoundsOf(pb_->Scale());
  const auto fields = [this] {
    return QStringList{FieldText("txtXmin"), FieldText("txtXmax"), FieldText("txtYmin"), FieldText("txtYmax")};
  };
  const QStringList beforeFields = fields();
  struct Row { const char* name; std::function<void()> act; };
  const Row rows[] = {
      {"in the strips of a pan", [this] { RightDrag(); }},
      {"click, then right click", [this] {
        QTest::mouseClick(pb_, Qt::LeftButton, {}, QPoint(40, 30));
        QTest::mouseClick(pb_, Qt::RightButton, {}, QPoint(150, 120));
      }},
      {"right click, then click", [this] {
        QTest::mouseClick(pb_, Qt::RightButton, {}, QPoint(150, 120));
        QTest::mouseClick(pb_, Qt::LeftButton, {}, QPoint(40, 30));
      }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    row.act();
    ASSERT_TRUE(window_->Calculating());
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    WaitForPicture();
    window_->IdleUpdate();
    EXPECT_TRUE(BoundsOf(pb_->Scale()) == view);
    EXPECT_EQ(window_->Picture(), before) << "neither shifted nor with strips of another scale";
    EXPECT_EQ(fields(), beforeFields);
  }
}

TEST_F(LongCalculationTest, ANewerRequestReplacesIt) {
  const int calculations = window_->CalculationCount();
  EnterSlowFunction();
  TypeInCombo("ComboBox1", QStringLiteral("-5"));
  EXPECT_EQ(window_->CalculationCount(), calculations + 1) << "only the newer one ends";
  EXPECT_EQ(window_->Picture().pixelIndex(0, 0), 1) << "-5 is below the scale";
}

}  // namespace
}  // namespace vorla
