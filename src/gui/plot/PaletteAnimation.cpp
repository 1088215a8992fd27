#include "gui/plot/PaletteAnimation.h"

#include <QGuiApplication>
#include <QTimer>

#include "core/io/Bitmap.h"
#include "core/plot/IndexedPicture.h"

namespace vorla {

PaletteAnimation::PaletteAnimation(Bitmap& picture, std::function<int()> speed, QObject* parent)
    : QObject(parent), picture_(picture), speed_(std::move(speed)), timer_(new QTimer(this)) {
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(50);
  connect(timer_, &QTimer::timeout, this, &PaletteAnimation::Tick);
}

bool PaletteAnimation::Running() const { return timer_->isActive(); }

void PaletteAnimation::SetRunning(bool running) {
  if (running == Running()) return;
  if (running) {
    timer_->start();
  } else {
    timer_->stop();
    // Undo the accumulated shift: the picture is again exactly as calculated.
    emit pictureShifted(ShiftIndices(picture_, kUnshifted - offset_));
  }
  offset_ = kUnshifted;
}

void PaletteAnimation::Tick() {
  if (QGuiApplication::applicationState() != Qt::ApplicationActive) return;
  const int shift = ShiftIndices(picture_, speed_());
  if (shift == 0) return;
  offset_ = AdvanceOffset(offset_, shift);
  emit pictureShifted(shift);
}

}  // namespace vorla
