#include "cli/cli.h"

#include <unistd.h>

#include <algorithm>

#include "store/startup.h"

namespace twinscan::cli {

Cli::Cli(std::filesystem::path dataDir, std::filesystem::path executable, std::vector<std::string> args)
    : ui(isatty(2)), dataDir_(std::move(dataDir)), executable_(std::move(executable)), args_(std::move(args)) {}

std::string Cli::Next(const char* what) {
  if (args_.empty() || (args_.front().rfind("--", 0) == 0 && args_.front().size() > 2))
    throw UsageError(std::string("missing ") + what);
  std::string value = args_.front();
  args_.erase(args_.begin());
  return value;
}

bool Cli::TakeFlag(const std::string& flag) {
  auto it = std::find(args_.begin(), args_.end(), flag);
  if (it == args_.end()) return false;
  args_.erase(it);
  return true;
}

std::optional<std::string> Cli::TakeOption(const std::string& option) {
  auto it = std::find(args_.begin(), args_.end(), option);
  if (it == args_.end()) return std::nullopt;
  if (it + 1 == args_.end()) throw UsageError(option + " needs a value");
  std::string value = *(it + 1);
  // A forgotten value must not swallow the next option ("--remark --reference X").
  if (value.rfind("--", 0) == 0) throw UsageError(option + " needs a value, not the option " + value);
  args_.erase(it, it + 2);
  return value;
}

std::vector<std::string> Cli::TakeAll(const std::string& option) {
  std::vector<std::string> values;
  while (auto value = TakeOption(option)) values.push_back(*value);
  return values;
}

void Cli::ExpectEnd() {
  if (!args_.empty()) throw UsageError("unexpected argument " + args_.front());
}

void Cli::Start(store::CompareLogAtStart compareLog, ViewsAtStart views) {
  settings.resetToDefaults();
  // The start-up creates a missing data directory; the batch tool says so,
  // as a mistyped --data-dir otherwise goes unnoticed.
  std::error_code ec;
  if (!std::filesystem::exists(dataDir_, ec) && std::filesystem::create_directories(dataDir_, ec))
    ui.ShowMessage("created the data directory " + dataDir_.string());
  db_ = store::StartUp(dataDir_, store::PristineDatabaseBeside(executable_), ui, lock_, compareLog);
  if (!db_) throw Failure("start-up failed");
  if (views == ViewsAtStart::Closed) return;
  try {
    views_ = std::make_unique<store::Views>(*db_, ui);
  } catch (const store::StoreError&) {
    ui.ShowMessage(store::kConnectErrorMessage);
    throw Failure("start-up failed");
  }
}

FileOptions TakeImportFlags(Cli& cli) {
  FileOptions o;
  if (cli.TakeFlag("--no-2001")) o.vienna2001Format = false;
  if (cli.TakeFlag("--no-header")) o.hasHeader = false;
  if (cli.TakeFlag("--no-report")) o.validationReport = false;
  if (cli.TakeFlag("--no-corrected")) o.correctedFile = false;
  if (cli.TakeFlag("--export-lines")) o.export2001NoCrlf = false;
  if (cli.TakeFlag("--report-clean")) o.suppressCleanLines = false;
  return o;
}

namespace {

void PrintRefusal(Cli& cli, const std::string& file, const LayoutFinding& finding) {
  std::string text = LayoutFindingText(file, finding);
  if (finding.fitting)
    text += finding.fittingFlags.empty() ? "\nThe flags that fit: neither --no-2001 nor --no-header."
                                         : "\nThe flags that fit: " + finding.fittingFlags + ".";
  else if (finding.verdict == LayoutVerdict::Misaligned)
    text += "\nNo import flags read it aligned.";
  cli.ui.ShowMessage(text + "\n--force imports it as the options say.");
}

}  // namespace

bool LayoutAccepted(Cli& cli, const std::string& file, const FileOptions& options, bool force) {
  LayoutFinding finding = DetectImportLayout(file, options);
  if (!finding.refused() || force) return true;
  PrintRefusal(cli, file, finding);
  return false;
}

LayoutQuestion LayoutAnswerOf(Cli& cli, const std::string& file, bool force) {
  return [&cli, file, force](const LayoutFinding& finding) {
    if (force) return LayoutAnswer::AsOptions;
    PrintRefusal(cli, file, finding);
    return LayoutAnswer::Cancel;
  };
}

std::optional<int> ImportForCommand(Cli& cli, const std::string& file, FileTag tag, bool force,
                                    ImportCommandResult* result) {
  std::string headerText;
  *result = RunImportCommand(file, tag, cli.settings, cli.db(), cli.openViews(), cli.ui, &headerText,
                             OutputGuard(cli.dataDir()), LayoutAnswerOf(cli, file, force));
  if (result->import.outcome == ImportOutcome::Cancelled) {
    cli.ui.Finish();
    return kInterruptedExitCode;
  }
  if (!result->imported()) return 1;
  return std::nullopt;
}

bool ParseLineNumber(const std::string& text, int64_t* out) {
  if (text.empty() || text.size() > 18) return false;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  *out = value;
  return true;
}

}  // namespace twinscan::cli
