#include "ui/results_export.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>

namespace twinscan::ui {

ResultsFormat FormatOfFilter(const QString& filter) {
  if (filter == kJsonFilter) return ResultsFormat::Json;
  if (filter == kHtmlFilter) return ResultsFormat::Html;
  return ResultsFormat::Csv;
}

ResultsRequest RequestForView(const store::View& result, store::ResultFilter filter, ResultsFormat format) {
  ResultsRequest request;
  request.format = format;
  request.filter = filter;
  request.orderColumn = result.sortColumn;
  request.descending = result.sortDirection == store::SortDirection::Descending;
  return request;
}

void ExportResultsWithProgress(QWidget* parent, store::Database& db, const std::filesystem::path& file,
                               const ResultsRequest& request, UserInterface& ui) {
  QProgressDialog progress(QStringLiteral("Exporting the results..."), QStringLiteral("Cancel"), 0, 1000, parent);
  progress.setObjectName("ResultsExportProgress");
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);  // a quick export shows no dialog
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  ResultsFileOutcome outcome;
  try {
    // The status bar's progress bar shows the time left; the dialog offers Cancel.
    ResultsProgressReport report(ui);
    outcome = ExportResultsToFile(db, db.file().parent_path(), file, request,
                                  report.Callback([&](int64_t written, int64_t total) {
                                    progress.setValue(total > 0 ? static_cast<int>(written * 1000 / total) : 1000);
                                    QApplication::processEvents();
                                    return !progress.wasCanceled();
                                  }));
  } catch (const std::exception& e) {
    outcome.error = std::string("The results cannot be written to ") + file.string() + ": " + e.what();
  }
  progress.close();
  if (outcome.written)
    ui.SetStatusText("Results written to " + file.string());
  else if (outcome.cancelled)
    ui.SetStatusText("Export of the results cancelled");
  else
    ui.ShowMessage(outcome.error);
}

void ExportResultsFromWindow(QWidget* parent, store::Database& db, const store::View& result, store::ResultFilter rows,
                             UserInterface& ui) {
  QString filter = kCsvFilter;
  QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("Export Results"), QString(),
                                              QString(kCsvFilter) + ";;" + kJsonFilter + ";;" + kHtmlFilter, &filter);
  if (file.isEmpty()) return;
  ResultsFormat format = FormatOfFilter(filter);
  // The dialog does not add the type's suffix on every platform.
  static constexpr const char* kSuffixes[] = {".csv", ".json", ".html"};
  if (QFileInfo(file).suffix().isEmpty()) file += kSuffixes[static_cast<int>(format)];
  ExportResultsWithProgress(parent, db, file.toStdString(), RequestForView(result, rows, format), ui);
}

}  // namespace twinscan::ui
