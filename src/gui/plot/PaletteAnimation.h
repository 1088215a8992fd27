#pragma once
// The animation: every 50 ms, while the program is the active application,
// the picture's gradient indices move on by the speed. Stopping it gives the
// picture back exactly as it was calculated.

#include <QObject>

#include <cstdint>
#include <functional>

class QTimer;

namespace vorla {

class Bitmap;

class PaletteAnimation : public QObject {
  Q_OBJECT

 public:
  // picture is the window's, shifted in place; speed is asked at every tick.
  PaletteAnimation(Bitmap& picture, std::function<int()> speed, QObject* parent = nullptr);

  bool Running() const;
  void SetRunning(bool running);
  // A new picture was calculated: its indices are unshifted.
  void PictureRecalculated() { offset_ = kUnshifted; }

 signals:
  // The picture's indices moved by shift (0..251, as ShiftIndices counts) and want showing.
  void pictureShifted(int shift);

 private:
  static constexpr std::uint8_t kUnshifted = 128;

  void Tick();

  Bitmap& picture_;
  std::function<int()> speed_;
  QTimer* timer_;
  std::uint8_t offset_ = kUnshifted;
};

}  // namespace vorla
