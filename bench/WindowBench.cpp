// The window's answer to the mouse: from a zoom click on a 1000 x 800 picture
// to the new picture painted, on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "gui/plot/fmVorla.h"
#include "gui/view/PaintBoxM.h"

namespace vorla {
namespace {

// The picture comes back from the calculation service through the event loop.
void WaitForPicture(const TFVorla& window) {
  while (window.Calculating()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void BM_WindowZoom(benchmark::State& state) {
  QTemporaryDir folder;
  TFVorla window(nullptr, folder.path().toStdString());
  window.resize(1200, 1000);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    state.SkipWithError("the window was not shown");
    return;
  }
  auto* picture = window.findChild<TPaintBoxM*>(QStringLiteral("pb"));
  // Grow the window until its picture area is 1000 x 800.
  window.resize(window.size() + QSize(1000, 800) - picture->size());
  QApplication::processEvents();
  WaitForPicture(window);
  if (window.Animating()) QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("tbAnimar")), Qt::LeftButton);
  const QPoint centre(picture->width() / 2, picture->height() / 2);
  bool zoomOut = true;
  for (auto _ : state) {
    // Out and back in, so the view stays where it started.
    QTest::mouseClick(picture, zoomOut ? Qt::RightButton : Qt::LeftButton, {}, centre);
    WaitForPicture(window);
    picture->repaint();
    zoomOut = !zoomOut;
  }
  state.SetLabel(std::to_string(picture->width()) + "x" + std::to_string(picture->height()));
}
BENCHMARK(BM_WindowZoom)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace vorla

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
