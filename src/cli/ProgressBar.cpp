#include "cli/ProgressBar.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace vorla::cli {
namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawEvery = std::chrono::milliseconds(200);

std::string Clock(long long seconds) {
  char text[32];
  if (seconds >= 3600)
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
  else
    std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
  return text;
}

}  // namespace

ProgressBar::ProgressBar()
    : active_(::isatty(STDERR_FILENO) == 1), started_(std::chrono::steady_clock::now()), lastDrawn_(started_) {}

ProgressBar::~ProgressBar() {
  if (drawn_) std::fprintf(stderr, "\r%*s\r", kBarWidth + 32, "");
}

void ProgressBar::Show(long long done, long long total) {
  const auto now = std::chrono::steady_clock::now();
  if (!active_ || total <= 0 || done <= 0 || (done < total && now - lastDrawn_ < kRedrawEvery)) return;
  lastDrawn_ = now;
  drawn_ = true;
  const int filled = static_cast<int>(kBarWidth * done / total);
  const double elapsed = std::chrono::duration<double>(now - started_).count();
  const auto left = static_cast<long long>(elapsed * static_cast<double>(total - done) / static_cast<double>(done) + 0.5);
  std::fprintf(stderr, "\r[%s%s] %3lld%%  faltan %s ", std::string(static_cast<std::size_t>(filled), '#').c_str(),
               std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(), done * 100 / total,
               Clock(left).c_str());
  std::fflush(stderr);
}

}  // namespace vorla::cli
