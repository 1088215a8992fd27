#pragma once
// TComboExpr: the editable combo box in which an expression is typed, with a
// drop-down history and two typing aids: keypad pairs that turn two keypad
// characters into one operator ("**" power, "//" root, "/*" and "*/"
// parentheses, ".." "|", "--" "%"), and the function picker, which opens
// when a letter starts a name. Typing "," or ")" just before one that came
// with a picked template moves over it.

#include <QComboBox>

#include <string>

#include "core/expr/TypingAids.h"

namespace vorla {

class TFunctionList;

class TComboExpr : public QComboBox {
  Q_OBJECT

 public:
  static constexpr int kMaxHistory = 50;
  static constexpr int kMaxHistoryText = 255;

  // Starts with a comment, "{Ingrese aquí una expresión para evaluar}", all
  // selected; creates the application's picker if there is none yet.
  explicit TComboExpr(QWidget* parent = nullptr);

  // The function list of the expression this box edits (not owned); while
  // there is none the picker does not open from typing.
  void SetFunctionList(const TFunctionList* functions) { functionList_ = functions; }
  const TFunctionList* FunctionList() const { return functionList_; }

  // Esc, in the box or in its picker, stops letters from opening the picker
  // until Enter, F2, or a key pressed while the text is empty.
  bool PickerSuppressed() const { return pickerSuppressed_; }

  // Enter puts the text at the top of the history (at most 50 entries);
  // unless duplicates are allowed an equal entry, in any letter case, goes first.
  void SetAutoagregar(bool add) { autoagregar_ = add; }
  void SetDuplicados(bool allow) { duplicados_ = allow; }

  // Opens the picker at the caret, as F2 does.
  void OpenPicker();

 signals:
  // Enter was pressed in the box.
  void EnterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FollowText(const QString& text);
  void TypePassedOn(QChar typed);
  bool MoveOverTemplate(QChar typed);
  bool ReplaceKeypadPair(QChar typed);
  bool OpenPickerOnLetter(QChar typed);
  int Caret() const;
  void AddToHistory();

  const TFunctionList* functionList_ = nullptr;
  bool pickerSuppressed_ = false;
  bool autoagregar_ = false;
  bool duplicados_ = false;
  TemplateMarks templateMarks_;
  std::string followedText_;  // core text the marks were last moved with
};

}  // namespace vorla
