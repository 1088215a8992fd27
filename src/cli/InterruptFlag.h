#pragma once
// Ctrl+C (SIGINT) while a command works: the handler only raises a flag, and
// the work checks it between rows and abandons itself, so that files being
// written are removed rather than left half-written.

namespace vorla::cli {

class InterruptFlag {
 public:
  // Installs the handler; the destructor restores the one before.
  InterruptFlag();
  ~InterruptFlag();
  InterruptFlag(const InterruptFlag&) = delete;
  InterruptFlag& operator=(const InterruptFlag&) = delete;

  bool Raised() const;
};

}  // namespace vorla::cli
