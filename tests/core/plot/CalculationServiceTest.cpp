// The calculation service: jobs on its worker, a newer job stopping the one
// running, stops and failures reported without exceptions, and poster bands
// stopped from another thread.

#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "../TempDir.h"
#include "core/plot/CalculationService.h"
#include "core/plot/RenderToFile.h"

namespace vorla {
namespace {

using testing_support::TempDir;

// Notes every notification, in the order they come.
struct Notes {
  std::mutex lock;
  std::vector<JobOutcome> finished;
  std::vector<int> percents;

  JobListener Listener() {
    return {[this](JobId, int percent) {
              const std::lock_guard guard(lock);
              percents.push_back(percent);
            },
            [this](const JobOutcome& outcome) {
              const std::lock_guard guard(lock);
              finished.push_back(outcome);
            }};
  }
  JobEnd EndOf(JobId id) {
    const std::lock_guard guard(lock);
    for (const JobOutcome& outcome : finished)
      if (outcome.id == id) return outcome.end;
    ADD_FAILURE() << "job " << id << " never finished";
    return JobEnd::kFailed;
  }
};

// A job that waits for its stop, after saying it runs.
JobWork Holding(std::promise<void>& started) {
  return [&started](const JobContext& job) {
    started.set_value();
    while (!job.stop.stop_requested()) std::this_thread::yield();
    return false;
  };
}

TEST(CalculationServiceTest, ANewerJobStopsTheRunningOneAndReplacesTheQueuedOne) {
  Notes notes;
  CalculationService service(notes.Listener());
  std::promise<void> started;
  const JobId held = service.Submit(Holding(started));
  started.get_future().wait();
  bool queuedRan = false;
  const JobId queued = service.Submit([&](const JobContext&) { return queuedRan = true; });
  const JobId newest = service.Submit([](const JobContext& job) {
    for (int row = 1; row <= 8; ++row) job.progress(row, 8);
    return true;
  });
  service.WaitIdle();
  EXPECT_FALSE(service.Busy());
  EXPECT_FALSE(queuedRan);
  EXPECT_EQ(notes.EndOf(held), JobEnd::kStopped);
  EXPECT_EQ(notes.EndOf(queued), JobEnd::kStopped);
  EXPECT_EQ(notes.EndOf(newest), JobEnd::kFinished);
  EXPECT_EQ(notes.percents, (std::vector<int>{13, 25, 38, 50, 63, 75, 88, 100}));
}

TEST(CalculationServiceTest, HowAJobEndedIsToldNotThrown) {
  struct Row {
    const char* name;
    JobWork work;
    JobEnd end;
  };
  const Row rows[] = {
      {"ran to its end", [](const JobContext&) { return true; }, JobEnd::kFinished},
      {"gave up", [](const JobContext&) { return false; }, JobEnd::kStopped},
      {"out of memory", [](const JobContext&) -> bool { throw std::bad_alloc(); }, JobEnd::kFailed},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Notes notes;
    CalculationService service(notes.Listener());
    const JobId id = service.Submit(row.work);
    service.WaitIdle();
    EXPECT_EQ(notes.EndOf(id), row.end);
    EXPECT_EQ(notes.finished.front().failure != nullptr, row.end == JobEnd::kFailed);
  }
}

// A poster written band by band stops between rows when stopped from
// elsewhere, and its temporary goes with it.
TEST(CalculationServiceTest, StopEndsPosterBandsAndLeavesNoFile) {
  const TempDir dir;
  Notes notes;
  CalculationService service(notes.Listener());
  std::promise<void> halfway;
  std::promise<void> stopped;
  const JobId id = service.Submit([&](const JobContext& job) {
    PlotDocument document = PlotDocument::FileDefaults();
    document.Func = std::string("x*y");
    const RowProgress progress = [&](int done, int rows) {
      if (2 * done != rows) return;
      halfway.set_value();
      stopped.get_future().wait();
    };
    return RenderDocumentToFile(document, 40, 40, std::nullopt, {dir / "p.bmp", {}, {}, std::nullopt}, progress, 1, 4,
                                job.stop)
        .has_value();
  });
  halfway.get_future().wait();
  service.Stop();
  stopped.set_value();
  service.WaitIdle();
  EXPECT_EQ(notes.EndOf(id), JobEnd::kStopped);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace vorla
