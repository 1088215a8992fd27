#pragma once
// A command's long work (calculating and writing a file) on the calculation
// service's worker, while the main thread waits for it. SIGINT, SIGTERM and
// SIGHUP are not left to kill the process: they stop the work through its
// stop token, so that the temporary of the file being written is removed,
// and the command exits as a shell reports the signal (130, 143, 129).

#include <exception>
#include <optional>
#include <string>

#include "core/plot/CalculationService.h"

namespace vorla::cli {

struct StoppableResult {
  JobEnd end = JobEnd::kFinished;
  int signal = 0;  // the signal that stopped it, with kStopped
  std::exception_ptr failure;  // with kFailed
  // 128 + the signal, the status a shell gives a command the signal ended.
  int ExitStatus() const { return 128 + signal; }
};

// What a command says when a signal stopped it.
inline constexpr char kStoppedMessage[] = "Cálculo cancelado";

// What a command says of a failure, in UTF-8: the message a document,
// picture or file error carries, or that no thread could start.
std::string FailureText(const std::exception& error);

// For work that did not finish: a failure raised again, or for a stop the
// status to exit with; nothing when it finished.
std::optional<int> StoppedStatus(const StoppableResult& run);

// Runs work to its end or until one of the signals arrives; progress is
// shown on a terminal. Raises std::system_error when no thread can start.
StoppableResult RunStoppable(const JobWork& work);

}  // namespace vorla::cli
