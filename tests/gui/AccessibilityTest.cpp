// What a screen reader finds: the open function picker with its items, the
// program's windows as windows, toggles whose action clicks, and names
// without blanks at their ends.

#include <QAccessible>
#include <QCheckBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QToolButton>

#include "MainWindowFixture.h"
#include "core/expr/Expresion.h"
#include "core/plot/PlotExpressions.h"
#include "gui/common/Accessibility.h"
#include "gui/input/ComboExpr.h"
#include "gui/input/frmAutoComp.h"

namespace vorla::gui_test {
namespace {

QAccessibleInterface* ChildNamed(QAccessibleInterface* parent, const QString& name) {
  for (int i = 0; i < parent->childCount(); ++i) {
    QAccessibleInterface* child = parent->child(i);
    if (child != nullptr && child->text(QAccessible::Name) == name) return child;
  }
  return nullptr;
}

class AccessibilityTest : public MainWindowTest {
 protected:
  void SetUp() override { InstallAccessibility(); }
};

TEST_F(AccessibilityTest, TheOpenPickerIsAWindowOfTheApplicationWithItsSelectedItem) {
  PlotExpressions plot;
  TComboExpr combo;
  combo.SetFunctionList(&plot.Expression(PlotExpressions::kFunc).Functions());
  combo.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&combo));
  QTest::keyClick(&combo, 's');
  TfmAutoComp* picker = TfmAutoComp::Shared();
  ASSERT_TRUE(picker->isVisible());

  QAccessibleInterface* app = QAccessible::queryAccessibleInterface(qApp);
  QAccessibleInterface* window = ChildNamed(app, QStringLiteral("Selector de funciones"));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(app->indexOfChild(window), app->childCount() - 1);
  QAccessibleInterface* list = ChildNamed(window, QStringLiteral("Funciones, variables y constantes"));
  ASSERT_NE(list, nullptr);
  QStringList selected;
  for (int i = 0; i < list->childCount(); ++i)
    if (list->child(i)->state().selected) selected << list->child(i)->text(QAccessible::Name);
  EXPECT_EQ(selected, QStringList{QStringLiteral("sec( ) - Func: Secante")});

  QTest::keyClick(picker->List(), Qt::Key_Escape);
  EXPECT_EQ(ChildNamed(app, QStringLiteral("Selector de funciones")), nullptr) << "gone once closed";
}

TEST_F(AccessibilityTest, AToggleActionDoesWhatAClickDoes) {
  for (const bool toolButton : {false, true}) {
    SCOPED_TRACE(toolButton ? "tool button" : "check box");
    std::unique_ptr<QAbstractButton> toggle;
    if (toolButton) toggle = std::make_unique<QToolButton>();
    else toggle = std::make_unique<QCheckBox>(QStringLiteral("&Bucle"));
    toggle->setCheckable(true);
    QSignalSpy clicks(toggle.get(), &QAbstractButton::clicked);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(toggle.get());
    ASSERT_NE(face->actionInterface(), nullptr);
    face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(face->state().checked);
    if (!toolButton) {
      EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Bucle"));
    }
  }
}

TEST_F(AccessibilityTest, WindowsAreWindowsAndNamesHaveNoBlanksAtTheirEnds) {
  OpenWindow(700, 500);
  QToolButton* mosaicButton = Child<QToolButton>("tbMozaico");
  mosaicButton->click();
  QWidget* mosaic = window_->findChild<QWidget*>(QStringLiteral("fmMozaico"));
  ASSERT_NE(mosaic, nullptr);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(mosaic)->role(), QAccessible::Window);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Child<QWidget>("pb"))->role(), QAccessible::Client)
      << "made without a parent, but a window no more";
  mosaic->close();
  for (const QWidget* control : window_->findChildren<QWidget*>()) {
    const QString name = control->accessibleName();
    EXPECT_EQ(name, name.trimmed()) << control->objectName().toStdString();
  }
}

}  // namespace
}  // namespace vorla::gui_test
