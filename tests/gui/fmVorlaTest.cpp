// The main window as a user meets it.

#include <gtest/gtest.h>

#include "gui/plot/fmVorla.h"

namespace vorla {
namespace {

TEST(FVorlaTest, CaptionIsTheVersionTitle) {
  TFVorla window;
  window.show();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Vorlascope 1.23"));
}

}  // namespace
}  // namespace vorla
