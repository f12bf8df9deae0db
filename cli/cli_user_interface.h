// The batch tool's side of the user interface: message boxes go to stderr at
// once, each line starting "twinscan-cli: ". On a terminal one line on stderr
// rewrites itself at most ten times a second: the status text and, once long
// work has run half a second, its percentage, items per second and time left;
// the work's end clears the figures. When stderr is no terminal nothing of
// this is drawn. Either way the last status text is printed when the tool
// ends, unless the command failed (Discard). SIGINT (see interrupt.h) is the
// stop request.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "record/progress.h"
#include "record/user_interface.h"

namespace twinscan::cli {

// The terminal line: "Importing ff line  48907  37%  5210 records/s  about 12 s left".
std::string ProgressLine(const std::string& status, const ProgressEstimate& estimate, const std::string& itemName);

class CliUserInterface : public UserInterface {
 public:
  explicit CliUserInterface(bool terminal);
  ~CliUserInterface() override;

  void SetStatusText(std::string_view text) override;
  bool WantsDisplay() override { return terminal_ && MonotonicSeconds() >= nextDraw_; }
  void ShowMessage(std::string_view text) override;
  void ProgressBegin(std::string_view itemName, int64_t totalUnits) override;
  void ProgressUpdate(int64_t doneUnits, int64_t doneItems) override;
  void ProgressEnd() override;
  bool StopRequested() override;

  const std::string& status() const { return status_; }
  // Ends the progress line and prints the last status text.
  void Finish();
  // Ends the progress line without printing the status text: a failed
  // command leaves no status that claims a step it did not take.
  void Discard();

  // Called at every progress update, before anything is drawn; tests stop
  // the work at a chosen record with it.
  std::function<void(int64_t doneUnits, int64_t doneItems)> onProgress;

 private:
  void Draw(double now);
  void ClearLine();

  bool terminal_;
  bool progressShown_ = false;  // a line is on the terminal
  bool finished_ = false;
  std::string status_;
  double nextDraw_ = 0;
  // The long work in progress, if any.
  bool working_ = false;
  std::string itemName_;
  ProgressMeter meter_;
  int64_t doneUnits_ = 0, doneItems_ = 0;
};

}  // namespace twinscan::cli
