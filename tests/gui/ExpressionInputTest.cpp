// Typing an expression: keypad pairs, when the function picker opens, what
// it inserts for each key, its help keyword and its idle close.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include <string>

#include "core/expr/Expresion.h"
#include "core/expr/TextFold.h"
#include "core/plot/PlotExpressions.h"
#include "gui/input/ComboExpr.h"
#include "gui/input/frmAutoComp.h"
#include "gui/common/CoreText.h"
#include "gui/view/ScrollCredits.h"

namespace vorla {
namespace {

// "<" and ">" stand for the arrow keys, "\x1b" for Esc, "\b" for Backspace.
void Press(QWidget* widget, QChar key) {
  switch (key.unicode()) {
    case u'<': QTest::keyClick(widget, Qt::Key_Left); break;
    case u'>': QTest::keyClick(widget, Qt::Key_Right); break;
    case u'\r': QTest::keyClick(widget, Qt::Key_Return); break;
    case u'\b': QTest::keyClick(widget, Qt::Key_Backspace); break;
    case u'\x1b': QTest::keyClick(widget, Qt::Key_Escape); break;
    default: QTest::keyClick(widget, key.toLatin1()); break;
  }
}

class ExpressionInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    combo_.SetFunctionList(&plot_.Expression(PlotExpressions::kFunc).Functions());
    combo_.move(0, 0);
    combo_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&combo_));
  }
  void TearDown() override { picker_->hide(); }

  // Enter first lifts any suppression an earlier Esc left.
  void Start(const QString& text, int caret) {
    picker_->hide();
    QTest::keyClick(&combo_, Qt::Key_Return);
    combo_.setEditText(text);
    combo_.lineEdit()->setCursorPosition(caret);
  }
  // The first key goes to the box; while the picker is open the rest go to its list.
  void Type(const QString& keys) {
    for (QChar key : keys) Press(picker_->isVisible() ? static_cast<QWidget*>(picker_->List()) : &combo_, key);
  }
  QString Text() const { return combo_.currentText(); }
  int Caret() const { return combo_.lineEdit()->cursorPosition(); }

  PlotExpressions plot_;
  TComboExpr combo_;
  TfmAutoComp* picker_ = TfmAutoComp::Shared();
};

TEST_F(ExpressionInputTest, StartsWithASelectedCommentThatTheFirstLetterReplaces) {
  TComboExpr fresh;
  EXPECT_EQ(fresh.currentText(), QStringLiteral("{Ingrese aquí una expresión para evaluar}"));
  EXPECT_EQ(fresh.lineEdit()->selectedText(), fresh.currentText());
  fresh.SetFunctionList(&plot_.Expression(PlotExpressions::kFunc).Functions());
  QTest::keyClick(&fresh, 'x');
  EXPECT_TRUE(picker_->isVisible());
  EXPECT_EQ(fresh.currentText(), QStringLiteral("x"));
}

