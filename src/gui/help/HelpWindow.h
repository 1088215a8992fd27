#pragma once
// The manual's window: contents, an index of names, search by word, and the
// pages in a browser with back and forward. One window serves the whole
// program; every request reuses it and brings it up over the window that asked.

#include <QWidget>

#include "gui/help/HelpIndex.h"
#include "gui/help/HelpSearch.h"

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;
class QUrl;

namespace vorla {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // The topic of a help context (F1); the start page for a context without one.
  static void ShowContext(int context, QWidget* asker = nullptr);
  // A function's entry by one of its names ("hipot", "SEN"); the index of
  // names filtered by the keyword when no entry has it.
  static void ShowKeyword(const QString& keyword, QWidget* asker = nullptr);
  // The one window, made on first use from the index at indexPath; nothing
  // (after telling the user) when the index cannot be read.
  static HelpWindow* Instance(QWidget* asker, const QString& indexPath);

  void OpenPage(const QString& page);
  void OpenContext(int context);
  void OpenKeyword(const QString& keyword);
  void Search(const QString& query);

  const HelpIndex& Index() const { return index_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  HelpWindow(HelpIndex index, QWidget* parent);
  // A modal dialog blocks every window but its own children: while one is up
  // the help window is its child, and goes back to the main window when the
  // dialog hides.
  void AttachTo(QWidget* asker);
  void Reparent(QWidget* host);
  QHBoxLayout* BuildNavigationBar();
  QWidget* BuildKeywordPage();
  QWidget* BuildSearchPage(QPushButton*& searchButton);
  void Connect(QPushButton* searchButton);
  void BuildContents();
  void BuildKeywordList();
  void FilterKeywords(const QString& text);
  void ShowOverAsker(QWidget* asker);
  void FollowSource(const QUrl& source);
  const QList<SearchablePage>& SearchablePages();

  HelpIndex index_;
  QList<SearchablePage> searchable_;
  QToolButton* back_;
  QToolButton* forward_;
  QToolButton* home_;
  QTabWidget* tabs_;
  QTreeWidget* contents_;
  QLineEdit* keywordFilter_;
  QListWidget* keywords_;
  QLineEdit* query_;
  QListWidget* results_;
  QTextBrowser* browser_;
};

// The start page of the manual, its table of contents.
inline constexpr char kManualHomePage[] = "index.html";

// The start page's file, for reading the manual in a web browser.
QString ManualHomeFile();

}  // namespace vorla
