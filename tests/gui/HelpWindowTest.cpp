// The manual's index, its search by word, and the one help window that F1,
// the function picker and the help button open.

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include "MainWindowFixture.h"
#include "gui/help/HelpIndex.h"
#include "gui/help/HelpSearch.h"
#include "gui/help/HelpWindow.h"

namespace vorla {
namespace {

TEST(HelpIndexTest, EntriesComeFromTheirSectionsAndMalformedLinesAreSkipped) {
  const HelpIndex index = HelpIndex::Parse(QStringLiteral(
      "# comment | with | four | fields\n"
      "[Manual]\n"
      "inicio.html | 1 |  | Vorlascope\n"
      "rango.html | 27 28 | | Rectángulo visible\n"
      "roto.html | 3 | sin título\n"
      "[Funciones]\n"
      "trig.html | | | Trigonométricas\n"
      "trig.html#sin | | sin sen | Seno\n"));
  ASSERT_EQ(index.Entries().size(), 4);
  EXPECT_EQ(index.ForContext(28)->title, QStringLiteral("Rectángulo visible"));
  EXPECT_EQ(index.ForContext(3), nullptr);
  const HelpEntry* sine = index.ForKeyword(QStringLiteral("SEN"));
  ASSERT_NE(sine, nullptr);
  EXPECT_EQ(sine->File(), QStringLiteral("trig.html"));
  EXPECT_TRUE(sine->function);
  EXPECT_FALSE(sine->IsGroup());
  EXPECT_TRUE(index.ForKeyword(QStringLiteral("trig.html")) == nullptr);
  EXPECT_TRUE(index.Entries()[2].IsGroup());
  EXPECT_FALSE(index.Entries()[0].function);
}

TEST(HelpSearchTest, FindsWordStartsWithoutCaseOrAccentsAndRanksByMatches) {
  const QList<SearchablePage> pages = {
      {QStringLiteral("a.html"), QStringLiteral("A"), QStringLiteral("Logaritmo natural. El logaritmo de 0 falla.")},
      {QStringLiteral("b.html"), QStringLiteral("B"), QStringLiteral("Tangente hiperbólica y un logaritmo.")},
      {QStringLiteral("c.html"), QStringLiteral("C"), QStringLiteral("Catálogo: dialogar no es logaritmo.")},
  };
  struct Row { const char* name; const char* query; QStringList files; };
  const Row rows[] = {
      {"most matches first", "logar", {"a.html", "b.html", "c.html"}},
      {"a word inside another does not match", "alogo", {}},
      {"accents and case are folded", "HIPERBOLICA", {"b.html"}},
      {"every word is needed", "logaritmo tangente", {"b.html"}},
      {"no words, no pages", " ,. ", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QStringList files;
    for (const SearchHit& hit : SearchPages(pages, QString::fromUtf8(row.query))) files.append(hit.file);
    EXPECT_EQ(files, row.files);
  }
}

class HelpWindowTest : public gui_test::MainWindowTest {
 protected:
  HelpWindow* Help() { return window_->findChild<HelpWindow*>(); }
  std::string Shown() { return Help()->findChild<QTextBrowser*>()->source().fileName().toStdString(); }
  std::string Anchor() { return Help()->findChild<QTextBrowser*>()->source().fragment().toStdString(); }
};

TEST_F(HelpWindowTest, F1OpensTheTopicOfTheFocusedFieldAndTheWindowIsReused) {
  OpenWindow(627, 495);
  auto* xmin = Child<QWidget>("txtXmin");
  xmin->setFocus();
  QTest::keyClick(xmin, Qt::Key_F1);
  ASSERT_NE(Help(), nullptr);
  EXPECT_TRUE(Help()->isVisible());
  EXPECT_EQ(Shown(), "rango.html");
  EXPECT_TRUE(Help()->windowTitle().endsWith(QStringLiteral("Rectángulo visible")));
  auto* contents = Help()->findChild<QTreeWidget*>();
  ASSERT_NE(contents->currentItem(), nullptr);
  EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("Rectángulo visible")) << "the page shown, not the one before";

  HelpWindow::ShowContext(15, window_.get());
  HelpWindow::ShowKeyword(QStringLiteral("HIPOT"), xmin);
  EXPECT_EQ(window_->findChildren<HelpWindow*>().size(), 1);
  EXPECT_EQ(Shown(), "plano.html");
  EXPECT_EQ(Anchor(), "hipot");

  for (QToolButton* button : Help()->findChildren<QToolButton*>())
    if (button->text().contains(QStringLiteral("Atrás"))) button->click();
  EXPECT_EQ(Shown(), "exportar.html");

  for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
    Help()->show();
    // The offscreen platform keeps the main window active otherwise.
    QApplication::setActiveWindow(Help());
    QTest::keySequence(Help(), keys);
    EXPECT_FALSE(Help()->isVisible()) << keys.toString().toStdString();
  }
}

TEST_F(HelpWindowTest, UnknownKeywordOpensTheIndexAtTheNearestNameAndSearchListsPages) {
  OpenWindow(627, 495);
  HelpWindow::ShowKeyword(QStringLiteral("arcs"), window_.get());
  auto* tabs = Help()->findChild<QTabWidget*>();
  EXPECT_EQ(tabs->tabText(tabs->currentIndex()), QStringLiteral("Índice"));
  auto* names = Help()->findChild<QListWidget*>(QStringLiteral("Indice"));
  ASSERT_NE(names->currentItem(), nullptr);
  EXPECT_EQ(names->currentItem()->text(), QStringLiteral("arcsen"));

  Help()->Search(QStringLiteral("indentificador"));
  EXPECT_EQ(tabs->tabText(tabs->currentIndex()), QStringLiteral("Buscar"));
  auto* results = Help()->findChild<QListWidget*>(QStringLiteral("Resultados"));
  ASSERT_EQ(results->count(), 2);
  // One match each: the contents order decides, and the first page is shown.
  EXPECT_EQ(results->item(0)->text().toStdString(), "El lenguaje de expresiones (1)");
  EXPECT_EQ(results->item(1)->text().toStdString(), "Mensajes de error (1)");
  EXPECT_EQ(Shown(), "lenguaje.html");
}

}  // namespace
}  // namespace vorla
