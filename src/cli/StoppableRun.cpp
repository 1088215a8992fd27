#include "cli/StoppableRun.h"

#include <pthread.h>

#include <atomic>
#include <csignal>
#include <ctime>
#include <future>
#include <stop_token>
#include <system_error>
#include <thread>

#include "cli/ProgressBar.h"
#include "core/io/FileError.h"

namespace vorla::cli {
namespace {

// Stops its token when one of the signals arrives. The signals are blocked
// in the calling thread before any other thread starts, so that every thread
// of the work inherits the mask and only this watcher takes them.
class SignalStop {
 public:
  SignalStop() {
    sigemptyset(&signals_);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals_, signal);
    pthread_sigmask(SIG_BLOCK, &signals_, &previous_);
    watcher_ = std::jthread([this](std::stop_token quit) { Watch(quit); });
  }
  ~SignalStop() {
    watcher_.request_stop();
    watcher_.join();
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  SignalStop(const SignalStop&) = delete;
  SignalStop& operator=(const SignalStop&) = delete;

  std::stop_token Token() const { return stop_.get_token(); }
  int Signal() const { return signal_; }

 private:
  // Looks up now and then to see whether it may quit: a handler-free wait
  // cannot be woken otherwise without a signal of its own.
  void Watch(const std::stop_token& quit) {
    const timespec interval{0, 50'000'000};
    while (!quit.stop_requested()) {
      const int signal = sigtimedwait(&signals_, nullptr, &interval);
      if (signal <= 0) continue;
      signal_ = signal;
      stop_.request_stop();
      return;
    }
  }

  sigset_t signals_{};
  sigset_t previous_{};
  std::stop_source stop_;
  std::atomic<int> signal_{0};
  std::jthread watcher_;
};

}  // namespace

std::string FailureText(const std::exception& error) {
  const auto* system = dynamic_cast<const std::system_error*>(&error);
  if (system != nullptr && system->code() == std::errc::resource_unavailable_try_again)
    return "No se pudo iniciar un hilo de cálculo: el sistema no admite más hilos ahora";
  return Utf8Message(error);
}

std::optional<int> StoppedStatus(const StoppableResult& run) {
  if (run.end == JobEnd::kFailed) std::rethrow_exception(run.failure);
  if (run.end == JobEnd::kStopped) return run.ExitStatus();
  return std::nullopt;
}

StoppableResult RunStoppable(const JobWork& work) {
  const SignalStop signals;
  ProgressBar bar;
  std::promise<JobOutcome> finished;
  CalculationService service(
      {[&bar](JobId, int percent) { bar.Show(percent, 100); },
       [&finished](const JobOutcome& outcome) { finished.set_value(outcome); }});
  service.Submit(work);
  // Runs at once when a signal came before the work started.
  const std::stop_callback onSignal(signals.Token(), [&service] { service.Stop(); });
  const JobOutcome outcome = finished.get_future().get();
  return {outcome.end, outcome.end == JobEnd::kStopped ? signals.Signal() : 0, outcome.failure};
}

}  // namespace vorla::cli
