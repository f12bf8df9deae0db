#include "app/import_file_command.h"

#include <optional>
#include <utility>

#include "export/corrected_file.h"
#include "record/progress.h"
#include "store/run_info.h"

namespace twinscan {
namespace fs = std::filesystem;

namespace {

// The corrected file written from the records as the import stores them; it
// takes its name only when the import completes, as if written after it.
class CorrectedFileOnTheWay : public ImportedRecords {
 public:
  CorrectedFileOnTheWay(const fs::path& file, bool export2001NoCrlf) : file_(file, export2001NoCrlf) {}

  void Begin(std::string_view headerText) override { open_ = file_.Open(headerText); }
  void Add(const store::RecordRow& row) override {
    if (open_) file_.Add(renderer_, row);
    lastLinenumber_ = std::get<int64_t>(row[store::RecordColumn::linenumber]);
  }

  // Moves the file to its name; the status text and progress end as the
  // writer's own would. A failure is shown; false then.
  bool Finish(UserInterface& ui) {
    if (!open_ || !file_.Commit()) {
      ui.ShowMessage(file_.Message());
      return false;
    }
    ProgressScope shown(ui, "rows", file_.records());
    if (file_.records() > 0) {
      ui.SetStatusText(ExportingStatusText(lastLinenumber_));
      shown.Update(file_.records(), file_.records());
    }
    return true;
  }

 private:
  CorrectedFileWriter file_;
  CorrectedRecordRenderer renderer_;
  bool open_ = false;
  int64_t lastLinenumber_ = 0;
};

// After a cancelled or failed import. A database that cannot be read now
// leaves the grids empty; the import has said what went wrong.
void RereadAfterUnfinishedImport(store::Views& views) {
  try {
    views.RefreshAll();
  } catch (const store::StoreError&) {
  }
}

}  // namespace

fs::path CorrectedPathFor(const fs::path& file) { return fs::path(file.string() + "_annex2bis.txt"); }

HeaderOptions HeaderOptionsOf(const FileOptions& options) { return {options.hasHeader, options.vienna2001Format}; }

LayoutFinding DetectImportLayout(const fs::path& file, const FileOptions& options) {
  return DetectFileLayout(file, HeaderOptionsOf(options));
}

std::string LayoutFindingText(const fs::path& file, const LayoutFinding& finding) {
  if (finding.verdict == LayoutVerdict::NotVienna)
    return "The file " + file.string() + " does not look like Vienna records (" + finding.detected + ").";
  return "The file " + file.string() + " looks like " + finding.detected + ", but its options read it as " +
         finding.optionsRead + ": every record would be read shifted.";
}

ImportCommandResult RunImportCommand(const fs::path& file, FileTag tag, const CompareSettings& settings,
                                     store::Database& db, store::Views* views, UserInterface& ui,
                                     std::string* headerText, const OutputGuard& guard, const LayoutQuestion& ask) {
  ImportCommandResult result;
  const FileOptions& o = settings.fileOptions(tag);
  const OutputGuard outputs = guard.WithInput(file);
  for (auto [asked, output] :
       {std::pair{o.correctedFile, CorrectedPathFor(file)}, std::pair{o.validationReport, ReportPathFor(file)}}) {
    if (!asked) continue;
    if (std::optional<std::string> refusal = outputs.Check(output)) {
      ui.ShowMessage(*refusal);
      result.import.outcome = ImportOutcome::OutputRefused;
      return result;
    }
  }
  HeaderOptions header = HeaderOptionsOf(o);
  LayoutFinding finding = DetectImportLayout(file, o);
  if (finding.refused()) {
    LayoutAnswer answer = ask(finding);
    if (answer == LayoutAnswer::AsDetected && finding.fitting)
      header = *finding.fitting;
    else if (answer != LayoutAnswer::AsOptions) {
      result.refused = true;
      return result;
    }
  }
  if (tag == FileTag::ff) ui.SetStatusText("Importing ff");
  ImportOptions options{header.hasHeader, header.vienna2001Format, o.validationReport, o.suppressCleanLines};
  const std::string table = tag == FileTag::ff ? store::kTable1 : store::kTable2;
  // The grids' snapshots would keep the write-ahead log from being folded back
  // while the table is rebuilt; the views are re-read at the end.
  std::optional<CorrectedFileOnTheWay> corrected;
  if (o.correctedFile) corrected.emplace(CorrectedPathFor(file), o.export2001NoCrlf);
  bool released = false;
  result.import = ImportViennaFile(
      file, table, options, db, ui,
      [views, &released] {
        if (views) views->ReleaseSnapshots();
        released = true;
      },
      corrected ? &*corrected : nullptr);
  if (result.import.outcome != ImportOutcome::Done) {
    // The earlier table is still there: the grids show it again.
    if (views && released) RereadAfterUnfinishedImport(*views);
    if (result.import.outcome == ImportOutcome::Cancelled) ui.SetStatusText(kImportCancelledText);
    return result;
  }
  *headerText = result.import.headerText;
  store::StoreImportInfo(db, {tag == FileTag::ff ? "ff" : "sf", fs::absolute(file).string(), store::LocalTimeText(),
                              result.import.records, result.import.erroneous});
  if (corrected) {
    bool written = corrected->Finish(ui);
    result.correctedWritten = written;
    result.correctedFailed = !written;
  }
  if (tag == FileTag::ff) ui.SetStatusText("Importing ff done");
  if (views) views->RefreshAll();
  return result;
}

}  // namespace twinscan
