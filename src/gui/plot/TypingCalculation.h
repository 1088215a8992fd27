#pragma once
// Plotting while typing: while it is on, every change of the function or
// scale texts restarts a short pause, and when the pause ends the window is
// asked to calculate the texts as they stand. On or off is remembered in the
// settings file.

#include <QObject>
#include <QTimer>

#include <filesystem>

namespace vorla {

class TypingCalculation : public QObject {
  Q_OBJECT

 public:
  // Long enough to let a word be typed, short enough to feel immediate.
  static constexpr int kPauseMs = 150;

  // Reads whether it was on from the settings file (off when it says nothing).
  TypingCalculation(std::filesystem::path settingsFile, QObject* parent = nullptr);

  bool On() const { return on_; }
  // Remembered at once; switching off drops a pause under way.
  void SetOn(bool on);
  // A text changed: the pause starts again while on.
  void TextChanged();

 signals:
  // While on, a text changed after the last pause ended: a calculation of
  // the texts before it is out of date.
  void textChangedWhileOn();
  void pauseEnded();

 private:
  std::filesystem::path settingsFile_;
  bool on_ = false;
  QTimer pause_;
};

}  // namespace vorla
