// The batch tool's side of the user interface: message boxes go to stderr at
// once, each line starting "twinscan-cli: "; the status text is shown on a
// terminal at most a few times a second and its last value is printed when
// the tool ends, unless the command failed (Discard).
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "record/user_interface.h"

namespace twinscan::cli {

class CliUserInterface : public UserInterface {
 public:
  explicit CliUserInterface(bool terminal);
  ~CliUserInterface() override;

  void SetStatusText(std::string_view text) override;
  void ShowMessage(std::string_view text) override;

  const std::string& status() const { return status_; }
  // Ends the progress line and prints the last status text.
  void Finish();
  // Ends the progress line without printing the status text: a failed
  // command leaves no status that claims a step it did not take.
  void Discard();

 private:
  bool terminal_;
  bool progressShown_ = false;
  bool finished_ = false;
  std::string status_;
  std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace twinscan::cli
