#include "gui/input/ComboExpr.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "core/expr/TypingAids.h"
#include "gui/input/frmAutoComp.h"
#include "gui/common/CoreText.h"

namespace vorla {

TComboExpr::TComboExpr(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxCount(kMaxHistory);
  // Names are completed by the picker; completing from the history would
  // select text after the caret that the keypad pairs then keep.
  setCompleter(nullptr);
  connect(lineEdit(), &QLineEdit::textChanged, this, &TComboExpr::FollowText);
  setEditText(QStringLiteral("{Ingrese aquí una expresión para evaluar}"));
  lineEdit()->selectAll();
  // Esc in the picker is an Esc in the box: the user wants to type on alone.
  connect(TfmAutoComp::Shared(), &TfmAutoComp::Cancelled, this, [this](const QLineEdit* host) {
    if (host == lineEdit()) pickerSuppressed_ = true;
  });
  connect(TfmAutoComp::Shared(), &TfmAutoComp::Inserted, this,
          [this](const QLineEdit* host, int at, const QString& inserted) {
            if (host == lineEdit()) templateMarks_.MarkTemplate(static_cast<std::size_t>(at), ToCore(inserted));
          });
  connect(TfmAutoComp::Shared(), &TfmAutoComp::PassedOn, this, [this](const QLineEdit* host, QChar typed) {
    if (host == lineEdit()) TypePassedOn(typed);
  });
}

void TComboExpr::FollowText(const QString& text) {
  std::string now = ToCore(text);
  templateMarks_.Follow(followedText_, now);
  followedText_ = std::move(now);
}

void TComboExpr::TypePassedOn(QChar typed) {
  if (!MoveOverTemplate(typed) && !ReplaceKeypadPair(typed)) lineEdit()->insert(QString(typed));
}

void TComboExpr::OpenPicker() {
  if (functionList_ != nullptr) TfmAutoComp::Shared()->Open(lineEdit(), *functionList_);
}

// Where typing goes in: the start of the selection, else the caret.
int TComboExpr::Caret() const {
  const QLineEdit* edit = lineEdit();
  return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void TComboExpr::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      pickerSuppressed_ = false;
      if (autoagregar_) AddToHistory();
      emit EnterPressed();
      event->accept();
      return;
    case Qt::Key_Escape:
      pickerSuppressed_ = true;
      QComboBox::keyPressEvent(event);
      return;
    case Qt::Key_F2:
      pickerSuppressed_ = false;
      OpenPicker();
      event->accept();
      return;
    default:
      if (currentText().isEmpty()) pickerSuppressed_ = false;
      break;
  }
  const QString text = event->text();
  if (text.size() == 1 &&
      (MoveOverTemplate(text.front()) || ReplaceKeypadPair(text.front()) || OpenPickerOnLetter(text.front()))) {
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}

// A "{255}" comment before the template's ")" goes with it: the arguments
// are typed by then.
bool TComboExpr::MoveOverTemplate(QChar typed) {
  QLineEdit* edit = lineEdit();
  if (edit->hasSelectedText() || typed.unicode() > 127) return false;
  const int caret = edit->cursorPosition();
  const std::size_t over =
      templateMarks_.TypedOver(followedText_, static_cast<std::size_t>(caret), static_cast<char>(typed.unicode()));
  if (over == 0) return false;
  if (over > 1) edit->setText(edit->text().remove(caret, static_cast<int>(over) - 1));
  templateMarks_.Unmark(static_cast<std::size_t>(caret));
  edit->setCursorPosition(caret + 1);
  return true;
}

// The character before the caret counts from the second position on.
bool TComboExpr::ReplaceKeypadPair(QChar typed) {
  QLineEdit* edit = lineEdit();
  const int caret = Caret();
  if (caret < 2 || typed.unicode() > 127) return false;
  QString text = edit->text();
  const QChar before = text.at(caret - 1);
  if (before.unicode() > 127) return false;
  const std::optional<char> pair = KeypadPair(static_cast<char>(before.unicode()), static_cast<char>(typed.unicode()));
  if (!pair) return false;
  text[caret - 1] = QChar::fromLatin1(*pair);
  edit->setText(text);
  edit->setCursorPosition(caret);
  return true;
}

bool TComboExpr::OpenPickerOnLetter(QChar typed) {
  if (pickerSuppressed_ || functionList_ == nullptr || typed.unicode() > 127 ||
      !IsNameLetter(static_cast<char>(typed.unicode())))
    return false;
  if (!LetterStartsName(ToCore(lineEdit()->text()), static_cast<std::size_t>(Caret()))) return false;
  TfmAutoComp::Shared()->Open(lineEdit(), *functionList_, typed);
  return true;
}

void TComboExpr::AddToHistory() {
  const QString text = currentText().left(kMaxHistoryText);
  if (!duplicados_) {
    const int equal = findText(text, Qt::MatchFixedString);
    if (equal >= 0) removeItem(equal);
  }
  // The box keeps at most kMaxHistory entries, dropping the last.
  insertItem(0, text);
  setEditText(text);
}

}  // namespace vorla
