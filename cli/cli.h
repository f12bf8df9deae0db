// The batch tool's shared parts: the arguments of one command and the
// program start-up that every command runs once its arguments are accepted.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/import_file_command.h"
#include "cli/cli_user_interface.h"
#include "cli/interrupt.h"
#include "settings/compare_settings.h"
#include "store/data_directory_lock.h"
#include "store/database.h"
#include "store/startup.h"
#include "store/view.h"

namespace twinscan::cli {

// Bad arguments: the tool prints the message and the usage, and exits 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// Any other failure, already reported: exit 1.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Cli {
 public:
  Cli(std::filesystem::path dataDir, std::filesystem::path executable, std::vector<std::string> args);

  // Arguments of the command, consumed from the front.
  bool Empty() const { return args_.empty(); }
  std::string Next(const char* what);                                // UsageError when missing
  bool TakeFlag(const std::string& flag);                            // removes the flag wherever it stands
  std::optional<std::string> TakeOption(const std::string& option);  // "--opt VALUE"
  std::vector<std::string> TakeAll(const std::string& option);       // every "--opt VALUE"
  void ExpectEnd();                                                  // UsageError on anything left

  // Whether Start opens the grids' views: the import and the export of the
  // batch tool leave them closed, as nothing of them is shown or kept.
  enum class ViewsAtStart { Open, Closed };
  // Starts like the desktop program: settings at start values, the compare
  // log emptied, the database opened; a data directory it creates is named
  // on stderr. Throws Failure when the start fails.
  void Start(store::CompareLogAtStart compareLog = store::CompareLogAtStart::Empty,
             ViewsAtStart views = ViewsAtStart::Open);

  CompareSettings settings;
  CliUserInterface ui;
  InterruptHandler interrupt;  // SIGINT stops an import or a full compare
  const std::filesystem::path& dataDir() const { return dataDir_; }
  store::Database& db() { return *db_; }
  store::Views& views() { return *views_; }           // when opened
  store::Views* openViews() { return views_.get(); }  // null when closed

 private:
  std::filesystem::path dataDir_;
  std::filesystem::path executable_;
  std::vector<std::string> args_;
  store::DataDirectoryLock lock_;  // released after the database is closed
  std::unique_ptr<store::Database> db_;
  std::unique_ptr<store::Views> views_;
};

// The import flags (--no-2001 --no-header --no-report --no-corrected
// --export-lines --report-clean), each clearing or setting one option of a
// file's start values.
FileOptions TakeImportFlags(Cli& cli);

// The layout check of `import` and `check`, made before the program starts:
// false, with what the file looks like and the flags that fit on stderr, when
// `file` disagrees with `options` and --force was not given.
bool LayoutAccepted(Cli& cli, const std::string& file, const FileOptions& options, bool force);
// The answer the import command gets for a file that disagrees: as the
// options say with --force, else the refusal (printed as above).
LayoutQuestion LayoutAnswerOf(Cli& cli, const std::string& file, bool force);
// Runs the import command of `import` and `check` (guarded outputs, the
// layout answer above) into *result. The exit code that ends the command when
// the import did not run to its end (130 after Ctrl+C, else 1); nullopt when
// it did.
std::optional<int> ImportForCommand(Cli& cli, const std::string& file, FileTag tag, bool force,
                                    ImportCommandResult* result);

// A line number given as an argument: digits only.
bool ParseLineNumber(const std::string& text, int64_t* out);

// The commands. An import or full compare stopped by SIGINT exits with
// kInterruptedExitCode.
int RunImport(Cli& cli);
int RunExport(Cli& cli);
int RunCompare(Cli& cli);
int RunReview(Cli& cli);
int RunCheck(Cli& cli);
int RunResults(Cli& cli);

}  // namespace twinscan::cli
