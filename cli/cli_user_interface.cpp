#include "cli/cli_user_interface.h"

#include <cstdio>

namespace twinscan::cli {

CliUserInterface::CliUserInterface(bool terminal) : terminal_(terminal) {}

CliUserInterface::~CliUserInterface() { Finish(); }

void CliUserInterface::SetStatusText(std::string_view text) {
  status_.assign(text);
  finished_ = false;
  if (!terminal_) return;
  auto now = std::chrono::steady_clock::now();
  if (progressShown_ && now - lastShown_ < std::chrono::milliseconds(250)) return;
  lastShown_ = now;
  std::fprintf(stderr, "\r%s\033[K", status_.c_str());
  progressShown_ = true;
}

void CliUserInterface::ShowMessage(std::string_view text) {
  // The progress line gives way to the message and comes back with the next
  // status text.
  if (progressShown_) std::fputs("\r\033[K", stderr);
  progressShown_ = false;
  std::fprintf(stderr, "twinscan-cli: %.*s\n", static_cast<int>(text.size()), text.data());
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
