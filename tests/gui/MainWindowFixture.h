#pragma once
// Shared by the widget tests: answering modal dialogs, scratch files, and the
// main window over a fresh settings folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

#include "gui/plot/fmVorla.h"

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

}  // namespace vorla::gui_test
