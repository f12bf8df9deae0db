#include "cli/interrupt.h"

#include <unistd.h>

#include <csignal>

namespace twinscan::cli {
namespace {

// A signal handler can reach nothing but a flag of static storage; this is
// the one such flag of the tool, written only by OnInterrupt and the handler.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
  if (interrupted) _exit(kInterruptedExitCode);  // the second Ctrl+C does not wait
  interrupted = 1;
}

}  // namespace

InterruptHandler::InterruptHandler() {
  interrupted = 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, &previous_);
}

InterruptHandler::~InterruptHandler() {
  sigaction(SIGINT, &previous_, nullptr);
  interrupted = 0;
}

bool InterruptHandler::Interrupted() { return interrupted != 0; }

}  // namespace twinscan::cli