TEST_F(ExpressionInputTest, KeypadPairsBecomeOneOperator) {
  struct Row { const char* name; const char* text; int caret; const char* typed; const char* result; int caretAfter; };
  const Row rows[] = {
      {"root", "x", 1, "//", "x\\", 2},       {"power", "x", 1, "**", "x^", 2},
      {"open", "x", 1, "/*", "x(", 2},        {"close", "x", 1, "*/", "x)", 2},
      {"bar", "x", 1, "..", "x|", 2},         {"percent", "x", 1, "--", "x%", 2},
      {"inside the text", "a*b", 2, "*", "a^b", 2},
      {"lone first character is no pair", "", 0, "//", "//", 2},
      {"other pairs type normally", "x", 1, "/-*", "x/-*", 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Start(QString::fromLatin1(row.text), row.caret);
    Type(QString::fromLatin1(row.typed));
    EXPECT_EQ(Text(), QString::fromLatin1(row.result));
    EXPECT_EQ(Caret(), row.caretAfter);
  }
}

TEST_F(ExpressionInputTest, EnterAddsToTheHistoryWhenAsked) {
  for (const bool duplicates : {false, true}) {
    SCOPED_TRACE(duplicates ? "duplicates" : "no duplicates");
    TComboExpr box;
    box.SetAutoagregar(true);
    box.SetDuplicados(duplicates);
    for (const char* text : {"x", "y", "X"}) {
      box.setEditText(QString::fromLatin1(text));
      QTest::keyClick(&box, Qt::Key_Return);
    }
    QStringList history;
    for (int i = 0; i < box.count(); ++i) history << box.itemText(i);
    EXPECT_EQ(history, duplicates ? QStringList({"X", "y", "x"}) : QStringList({"X", "y"}));
  }
  combo_.addItem(QStringLiteral("2*3"));
  combo_.activateWindow();
  combo_.setFocus();
  QApplication::processEvents();
  Start(QString(), 0);
  Type(QStringLiteral("2**"));
  EXPECT_EQ(Text(), QStringLiteral("2^")) << "no completion from the history";
}

TEST_F(ExpressionInputTest, ALetterOpensThePickerOnlyWhereANameStarts) {
  // shown: the box's text after the letter
  struct Row { const char* name; const char* text; int caret; const char* shown; bool opens; };
  const Row rows[] = {
      {"after an operator", "2+", 2, "2+s", true},
      {"inside a word", "exp", 2, "exsp", false},
      {"after the first character", "exp", 1, "esxp", true},
      {"inside a comment", "{ab}", 2, "{asb}", false},
      {"after a comment", "{ab}", 4, "{ab}s", true},
      {"inside a message", "'ab'", 1, "'sab'", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Start(QString::fromLatin1(row.text), row.caret);
    Type(QStringLiteral("s"));
    EXPECT_EQ(picker_->isVisible(), row.opens);
    EXPECT_EQ(Text(), QString::fromLatin1(row.shown));
    if (row.opens) {
      EXPECT_EQ(picker_->Prefix(), QStringLiteral("s"));
    }
  }
  picker_->hide();
  TComboExpr unlisted;
  QTest::keyClick(&unlisted, 's');
  EXPECT_FALSE(picker_->isVisible()) << "a box without a function list";
}

TEST_F(ExpressionInputTest, EscSuppressesThePickerUntilEnterF2OrAnEmptyText) {
  Start(QStringLiteral("2+"), 2);
  Type(QStringLiteral("\x1b"));
  EXPECT_TRUE(combo_.PickerSuppressed());
  Type(QStringLiteral("s"));
  EXPECT_FALSE(picker_->isVisible());
  QTest::keyClick(&combo_, Qt::Key_Return);
  Type(QStringLiteral("i"));
  EXPECT_TRUE(picker_->isVisible()) << "after Enter";

  Start(QStringLiteral("2+s"), 3);
  Type(QStringLiteral("\x1b"));
  QTest::keyClick(&combo_, Qt::Key_F2);
  EXPECT_TRUE(picker_->isVisible()) << "F2 opens at once";
  EXPECT_EQ(picker_->Prefix(), QStringLiteral("s"));

  Start(QStringLiteral("x"), 1);
  Type(QStringLiteral("\x1b\b"));
  Type(QStringLiteral("s"));
  EXPECT_TRUE(picker_->isVisible()) << "a key pressed with the text empty";

  Type(QStringLiteral("\x1bi"));
  EXPECT_FALSE(picker_->isVisible()) << "Esc in the picker counts as Esc in the box";
  EXPECT_EQ(Text(), QStringLiteral("si"));
}

TEST_F(ExpressionInputTest, KeysInThePickerInsertTheNameWithItsTemplate) {
  struct Row { const char* name; const char* keys; const char* text; int caret; };
  const Row rows[] = {
      {"Enter puts the caret inside", "sq\r", "sqr()", 4},
      {"an operator after a constant", "pi*", "Pi*", 3},
      {"a digit goes inside", "sin2", "sin(2)", 5},
      {"the largest argument count as a comment", "max\r", "Max(,{255})", 4},
      {"comma steps to the next argument", "hi,", "hipot(,)", 7},
      {"left arrow steps before the parenthesis", "sq<", "sqr()", 3},
      {"Esc keeps what was typed", "si\x1b", "si", 2},
      {"nothing matches: the key goes in as typed", "zz(", "zz(", 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Start(QStringLiteral("1+"), 2);
    Type(QString::fromLatin1(row.keys));
    EXPECT_FALSE(picker_->isVisible());
    EXPECT_EQ(Text(), QStringLiteral("1+") + QString::fromLatin1(row.text));
    EXPECT_EQ(Caret(), 2 + row.caret);
  }
}

TEST_F(ExpressionInputTest, TypingEveryCharacterGivesExactlyTheTextTyped) {
  struct Row { const char* name; const char* typed; };
  const Row rows[] = {
      {"definitions", "a:x^2; b:y^2; a+b"},
      {"nested calls", "sin(x*y)/(1+hipot(x,y))"},
      {"condition with a message", "Si(x>0,ln(x),'neg')"},
      {"more arguments than the template shows", "hipot(x-1,y+1)*Max(x,y,1)"},
      {"comparisons of the polar values", "r<3 & w>0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Start(QString(), 0);
    for (const char c : std::string(row.typed))
      QTest::keyClick(picker_->isVisible() ? static_cast<QWidget*>(picker_->List()) : &combo_, c);
    EXPECT_EQ(Text(), QString::fromLatin1(row.typed));
  }
}

TEST_F(ExpressionInputTest, SelectionFollowsThePrefixAndBackspaceStartsOverFromTheTop) {
  Start(QString(), 0);
  Type(QStringLiteral("s"));
  EXPECT_EQ(picker_->SelectedText(), QStringLiteral("sec( ) - Func: Secante"));
  Type(QStringLiteral("q"));
  EXPECT_EQ(picker_->SelectedText(), QStringLiteral("sqr( ) - Func: Cuadrado"));
  EXPECT_EQ(Text(), QStringLiteral("sq")) << "the prefix shows live";
  Type(QStringLiteral("\b"));
  EXPECT_EQ(picker_->SelectedText(), QStringLiteral("sec( ) - Func: Secante"));
  EXPECT_EQ(Text(), QStringLiteral("s"));
  Type(QStringLiteral("\bzz"));
  EXPECT_EQ(picker_->SelectedText(), QString()) << "nothing sorts after \"zz\"";
}

TEST_F(ExpressionInputTest, ListsEveryNameSortedAndPlacesItselfUnderTheBox) {
  Start(QString(), 0);
  Type(QStringLiteral("x"));
  const QListWidget* list = picker_->List();
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  for (const char* expected : {"sin( ) - Func: Seno", "sen( ) - Func: Seno", "hipot( , ) - Func: Hipotenusa",
                               "Max( , {255}) - Func: Máximo", "Si( , , ) - Func", "Ale - Func: Aleatorio",
                               "Pi - Const: Pi", "x - Variable", "r - Variable", "minX - Entorno"})
    EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
  for (qsizetype i = 1; i < texts.size(); ++i)
    EXPECT_LE(CompareFolded(ToCore(texts[i - 1]), ToCore(texts[i])), 0) << texts[i].toStdString();
  // Within the offscreen platform's 2-pixel window frame of the box's bottom.
  EXPECT_NEAR(picker_->y(), combo_.mapToGlobal(QPoint(0, combo_.height())).y(), 2);
}

TEST_F(ExpressionInputTest, FilledTemplateCompiles) {
  Start(QString(), 0);
  Type(QStringLiteral("max\r3>4"));
  EXPECT_EQ(Text(), QStringLiteral("Max(3,4{255})"));
  TExpresion& func = plot_.Expression(PlotExpressions::kFunc);
  func.SetText(ToCore(Text()));
  EXPECT_TRUE(func.Compiled());
  EXPECT_EQ(func.GetValue(), 4.0f);
}

TEST_F(ExpressionInputTest, F1AsksTheHelpForTheSelectedNameOfAFreshPicker) {
  TfmAutoComp picker;
  QSignalSpy help(&picker, &TfmAutoComp::HelpRequested);
  Start(QString(), 0);
  picker.Open(combo_.lineEdit(), plot_.Expression(PlotExpressions::kFunc).Functions(), u'h');
  const int strip = picker.ScrollCredits()->height();
  QFont helpFont(QStringLiteral("Arial"));
  helpFont.setPixelSize(11);
  EXPECT_GE(strip, 2 * QFontMetrics(helpFont).height()) << "two lines of help at once";
  EXPECT_EQ(picker.ScrollCredits()->Offset(), strip - 1) << "the help starts at the bottom of the strip";
  QTest::keyClick(picker.List(), 'i');
  QTest::keyClick(picker.List(), Qt::Key_F1);
  ASSERT_EQ(help.count(), 1);
  EXPECT_EQ(help.front().front().toString(), QStringLiteral("hipot"));
  EXPECT_TRUE(picker.isVisible());
}

TEST_F(ExpressionInputTest, ClosesByItselfAfterFourPassesOrThreeAfterTheLastKey) {
  TScrollCredits* strip = picker_->ScrollCredits();
  QSignalSpy passes(strip, &TScrollCredits::AfterLastCredit);
  Start(QString(), 0);
  Type(QStringLiteral("si"));
  EXPECT_EQ(picker_->IdleCount(), 3);
  Type(QStringLiteral("\b"));
  QTest::keyClick(&combo_, Qt::Key_F2);
  EXPECT_EQ(picker_->IdleCount(), 4) << "an opening starts from four";
  for (int tick = 0; tick < 10000 && picker_->isVisible(); ++tick) {
    strip->Tick();
    if (passes.count() == 2) QTest::keyClick(picker_->List(), Qt::Key_Down);
  }
  EXPECT_FALSE(picker_->isVisible());
  EXPECT_EQ(passes.count(), 5) << "a key after two passes leaves three more";
  EXPECT_EQ(Text(), QStringLiteral("s")) << "as on Esc";
}

}  // namespace
}  // namespace vorla
