// File > Export Results...: the compared pairs and decisions as the result
// grid shows them (its filter and sort) written as
// CSV, JSON or the HTML report, the type chosen by the file dialog's filter.
//
// An export that takes longer than a moment shows a progress dialog with a
// Cancel button; a cancelled or failed export leaves no file. The written
// path goes to the status text when it is done; a failure is shown in a
// message box and the program goes on.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>

#include "app/results_export_command.h"
#include "record/user_interface.h"
#include "store/view.h"

class QWidget;

namespace twinscan::ui {

inline constexpr const char* kCsvFilter = "CSV table (*.csv)";
inline constexpr const char* kJsonFilter = "JSON (*.json)";
inline constexpr const char* kHtmlFilter = "HTML report (*.html)";

// The format of a file dialog's chosen filter; CSV for any other.
ResultsFormat FormatOfFilter(const QString& filter);
// The request for what the result view shows.
ResultsRequest RequestForView(const store::View& result, store::ResultFilter filter, ResultsFormat format);

// Asks for the file, then exports (see above).
void ExportResultsFromWindow(QWidget* parent, store::Database& db, const store::View& result,
                             store::ResultFilter filter, UserInterface& ui);

// The export to a chosen file with its progress dialog; the outcome goes to
// ui (status text, or a message for a failure).
void ExportResultsWithProgress(QWidget* parent, store::Database& db, const std::filesystem::path& file,
                               const ResultsRequest& request, UserInterface& ui);

}  // namespace twinscan::ui
