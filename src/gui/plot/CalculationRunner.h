#pragma once
// The calculation service for a window: jobs run on the service's worker,
// and their progress and end come back to the window's thread as queued
// signals. The window's thread only starts, stops and takes results.

#include <QObject>

#include <exception>

#include "core/plot/CalculationService.h"

namespace vorla {

class CalculationRunner : public QObject {
  Q_OBJECT

 public:
  explicit CalculationRunner(QObject* parent = nullptr);
  ~CalculationRunner() override;

  // Starts work on the worker; the job running is stopped, and finished
  // later says how each ended.
  JobId Start(JobWork work) { return service_.Submit(std::move(work)); }
  // Stops the job running, if any.
  void Cancel() { service_.Stop(); }
  bool Busy() const { return service_.Busy(); }
  // Blocks until the job has ended; its finished signal is still to come.
  void WaitIdle() { service_.WaitIdle(); }

 signals:
  void progressed(quint64 id, int percent);
  void finished(quint64 id, vorla::JobEnd end, std::exception_ptr failure);

 private:
  CalculationService service_;
};

}  // namespace vorla
