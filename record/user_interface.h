// UserInterface: the only way the core reaches the user.
//
// The desktop app implements it with Qt (status bar panel 6, modal message
// boxes, repaint, one pass of the event loop); the batch tool prints to stderr;
// tests record the calls. Every call returns promptly except ShowMessage in
// the desktop app, which waits for the user's OK like a modal box.
#pragma once

#include <cstdint>
#include <string_view>

namespace twinscan {

enum class ViewId { Primary, Secondary, Result };

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // The progress and status text (panel 6 of the main window).
  virtual void SetStatusText(std::string_view text) = 0;
  // A modal message box with an OK button; returns when it is answered.
  virtual void ShowMessage(std::string_view text) = 0;
  // The same for a message that belongs to one record of an import (the unit
  // messages); lineNumber is the record's linenumber. The desktop app lets
  // the user silence a text for the rest of the import.
  virtual void ShowRecordMessage(std::string_view text, int64_t lineNumber) {
    (void)lineNumber;
    ShowMessage(text);
  }
  // Redraw the main window now.
  virtual void Redraw() {}
  // One pass of the event loop (the full comparison calls it per primary record).
  virtual void Yield() {}
  // Whether display-only work would be seen now. The full compare moves the
  // grids to its current records, re-opens their views and makes its status
  // texts only for the records and pairs it is told yes for (its last status
  // text is set in any case). The desktop app says yes at its repaint rate,
  // the batch tool when its progress line is due; the default keeps every call.
  virtual bool WantsDisplay() { return true; }
  // A view was re-opened: grids re-bind and rewrite their position labels.
  virtual void ViewReopened(ViewId) {}
  // The current row of a view moved.
  virtual void CurrentRowChanged(ViewId) {}

  // Long work (record/progress.h). ProgressBegin comes before the first item
  // with the number of units the work measures itself in (bytes of a file,
  // primary records, rows) and the name of its items ("records", "pairs",
  // "rows"); ProgressUpdate after every item with the units and items done
  // so far, and must be cheap: the receiver decides when to show it;
  // ProgressEnd when the work ends, whatever way.
  virtual void ProgressBegin(std::string_view /*itemName*/, int64_t /*totalUnits*/) {}
  virtual void ProgressUpdate(int64_t /*doneUnits*/, int64_t /*doneItems*/) {}
  virtual void ProgressEnd() {}
  // Asked before each record of an import and each primary record of a full
  // compare: true stops the work there, cleanly (the user cancelled it).
  virtual bool StopRequested() { return false; }
};

// A sink that does nothing; for callers that have no user to tell.
class SilentUserInterface : public UserInterface {
 public:
  void SetStatusText(std::string_view) override {}
  void ShowMessage(std::string_view) override {}
};

}  // namespace twinscan
