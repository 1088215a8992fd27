// The window by keyboard: Tab order, shortcuts, and the keys of the
// secondary windows.

#include <QTextBrowser>

#include "MainWindowFixture.h"
#include "gui/help/HelpWindow.h"

namespace vorla::gui_test {
namespace {

class KeyboardTest : public MainWindowTest {
 protected:
  void SetUp() override { OpenWindow(700, 500); }

  // The window that `button` opens, made active.
  QWidget* Open(const char* button, const char* window) {
    Child<QToolButton>(button)->click();
    QWidget* opened = window_->findChild<QWidget*>(QString::fromLatin1(window));
    // The offscreen platform keeps the main window active otherwise.
    QApplication::setActiveWindow(opened);
    return opened;
  }
};

// The name of the control holding the focus: a combo box or spin box for its edit.
QString FocusName() {
  QWidget* focus = QApplication::focusWidget();
  while (focus != nullptr && focus->objectName().isEmpty()) focus = focus->parentWidget();
  return focus != nullptr ? focus->objectName() : QString();
}

TEST_F(KeyboardTest, TabVisitsTheToolBarThePictureAndThePanelAsTheyRead) {
  QApplication::setActiveWindow(window_.get());
  Child<QWidget>("cmdAbrir")->setFocus();
  QStringList forward{FocusName()};
  for (int i = 0; i < 60; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (FocusName() == forward.front()) break;
    forward << FocusName();
  }
  const QStringList expected{"cmdAbrir", "tbGuardar", "tbExportar", "tbCopiar", "btnDeshacer", "tbMozaico",
                             "ComboBox1", "tbCalcularAlEscribir", "tbtAspecto", "tbAnimar", "SpinEdit1", "btnFilMin", "btnFilMax",
                             "tbAjustarColor", "tbInformacion", "tbPropiedades", "tbAyuda", "pb", "chkGradiente",
                             "ColFon", "ColZmin", "chkBucleMin", "txtZmin", "txtYmin", "txtXmin", "txtXmax",
                             "txtYmax", "tbRotarDer", "tbRotarIzq", "tbRotar180", "tbMostrarEjes",
                             "tbFlipHorrizontal", "tbFlipVertical", "tbtNormalizar", "tbCentrar", "ComboBox2",
                             "cmdGuardarPal", "cmdBorrarPal", "chkBucleMax", "txtZmax"};
  EXPECT_EQ(forward.join(u' ').toStdString(), expected.join(u' ').toStdString());

  Child<QWidget>("txtZmax")->setFocus();
  QStringList backward{FocusName()};
  for (qsizetype i = 1; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    backward.prepend(FocusName());
  }
  EXPECT_EQ(backward.join(u' ').toStdString(), expected.join(u' ').toStdString()) << "Shift+Tab goes back the same way";
}

TEST_F(KeyboardTest, ShortcutsWorkAndTheHintsShowThem) {
  QApplication::setActiveWindow(window_.get());
  auto* properties = Child<QToolButton>("tbPropiedades");
  EXPECT_EQ(properties->toolTip(), QStringLiteral("Mostrar/Ocultar propiedades (F11)"));
  EXPECT_EQ(Child<QToolButton>("tbCopiar")->toolTip(), QStringLiteral("Copiar (Ctrl+Shift+C)"));
  QTest::keyClick(Child<QWidget>("txtXmin"), Qt::Key_F11);
  EXPECT_FALSE(Child<QWidget>("pnlPropiedades")->isVisible());
}

TEST_F(KeyboardTest, F1InTheMosaicOpensItsTopicAndEscOrCtrlWCloseTheSecondaryWindows) {
  QWidget* mosaic = Open("tbMozaico", "fmMozaico");
  QTest::keyClick(mosaic, Qt::Key_F1);
  auto* help = window_->findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->findChild<QTextBrowser*>()->source().fileName(), QStringLiteral("mosaico.html"));

  for (const auto& [button, name] : {std::pair{"tbMozaico", "fmMozaico"}, std::pair{"tbInformacion", "FMemo"}}) {
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
      QWidget* opened = Open(button, name);
      ASSERT_TRUE(opened->isVisible());
      QTest::keySequence(opened, keys);
      EXPECT_FALSE(opened->isVisible()) << name << " " << keys.toString().toStdString();
    }
  }
}

}  // namespace
}  // namespace vorla::gui_test
