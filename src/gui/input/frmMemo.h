#pragma once
// The multi-line expression editor: a long expression edited over several
// lines, opened modally from an expression field. Reused, read-only and not
// modal, for the information report of the last calculation.

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace vorla {

inline constexpr int kInfoHelpContext = 21;

class TFMemo : public QDialog {
  Q_OBJECT

 public:
  explicit TFMemo(QWidget* parent = nullptr);

  // Sets up an edit; then exec() gives Accepted when Enter ended it after a
  // change, Rejected for Enter without a change and for Esc. caption is the
  // field's short hint ("Función principal").
  void PrepareEdit(const QString& caption, int helpContext, const QString& text);

  // Shows the report lines (core text, as InfoReportLines gives them)
  // read-only and without being modal.
  void ShowReport(const std::vector<std::string>& lines);

  QString Text() const;
  // The text changed since the dialog was shown.
  bool Modified() const { return modified_; }
  int HelpContext() const { return helpContext_; }
  QPlainTextEdit* Memo1() const { return memo1_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Memo1Change();

  QPlainTextEdit* memo1_;
  int helpContext_ = 0;
  bool modified_ = false;
};

}  // namespace vorla
