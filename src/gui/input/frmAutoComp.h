#pragma once
// TfmAutoComp, the function picker: a popup list of every name an expression
// can use that appears under the caret of an expression field, follows the
// letters typed (shown live in the field) and inserts the chosen name with
// its argument template. One instance serves the whole application.

#include <QFrame>
#include <QPointer>
#include <QString>

#include <vector>

#include "core/expr/PickerItems.h"

class QLineEdit;
class QListWidget;

namespace vorla {

class TFunctionList;
class TScrollCredits;

class TfmAutoComp : public QFrame {
  Q_OBJECT

 public:
  // The application's picker, created on first use and deleted when the
  // application quits; its F1 opens the manual at the item's name.
  static TfmAutoComp* Shared();

  explicit TfmAutoComp(QWidget* parent = nullptr);

  // Shows the picker for `host`, whose text is an expression compiled with
  // `functions`. A typed letter first replaces the host's selection; without
  // one (F2) the character before the caret is the prefix. Returns at once;
  // the picker takes the keyboard until it closes, and on closing leaves the
  // host's caret where the chosen text asks, with nothing selected.
  void Open(QLineEdit* host, const TFunctionList& functions, QChar typed = QChar());

  // The text typed so far, shown in the host between Before and After.
  const QString& Prefix() const { return prefix_; }
  // Passes of the scrolling text left before the picker closes by itself.
  int IdleCount() const { return idleCount_; }
  // The selected item's text, or empty.
  QString SelectedText() const;

  QListWidget* List() const { return lb_; }
  TScrollCredits* ScrollCredits() const { return scrollCredits1_; }

 signals:
  // F1 on an item: the keyword is its text up to the first blank or "(".
  void HelpRequested(const QString& keyword);
  // Esc, or the idle close, left what was typed in `host`.
  void Cancelled(QLineEdit* host);
  // Accepting put `inserted` (a name, with its argument template for a
  // function) at `at` of the host's text.
  void Inserted(QLineEdit* host, int at, const QString& inserted);
  // After closing, the host types `typed` itself, as if the picker had not
  // been open: ":" after a name of the user's own, ")" or "," that may move
  // over a template's.
  void PassedOn(QLineEdit* host, QChar typed);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Prepare(QLineEdit* host, const TFunctionList& functions);
  void BuildItems(const TFunctionList& functions);
  void PlaceUnder(QLineEdit* host);
  void MatchSelection();
  void Refresh();
  void TypeChar(QChar typed);
  void Accept(char typed);
  void CreditsPassed();

  QListWidget* lb_;
  TScrollCredits* scrollCredits1_;
  std::vector<PickerItem> items_;
  const TFunctionList* builtFrom_ = nullptr;
  QPointer<QLineEdit> host_;
  QString before_;
  QString prefix_;
  QString after_;
  int caretResult_ = 0;
  int idleCount_ = 0;
};

}  // namespace vorla
