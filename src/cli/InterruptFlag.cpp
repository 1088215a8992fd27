#include "cli/InterruptFlag.h"

#include <csignal>

namespace vorla::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;
struct sigaction previous {};

void OnInterrupt(int) { interrupted = 1; }

}  // namespace

InterruptFlag::InterruptFlag() {
  interrupted = 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previous);
}

InterruptFlag::~InterruptFlag() { sigaction(SIGINT, &previous, nullptr); }

bool InterruptFlag::Raised() const { return interrupted != 0; }

}  // namespace vorla::cli
