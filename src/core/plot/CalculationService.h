#pragma once
// One worker thread for the long calculations of a window, an export or a
// command: a job is whatever calculates a document at a size (rectangles of
// a picture, or bands into a file); it gets a stop token and reports rows
// done, and the service tells how it ended. A newer job stops the one
// running; nothing is thrown to stop one.

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

#include "core/plot/PictureCalculation.h"

namespace vorla {

enum class JobEnd {
  kFinished,  // ran to its end
  kStopped,   // stopped through its token, or replaced before it started
  kFailed,    // raised anything else: memory, a file, a document
};

using JobId = std::uint64_t;

// What a job is handed while it runs on the worker.
struct JobContext {
  std::stop_token stop;
  // rowsDone of rows; the service turns them into percentages.
  RowProgress progress;
};

// True when the job ran to its end (its file written, its picture whole);
// false when it saw its stop token and gave up.
using JobWork = std::function<bool(const JobContext& context)>;

struct JobOutcome {
  JobId id = 0;
  JobEnd end = JobEnd::kFinished;
  std::exception_ptr failure;  // with kFailed
};

struct JobListener {
  // Called on the worker thread, each time the percentage changes.
  std::function<void(JobId id, int percent)> progressed;
  // Called once per submitted job: on the worker thread, or on the thread
  // that dropped it before it started.
  std::function<void(const JobOutcome& outcome)> finished;
};

class CalculationService {
 public:
  explicit CalculationService(JobListener listener);
  // Stops the running job and waits for the worker.
  ~CalculationService();
  CalculationService(const CalculationService&) = delete;
  CalculationService& operator=(const CalculationService&) = delete;

  // Queues the work to run next: the job running is asked to stop, and a
  // queued one that has not started ends kStopped without running.
  JobId Submit(JobWork work);
  // Asks the running job to stop and drops the queued one.
  void Stop();
  // True from Submit until the job's finished notification returned.
  bool Busy() const;
  // Blocks until no job runs or waits (for callers without an event loop).
  void WaitIdle();

 private:
  struct Pending {
    JobId id;
    JobWork work;
  };

  void Loop(std::stop_token quit);
  JobOutcome RunOne(Pending& job);
  void Notify(JobId id, JobEnd end, std::exception_ptr failure = {});

  JobListener listener_;
  mutable std::mutex lock_;
  std::condition_variable_any wake_;
  std::condition_variable idle_;
  std::optional<Pending> pending_;
  std::optional<std::stop_source> running_;
  JobId lastId_ = 0;
  int unfinished_ = 0;
  std::jthread worker_;  // last: it starts once the rest is built
};

}  // namespace vorla
