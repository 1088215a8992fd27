#pragma once
// Shared by the widget tests: answering modal dialogs, scratch files, and the
// main window over a fresh settings folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QAbstractButton>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolButton>

#include <functional>
#include <memory>

#include "gui/plot/fmVorla.h"
#include "gui/view/PaintBoxM.h"

namespace vorla::gui_test {

// Acts on the next modal dialog as soon as it is up (message boxes and file
// and colour dialogs run their own event loop).
inline QTimer* WhenModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) return;
    timer->stop();
    timer->deleteLater();
    act(dialog);
  });
  timer->start();
  return timer;
}

// Presses `button` of the next message box, after `then`.
inline void Answer(QMessageBox::StandardButton button, std::function<void()> then = {}) {
  WhenModal([button, then](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    if (then) then();
    box->button(button)->click();
  });
}

// Presses "Aceptar" on the next message box, noting its text in `text`.
inline void AcceptMessage(QString& text) {
  WhenModal([&text](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    text = box->text();
    box->button(QMessageBox::Ok)->click();
  });
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class MainWindowTest : public ::testing::Test {
 protected:
  void OpenWindow(int width, int height) {
    window_ = std::make_unique<TFVorla>(nullptr, dir_.path().toStdString());
    window_->resize(width, height);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    WaitForPicture();
  }

  // Handles events until the window has taken the picture being calculated
  // on the calculation service, if any.
  void WaitForPicture() {
    const QDeadlineTimer deadline(30000);
    while (window_->Calculating() && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    ASSERT_FALSE(window_->Calculating()) << "no picture after 30 s";
  }

  template <class T>
  T* Child(const char* name) {
    T* child = window_->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  void StopAnimation() {
    if (window_->Animating()) QTest::mouseClick(Child<QToolButton>("tbAnimar"), Qt::LeftButton);
    ASSERT_FALSE(window_->Animating());
  }

  QTemporaryDir dir_;
  std::unique_ptr<TFVorla> window_;
};

// The window with a still picture, and typing as a user does it.
class FVorlaTest : public MainWindowTest {
 protected:
  // Most tests want a still picture; the animation's start is noted first.
  void SetUp() override {
    OpenWindow(380, 330);
    pb_ = Child<TPaintBoxM>("pb");
    animatedAtStart_ = window_->Animating();
    StopAnimation();
  }

  // Replaces a field's text by typing, then presses Enter in it.
  void TypeAndEnter(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    WaitForPicture();
  }
  // Keys go to the combo box, which holds the focus for its line edit, as
  // the window system delivers them.
  void TypeInCombo(const char* name, const QString& text) {
    QComboBox* combo = Child<QComboBox>(name);
    combo->lineEdit()->selectAll();
    QTest::keyClick(combo, Qt::Key_Delete);
    // Straight into the edit: the box's picker and keypad pairs are tested on their own.
    QTest::keyClicks(combo->lineEdit(), text);
    QTest::keyClick(combo, Qt::Key_Return);
    WaitForPicture();
  }

  // A zoomed view off the origin whose units differ on the two axes.
  void ZoomToAnOffCentreBand() {
    QTest::mouseClick(Child<QToolButton>("tbtAspecto"), Qt::LeftButton);
    QTest::mousePress(pb_, Qt::LeftButton, {}, QPoint(30, 20));
    QTest::mouseMove(pb_, QPoint(150, 60));
    QTest::mouseRelease(pb_, Qt::LeftButton, {}, QPoint(150, 60));
    WaitForPicture();
    window_->IdleUpdate();
  }

  void RightDrag() {
    QTest::mousePress(pb_, Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseMove(pb_, QPoint(110, 104));
    QTest::mouseMove(pb_, QPoint(120, 110));
    QTest::mouseRelease(pb_, Qt::RightButton, {}, QPoint(120, 110));
  }

  void ClickPicture(Qt::MouseButton button, QPoint at) {
    QTest::mouseClick(pb_, button, {}, at);
    WaitForPicture();
  }

  QString FieldText(const char* name) { return Child<QLineEdit>(name)->text(); }
  QString ComboText(const char* name) { return Child<QComboBox>(name)->currentText(); }

  TPaintBoxM* pb_ = nullptr;
  bool animatedAtStart_ = false;
};

}  // namespace vorla::gui_test
