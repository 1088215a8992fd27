#include "gui/help/HelpWindow.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

#include "core/plot/ProgramFolder.h"
#include "gui/common/FormUtils.h"

namespace vorla {
namespace {

constexpr int kPageRole = Qt::UserRole;
constexpr char kTitlePrefix[] = "Ayuda de Vorlascope - ";

QPointer<HelpWindow>& TheWindow() {
  static QPointer<HelpWindow> window;
  return window;
}

// The main window, when the asker is one of its dialogs: the help window
// lives as long as it and stays above it.
QWidget* OutermostWindow(QWidget* asker) {
  if (asker == nullptr) return nullptr;
  QWidget* top = asker->window();
  while (top->parentWidget() != nullptr) top = top->parentWidget()->window();
  return top;
}

QString ReadPage(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QToolButton* NavigationButton(const QString& text, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setAccessibleName(text);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  return button;
}

}  // namespace

QString ManualHomeFile() {
  return PagesFolderOf(QString::fromStdString(HelpFilePath())) + QString::fromLatin1(kManualHomePage);
}

void HelpWindow::ShowContext(int context, QWidget* asker) {
  if (HelpWindow* window = Instance(asker, QString::fromStdString(HelpFilePath()))) {
    window->AttachTo(asker);
    window->OpenContext(context);
    window->ShowOverAsker(asker);
  }
}

void HelpWindow::ShowKeyword(const QString& keyword, QWidget* asker) {
  if (HelpWindow* window = Instance(asker, QString::fromStdString(HelpFilePath()))) {
    window->AttachTo(asker);
    window->OpenKeyword(keyword);
    window->ShowOverAsker(asker);
  }
}

HelpWindow* HelpWindow::Instance(QWidget* asker, const QString& indexPath) {
  QPointer<HelpWindow>& window = TheWindow();
  if (window != nullptr) return window;
  std::optional<HelpIndex> index = HelpIndex::Load(indexPath);
  if (!index) {
    AppMessageBox(asker, QStringLiteral("No se encuentra el archivo de ayuda ") + indexPath, QMessageBox::Warning);
    return nullptr;
  }
  window = new HelpWindow(std::move(*index), OutermostWindow(asker));
  return window;
}

HelpWindow::HelpWindow(HelpIndex index, QWidget* parent) : QWidget(parent, Qt::Window), index_(std::move(index)) {
  setObjectName(QStringLiteral("Ayuda"));
  setAccessibleName(QStringLiteral("Ayuda"));
  setWindowTitle(QStringLiteral("Ayuda de Vorlascope"));

  tabs_ = new QTabWidget(this);
  contents_ = new QTreeWidget(tabs_);
  contents_->setHeaderHidden(true);
  contents_->setAccessibleName(QStringLiteral("Contenido"));
  tabs_->addTab(contents_, QStringLiteral("Contenido"));
  tabs_->addTab(BuildKeywordPage(), QStringLiteral("Índice"));
  QPushButton* searchButton = nullptr;
  tabs_->addTab(BuildSearchPage(searchButton), QStringLiteral("Buscar"));

  browser_ = new QTextBrowser(this);
  browser_->setAccessibleName(QStringLiteral("Página de ayuda"));
  browser_->setSearchPaths({index_.PagesFolder()});
  browser_->setOpenExternalLinks(true);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(tabs_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  // Wide enough for the longest page titles of the contents.
  splitter->setSizes({300, 560});
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(BuildNavigationBar());
  layout->addWidget(splitter);
  resize(900, 580);
  CloseOnKeys(*this);

  BuildContents();
  BuildKeywordList();
  Connect(searchButton);
}

QHBoxLayout* HelpWindow::BuildNavigationBar() {
  back_ = NavigationButton(QStringLiteral("< Atrás"), this);
  forward_ = NavigationButton(QStringLiteral("Adelante >"), this);
  home_ = NavigationButton(QStringLiteral("Contenido"), this);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  auto* bar = new QHBoxLayout;
  bar->addWidget(back_);
  bar->addWidget(forward_);
  bar->addWidget(home_);
  bar->addStretch();
  return bar;
}

QWidget* HelpWindow::BuildKeywordPage() {
  auto* page = new QWidget(tabs_);
  keywordFilter_ = new QLineEdit(page);
  keywordFilter_->setPlaceholderText(QStringLiteral("Escriba el nombre de una función"));
  keywordFilter_->setAccessibleName(QStringLiteral("Nombre buscado"));
  keywords_ = new QListWidget(page);
  keywords_->setAccessibleName(QStringLiteral("Índice de nombres"));
  keywords_->setObjectName(QStringLiteral("Indice"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(keywordFilter_);
  layout->addWidget(keywords_);
  return page;
}

QWidget* HelpWindow::BuildSearchPage(QPushButton*& searchButton) {
  auto* page = new QWidget(tabs_);
  query_ = new QLineEdit(page);
  query_->setPlaceholderText(QStringLiteral("Palabras a buscar"));
  query_->setAccessibleName(QStringLiteral("Palabras a buscar"));
  searchButton = new QPushButton(QStringLiteral("Buscar"), page);
  searchButton->setAccessibleName(QStringLiteral("Buscar"));
  results_ = new QListWidget(page);
  results_->setAccessibleName(QStringLiteral("Páginas encontradas"));
  results_->setObjectName(QStringLiteral("Resultados"));
  results_->setWordWrap(true);
  auto* queryRow = new QHBoxLayout;
  queryRow->addWidget(query_);
  queryRow->addWidget(searchButton);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(queryRow);
  layout->addWidget(results_);
  return page;
}

void HelpWindow::Connect(QPushButton* searchButton) {
  const auto openItem = [this](QListWidgetItem* item) { OpenPage(item->data(kPageRole).toString()); };
  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(home_, &QToolButton::clicked, this, [this] { OpenPage(QString::fromLatin1(kManualHomePage)); });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::FollowSource);
  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { OpenPage(item->data(0, kPageRole).toString()); });
  connect(keywordFilter_, &QLineEdit::textEdited, this, &HelpWindow::FilterKeywords);
  connect(keywordFilter_, &QLineEdit::returnPressed, this, [this] {
    if (QListWidgetItem* item = keywords_->currentItem()) OpenPage(item->data(kPageRole).toString());
  });
  connect(keywords_, &QListWidget::itemActivated, this, openItem);
  connect(keywords_, &QListWidget::itemClicked, this, openItem);
  const auto search = [this] { Search(query_->text()); };
  connect(query_, &QLineEdit::returnPressed, this, search);
  connect(searchButton, &QPushButton::clicked, this, search);
  connect(results_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (item->data(kPageRole).isValid()) OpenPage(item->data(kPageRole).toString());
  });
}

void HelpWindow::BuildContents() {
  QTreeWidgetItem* functions = nullptr;
  QTreeWidgetItem* group = nullptr;
  for (const HelpEntry& entry : index_.Entries()) {
    QTreeWidgetItem* item = nullptr;
    if (!entry.function) {
      item = new QTreeWidgetItem(contents_, {entry.title});
    } else {
      if (functions == nullptr) {
        functions = new QTreeWidgetItem(contents_, {QStringLiteral("Funciones y constantes")});
        functions->setData(0, kPageRole, entry.File());
      }
      item = new QTreeWidgetItem(entry.IsGroup() || group == nullptr ? functions : group, {entry.title});
      if (entry.IsGroup()) group = item;
    }
    item->setData(0, kPageRole, entry.page);
  }
}

void HelpWindow::BuildKeywordList() {
  for (const auto& [name, entry] : index_.Keywords()) {
    auto* item = new QListWidgetItem(name, keywords_);
    item->setData(kPageRole, entry->page);
  }
}

void HelpWindow::FilterKeywords(const QString& text) {
  for (int row = 0; row < keywords_->count(); ++row) {
    QListWidgetItem* item = keywords_->item(row);
    if (item->text().startsWith(text, Qt::CaseInsensitive)) {
      keywords_->setCurrentItem(item);
      keywords_->scrollToItem(item, QAbstractItemView::PositionAtTop);
      return;
    }
  }
  keywords_->setCurrentItem(nullptr);
}

void HelpWindow::OpenPage(const QString& page) {
  QUrl url = QUrl::fromLocalFile(index_.PagesFolder() + page.section(QLatin1Char('#'), 0, 0));
  const QString anchor = page.section(QLatin1Char('#'), 1);
  if (!anchor.isEmpty()) url.setFragment(anchor);
  browser_->setSource(url);
}

void HelpWindow::OpenContext(int context) {
  const HelpEntry* entry = index_.ForContext(context);
  OpenPage(entry != nullptr ? entry->page : QString::fromLatin1(kManualHomePage));
}

void HelpWindow::OpenKeyword(const QString& keyword) {
  if (const HelpEntry* entry = index_.ForKeyword(keyword)) {
    OpenPage(entry->page);
    return;
  }
  tabs_->setCurrentIndex(1);
  keywordFilter_->setText(keyword);
  FilterKeywords(keyword);
}

void HelpWindow::Search(const QString& query) {
  tabs_->setCurrentIndex(2);
  query_->setText(query);
  results_->clear();
  const QList<SearchHit> hits = SearchPages(SearchablePages(), query);
  for (const SearchHit& hit : hits) {
    auto* item = new QListWidgetItem(QStringLiteral("%1 (%2)").arg(hit.title).arg(hit.count), results_);
    item->setData(kPageRole, hit.file);
  }
  if (hits.isEmpty()) {
    new QListWidgetItem(QStringLiteral("No hay páginas con esas palabras"), results_);
    return;
  }
  results_->setCurrentRow(0);
  OpenPage(hits.front().file);
  browser_->find(query.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty));
}

const QList<SearchablePage>& HelpWindow::SearchablePages() {
  if (!searchable_.isEmpty()) return searchable_;
  QSet<QString> seen;
  for (const HelpEntry& entry : index_.Entries()) {
    const QString file = entry.File();
    if (seen.contains(file)) continue;
    seen.insert(file);
    const QString html = ReadPage(index_.PagesFolder() + file);
    searchable_.append({file, entry.title, QTextDocumentFragment::fromHtml(html).toPlainText()});
  }
  return searchable_;
}

// The browser's own source() still names the page before while it tells of a new one.
void HelpWindow::FollowSource(const QUrl& source) {
  const QString title = browser_->documentTitle();
  setWindowTitle(title.isEmpty() ? QStringLiteral("Ayuda de Vorlascope") : QString::fromUtf8(kTitlePrefix) + title);
  // The contents show where the reader is.
  const QString page =
      source.fileName() + (source.hasFragment() ? QLatin1Char('#') + source.fragment() : QString());
  for (QTreeWidgetItemIterator it(contents_); *it != nullptr; ++it) {
    if ((*it)->data(0, kPageRole).toString() == page) {
      contents_->setCurrentItem(*it);
      return;
    }
  }
}

void HelpWindow::AttachTo(QWidget* asker) {
  QWidget* modal = QApplication::activeModalWidget();
  QWidget* host = modal != nullptr ? modal : OutermostWindow(asker);
  if (host == nullptr || host == parentWidget()) return;
  Reparent(host);
  if (modal != nullptr) modal->installEventFilter(this);
}

void HelpWindow::Reparent(QWidget* host) {
  const bool shown = isVisible();
  const QRect frame = geometry();
  setParent(host, Qt::Window);
  setGeometry(frame);
  if (shown) show();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && watched == parentWidget()) {
    watched->removeEventFilter(this);
    QWidget* dialog = parentWidget();
    Reparent(dialog->parentWidget() != nullptr ? OutermostWindow(dialog) : nullptr);
  }
  return QWidget::eventFilter(watched, event);
}

void HelpWindow::ShowOverAsker(QWidget* asker) {
  if (!isVisible() && asker != nullptr) {
    const QRect over = OutermostWindow(asker)->frameGeometry();
    move(over.center() - rect().center());
    KeepOnScreen(*this);
  }
  show();
  raise();
  activateWindow();
}

}  // namespace vorla
