// Widget tests run under one QApplication on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "gui/common/AppLocale.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt keeps the file dialog's last folder and history in the user's
  // settings; test processes running side by side would otherwise open their
  // save dialogs in each other's folders (and write into the user's own).
  const QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
  QApplication app(argc, argv);
  vorla::UseDotDecimalSeparator();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
