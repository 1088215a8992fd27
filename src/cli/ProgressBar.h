#pragma once
// A progress bar with the time left, drawn on standard error only when that
// is a terminal: redirected output stays free of it.

#include <chrono>

namespace vorla::cli {

class ProgressBar {
 public:
  ProgressBar();
  // Clears the bar's line, so that messages after it start clean.
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Show(long long done, long long total);

 private:
  bool active_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point started_;
  std::chrono::steady_clock::time_point lastDrawn_;
};

}  // namespace vorla::cli
