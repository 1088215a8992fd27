// The multi-line expression editor: operator normalisation with the caret, Enter and Esc, the report mode.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

#include "gui/input/frmMemo.h"

namespace vorla {
namespace {

TEST(MemoEditorTest, TypingAndClosing) {
  // caret: where typing starts
  struct Row { const char* name; QString initial; int caret; QString typed; Qt::Key closingKey; QString text;
    int caretAfter; int result; };
  const Row rows[] = {
      {"Enter at once cancels", "Sen(x)", 6, "", Qt::Key_Return, "Sen(x)", 6, QDialog::Rejected},
      {"power shorthand becomes a caret, Enter accepts", "2", 1, "**x", Qt::Key_Return, "2^x", 3, QDialog::Accepted},
      {"log shorthand becomes a backslash", "a", 1, "//b", Qt::Key_Enter, "a\\b", 3, QDialog::Accepted},
      {"caret stays one before where it was", "x*y+1", 2, "*", Qt::Key_Return, "x^y+1", 2, QDialog::Accepted},
      {"plain typing keeps its caret", "x+y", 1, "-1", Qt::Key_Return, "x-1+y", 3, QDialog::Accepted},
      {"Esc cancels whatever was typed", "x", 1, "**2", Qt::Key_Escape, "x^2", 3, QDialog::Rejected},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TFMemo memo;
    memo.PrepareEdit(QStringLiteral("Función principal"), 16, row.initial);
    memo.open();
    EXPECT_FALSE(memo.Modified());
    QTextCursor cursor = memo.Memo1()->textCursor();
    cursor.setPosition(row.caret);
    memo.Memo1()->setTextCursor(cursor);
    QTest::keyClicks(memo.Memo1(), row.typed);
    EXPECT_EQ(memo.Text(), row.text);
    EXPECT_EQ(memo.Memo1()->textCursor().position(), row.caretAfter);
    QTest::keyClick(memo.Memo1(), row.closingKey);
    EXPECT_FALSE(memo.isVisible());
    EXPECT_EQ(memo.result(), row.result);
    EXPECT_EQ(memo.HelpContext(), 16);
  }
}

TEST(MemoEditorTest, ReportIsReadOnlyAndReusableForEditing) {
  TFMemo memo;
  memo.ShowReport({"100 puntos\r\nVel: 5 Kilopixels/seg", "3 puntos con error: Divisi\xF3n por cero"});
  EXPECT_TRUE(memo.isVisible());
  EXPECT_FALSE(memo.isModal());
  EXPECT_TRUE(memo.Memo1()->isReadOnly());
  EXPECT_EQ(memo.HelpContext(), kInfoHelpContext);
  EXPECT_EQ(memo.Text(), QStringLiteral("100 puntos\nVel: 5 Kilopixels/seg\n3 puntos con error: División por cero"));
  QTest::keyClicks(memo.Memo1(), "**");
  EXPECT_FALSE(memo.Modified());
  QTest::keyClick(memo.Memo1(), Qt::Key_Return);
  EXPECT_FALSE(memo.isVisible());

  memo.PrepareEdit(QStringLiteral("Rango mínimo de Z"), 16, QStringLiteral("-Pi"));
  EXPECT_FALSE(memo.Memo1()->isReadOnly());
  EXPECT_TRUE(memo.isModal());
  EXPECT_EQ(memo.Text(), QStringLiteral("-Pi"));
}

}  // namespace
}  // namespace vorla
