#include "gui/plot/CalculationRunner.h"

#include <QEventLoop>
#include <QMetaObject>

#include <exception>
#include <memory>
#include <thread>

namespace vorla {

CalculationRunner::~CalculationRunner() { Cancel(); }

void CalculationRunner::Cancel() {
  if (current_ != nullptr) current_->request_stop();
}

CalculationRunner::Outcome CalculationRunner::Run(PlotSession::Job& job, const std::function<void(int)>& progress) {
  Cancel();
  std::stop_source stop;
  current_ = &stop;
  // Progress queued by the worker may be handled after this returns.
  const auto reports = std::make_shared<std::function<void(int)>>(progress);
  QEventLoop loop;
  bool cancelled = false;
  std::exception_ptr failure;
  std::jthread worker([&] {
    try {
      job.Run(
          [this, reports](int percent) {
            QMetaObject::invokeMethod(
                this, [reports, percent] { if (*reports) (*reports)(percent); }, Qt::QueuedConnection);
          },
          stop.get_token());
    } catch (const CalculationCancelled&) {
      cancelled = true;
    } catch (...) {
      failure = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  // The loop also ends when the application quits.
  stop.request_stop();
  worker.join();
  *reports = nullptr;
  if (current_ == &stop) current_ = nullptr;
  if (failure) std::rethrow_exception(failure);
  return cancelled ? Outcome::kCancelled : Outcome::kFinished;
}

}  // namespace vorla
