// Ctrl+C in the batch tool. While an InterruptHandler lives, SIGINT only
// sets a flag, which the import and the full compare read through
// UserInterface::StopRequested before their next record and then stop
// cleanly; a second SIGINT ends the process at once with exit code 130.
// The previous handling of SIGINT comes back when the handler goes.
#pragma once

#include <signal.h>

namespace twinscan::cli {

// The exit code of a command stopped by SIGINT (128 + 2, as shells report it).
inline constexpr int kInterruptedExitCode = 130;

class InterruptHandler {
 public:
  InterruptHandler();
  ~InterruptHandler();
  InterruptHandler(const InterruptHandler&) = delete;
  InterruptHandler& operator=(const InterruptHandler&) = delete;

  // True once SIGINT arrived while this handler was installed.
  static bool Interrupted();

 private:
  struct sigaction previous_ {};
};

}  // namespace twinscan::cli
