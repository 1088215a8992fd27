#include "core/plot/ElapsedMs.h"

#include <chrono>
#include <optional>

namespace vorla {

std::int64_t ElapsedMs(bool setMark) {
  using Clock = std::chrono::steady_clock;
  static std::optional<Clock::time_point> mark;
  const Clock::time_point now = Clock::now();
  std::int64_t elapsed = 0;
  if (mark) elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - *mark).count();
  if (setMark) mark = now;
  return elapsed;
}

}  // namespace vorla
