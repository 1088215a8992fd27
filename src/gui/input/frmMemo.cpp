#include "gui/input/frmMemo.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "core/expr/Expresion.h"
#include "gui/common/CoreText.h"
#include "gui/help/HelpWindow.h"

namespace vorla {

TFMemo::TFMemo(QWidget* parent) : QDialog(parent, Qt::Tool), memo1_(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("FMemo"));
  memo1_->setObjectName(QStringLiteral("Memo1"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->addWidget(memo1_);
  resize(323, 108);
  move(213, 256);
  memo1_->installEventFilter(this);
  connect(memo1_, &QPlainTextEdit::textChanged, this, &TFMemo::Memo1Change);
  // Esc closes it as any dialog; Ctrl+W as the other secondary windows.
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), this), &QShortcut::activated, this, &QWidget::close);
}

void TFMemo::PrepareEdit(const QString& caption, int helpContext, const QString& text) {
  setWindowTitle(caption);
  helpContext_ = helpContext;
  memo1_->setReadOnly(false);
  memo1_->setPlainText(text);
  setModal(true);
}

void TFMemo::ShowReport(const std::vector<std::string>& lines) {
  setWindowTitle(QStringLiteral("Información del último cálculo"));
  helpContext_ = kInfoHelpContext;
  memo1_->clear();
  for (const std::string& line : lines)
    memo1_->appendPlainText(FromCore(line).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  memo1_->setReadOnly(true);
  setModal(false);
  show();
  raise();
}

QString TFMemo::Text() const { return memo1_->toPlainText(); }

void TFMemo::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  modified_ = false;
}

void TFMemo::Memo1Change() {
  const std::string text = ToCore(memo1_->toPlainText());
  const std::string normalized = TExpresion::NormalizeOperators(text);
  if (normalized != text) {
    // Two characters became one just before the caret: keep it after the new one.
    const int caret = memo1_->textCursor().position() - 1;
    memo1_->setPlainText(FromCore(normalized));
    QTextCursor cursor = memo1_->textCursor();
    cursor.setPosition(std::clamp(caret, 0, static_cast<int>(memo1_->toPlainText().size())));
    memo1_->setTextCursor(cursor);
  }
  modified_ = true;
}

bool TFMemo::eventFilter(QObject* watched, QEvent* event) {
  // F1 is this window's own: the main window's shortcut would show its topic.
  if (watched == memo1_ && event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    event->accept();
    return true;
  }
  if (watched == memo1_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      done(modified_ ? QDialog::Accepted : QDialog::Rejected);
      return true;
    }
    if (key == Qt::Key_Escape) {
      reject();
      return true;
    }
    if (key == Qt::Key_F1) {
      HelpWindow::ShowContext(helpContext_, this);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vorla
