#pragma once
// Runs a picture calculation on a thread of its own while the window goes on
// handling events, so that it never waits: a newer calculation, or Cancel
// (Esc), stops the one in flight within a row.

#include <QObject>

#include <functional>
#include <stop_token>

#include "core/plot/PlotSession.h"

namespace vorla {

class CalculationRunner : public QObject {
  Q_OBJECT

 public:
  enum class Outcome { kFinished, kCancelled };

  using QObject::QObject;
  ~CalculationRunner() override;

  // Returns when the job ended or was stopped; meanwhile events are handled
  // (and may start a newer Run, which stops this one) and progress gets the
  // percentages on this thread. The job's own failures propagate from here.
  Outcome Run(PlotSession::Job& job, const std::function<void(int)>& progress);
  // Stops the calculation in flight, if any.
  void Cancel();
  bool Busy() const { return current_ != nullptr; }

 private:
  std::stop_source* current_ = nullptr;
};

}  // namespace vorla
