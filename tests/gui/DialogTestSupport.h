#pragma once
// Shared by the dialog tests: acting on the next modal window of a kind
// (a progress box may come up first), and finding named children.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace vorla::gui_test {

template <class Window>
QTimer* WhenModalIs(std::function<void(Window*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
    if (window == nullptr || !window->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(window);
  });
  timer->start();
  return timer;
}

template <class T>
T* NamedChild(const QObject* parent, const char* name) {
  T* child = parent->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

}  // namespace vorla::gui_test
