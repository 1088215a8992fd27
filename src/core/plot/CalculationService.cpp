#include "core/plot/CalculationService.h"

#include <utility>

#include "core/io/MulDiv.h"

namespace vorla {

CalculationService::CalculationService(JobListener listener)
    : listener_(std::move(listener)), worker_([this](std::stop_token quit) { Loop(std::move(quit)); }) {}

CalculationService::~CalculationService() {
  // The worker, destroyed first, is asked to quit and joined.
  Stop();
}

JobId CalculationService::Submit(JobWork work) {
  std::optional<Pending> dropped;
  JobId id = 0;
  {
    const std::lock_guard guard(lock_);
    id = ++lastId_;
    ++unfinished_;
    if (running_) running_->request_stop();
    dropped = std::exchange(pending_, Pending{id, std::move(work)});
  }
  wake_.notify_all();
  if (dropped) Notify(dropped->id, JobEnd::kStopped);
  return id;
}

void CalculationService::Stop() {
  std::optional<Pending> dropped;
  {
    const std::lock_guard guard(lock_);
    if (running_) running_->request_stop();
    dropped = std::exchange(pending_, std::nullopt);
  }
  if (dropped) Notify(dropped->id, JobEnd::kStopped);
}

bool CalculationService::Busy() const {
  const std::lock_guard guard(lock_);
  return unfinished_ > 0;
}

void CalculationService::WaitIdle() {
  std::unique_lock guard(lock_);
  idle_.wait(guard, [this] { return unfinished_ == 0; });
}

void CalculationService::Loop(std::stop_token quit) {
  for (;;) {
    Pending job;
    {
      std::unique_lock guard(lock_);
      if (!wake_.wait(guard, quit, [this] { return pending_.has_value(); })) return;
      job = std::move(*pending_);
      pending_.reset();
      running_.emplace();
    }
    const JobOutcome outcome = RunOne(job);
    {
      const std::lock_guard guard(lock_);
      running_.reset();
    }
    Notify(outcome.id, outcome.end, outcome.failure);
  }
}

JobOutcome CalculationService::RunOne(Pending& job) {
  std::stop_token stop;
  {
    const std::lock_guard guard(lock_);
    stop = running_->get_token();
  }
  int shown = -1;
  const JobContext context{stop, [&](int done, int rows) {
                             const int percent = MulDiv(done, 100, rows);
                             if (percent == shown || !listener_.progressed) return;
                             shown = percent;
                             listener_.progressed(job.id, percent);
                           }};
  try {
    return {job.id, job.work(context) ? JobEnd::kFinished : JobEnd::kStopped, {}};
  } catch (...) {
    return {job.id, JobEnd::kFailed, std::current_exception()};
  }
}

void CalculationService::Notify(JobId id, JobEnd end, std::exception_ptr failure) {
  if (listener_.finished) listener_.finished(JobOutcome{id, end, std::move(failure)});
  {
    const std::lock_guard guard(lock_);
    --unfinished_;
  }
  idle_.notify_all();
}

}  // namespace vorla
