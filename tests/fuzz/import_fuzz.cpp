// libFuzzer target: arbitrary bytes as a Vienna file. The first byte picks
// the file options (2001 layout or lines, header or none, report, the
// corrected file's line ends); the rest is imported as the primary and as the
// secondary file, both tables are exported and the full compare runs. Built
// with address and undefined-behaviour sanitizers by scripts/fuzz.sh; any
// report, crash or escaping exception is a finding.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/export_file_command.h"
#include "app/import_file_command.h"
#include "app/output_guard.h"
#include "compare/compare_engine.h"
#include "settings/compare_settings.h"
#include "store/startup.h"
#include "store/view.h"

namespace {

namespace fs = std::filesystem;
using namespace twinscan;

// Message boxes and status texts go nowhere.
class QuietUserInterface : public UserInterface {
 public:
  void SetStatusText(std::string_view) override {}
  void ShowMessage(std::string_view) override {}
};

// One data directory for the whole fuzzing process, started like the programs.
class FuzzSession {
 public:
  FuzzSession() {
    // In memory where it can be: every output is flushed to disk.
    std::string pattern = fs::is_directory("/dev/shm") ? "/dev/shm/twinscan-fuzz-XXXXXX" : "/tmp/twinscan-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary directory");
    dir_ = pattern;
    db_ = store::StartUp(dir_ / "data", TWINSCAN_PRISTINE_DB, ui_, lock_);
    if (!db_) throw std::runtime_error("start-up failed");
    views_ = std::make_unique<store::Views>(*db_, ui_);
    engine_ = std::make_unique<CompareEngine>(*db_, *views_, settings_, ui_, store::CompareLogPath(dir_ / "data"));
  }
  ~FuzzSession() {
    engine_.reset();
    views_.reset();
    db_.reset();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  void Run(const uint8_t* data, size_t size) {
    const uint8_t choice = size > 0 ? data[0] : 0;
    FileOptions options;
    options.vienna2001Format = choice & 1;
    options.hasHeader = choice & 2;
    options.validationReport = choice & 4;
    options.suppressCleanLines = choice & 8;
    options.export2001NoCrlf = choice & 16;
    options.onlyErrorFreeLines = !(choice & 32);
    settings_.setFileOptions(options, options);

    const fs::path file = dir_ / "input.txt";
    {
      std::ofstream out(file, std::ios::binary | std::ios::trunc);
      if (size > 1) out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    const OutputGuard guard(dir_ / "data");
    std::string header;
    for (FileTag tag : {FileTag::ff, FileTag::sf})
      // As the options say, so that every input reaches the import (the detector still looks at it first).
      RunImportCommand(file, tag, settings_, *db_, views_.get(), ui_, &header, guard,
                       [](const LayoutFinding&) { return LayoutAnswer::AsOptions; });
    RunExportCommand(dir_ / "ff.txt", FileTag::ff, options.export2001NoCrlf, *db_, ui_, guard);
    RunExportCommand(dir_ / "sf.txt", FileTag::sf, !options.export2001NoCrlf, *db_, ui_, guard);
    engine_->RunFull();

    // Appended outputs would grow without end over millions of runs.
    std::error_code ec;
    fs::remove(ReportPathFor(file), ec);
    fs::resize_file(store::CompareLogPath(dir_ / "data"), 0, ec);
  }

 private:
  fs::path dir_;
  QuietUserInterface ui_;
  CompareSettings settings_;
  store::DataDirectoryLock lock_;
  std::unique_ptr<store::Database> db_;
  std::unique_ptr<store::Views> views_;
  std::unique_ptr<CompareEngine> engine_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzSession session;  // libFuzzer gives no other place for state kept across inputs
  session.Run(data, size);
  return 0;
}
