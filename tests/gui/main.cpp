// Widget tests run under one QApplication on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>

#include "gui/common/AppLocale.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vorla::UseDotDecimalSeparator();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
