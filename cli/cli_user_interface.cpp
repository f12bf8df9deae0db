#include "cli/cli_user_interface.h"

#include <cstdio>

#include "cli/interrupt.h"

namespace twinscan::cli {

std::string ProgressLine(const std::string& status, const ProgressEstimate& estimate, const std::string& itemName) {
  std::string line = status;
  if (!line.empty()) line += "  ";
  line += std::to_string(estimate.percent) + "%  " + std::to_string(static_cast<int64_t>(estimate.itemsPerSecond)) +
          " " + itemName + "/s";
  if (estimate.secondsLeft) line += "  " + TimeLeftText(*estimate.secondsLeft) + " left";
  return line;
}

CliUserInterface::CliUserInterface(bool terminal) : terminal_(terminal) {}

CliUserInterface::~CliUserInterface() { Finish(); }

void CliUserInterface::SetStatusText(std::string_view text) {
  status_.assign(text);
  finished_ = false;
  if (!terminal_) return;
  double now = MonotonicSeconds();
  if (now >= nextDraw_) Draw(now);
}

void CliUserInterface::ShowMessage(std::string_view text) {
  // The progress line gives way to the message and comes back with the next
  // status text.
  if (progressShown_) std::fputs("\r\033[K", stderr);
  progressShown_ = false;
  std::fprintf(stderr, "twinscan-cli: %.*s\n", static_cast<int>(text.size()), text.data());
}

void CliUserInterface::ProgressBegin(std::string_view itemName, int64_t totalUnits) {
  working_ = true;
  itemName_.assign(itemName);
  doneUnits_ = doneItems_ = 0;
  meter_.Begin(totalUnits, MonotonicSeconds());
}

void CliUserInterface::ProgressUpdate(int64_t doneUnits, int64_t doneItems) {
  doneUnits_ = doneUnits;
  doneItems_ = doneItems;
  if (onProgress) onProgress(doneUnits, doneItems);
  if (!terminal_) return;
  double now = MonotonicSeconds();
  if (now >= nextDraw_ && meter_.Due(now)) Draw(now);
}

void CliUserInterface::ProgressEnd() {
  working_ = false;
  if (progressShown_) ClearLine();
}

bool CliUserInterface::StopRequested() { return InterruptHandler::Interrupted(); }

void CliUserInterface::Draw(double now) {
  nextDraw_ = now + ProgressMeter::kUpdateEvery;
  std::string line = working_ && meter_.shown()
                         ? ProgressLine(status_, meter_.Estimate(doneUnits_, doneItems_, now), itemName_)
                         : status_;
  std::fprintf(stderr, "\r%s\033[K", line.c_str());
  progressShown_ = true;
}

void CliUserInterface::ClearLine() {
  std::fputs("\r\033[K", stderr);
  progressShown_ = false;
}

void CliUserInterface::Finish() {
  if (finished_) return;
  finished_ = true;
  if (progressShown_) std::fputc('\r', stderr);
  if (!status_.empty()) std::fprintf(stderr, "%s%s\n", status_.c_str(), progressShown_ ? "\033[K" : "");
  progressShown_ = false;
}

void CliUserInterface::Discard() {
  if (progressShown_) std::fputs("\r\033[K", stderr);
  progressShown_ = false;
  finished_ = true;
}

}  // namespace twinscan::cli
