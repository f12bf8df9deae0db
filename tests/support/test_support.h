// Shared test helpers: temporary directories, a user interface that records
// what it was told, a valid base record with one field varied, and a fresh
// database built from the schema.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "record/user_interface.h"
#include "store/database.h"

namespace twinscan::testing {

// A fresh directory removed at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Records every call; answers message boxes at once.
class RecordingUserInterface : public UserInterface {
 public:
  void SetStatusText(std::string_view text) override { statuses.emplace_back(text); }
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void Redraw() override {}
  void Yield() override {
    ++yields;
    if (onYield) onYield();
  }
  bool WantsDisplay() override { return wantsDisplay ? wantsDisplay() : true; }
  void ViewReopened(ViewId id) override { reopened.push_back(id); }
  void CurrentRowChanged(ViewId) override {}
  void ProgressBegin(std::string_view itemName, int64_t totalUnits) override {
    progressItemName.assign(itemName);
    progressTotal = totalUnits;
    ++progressBegins;
  }
  void ProgressUpdate(int64_t doneUnits, int64_t doneItems) override {
    progressUnits = doneUnits;
    progressItems = doneItems;
    if (stopAtItem >= 0 && doneItems >= stopAtItem) stop = true;
  }
  void ProgressEnd() override { ++progressEnds; }
  bool StopRequested() override { return stop; }

  std::vector<std::string> statuses, messages;
  std::vector<ViewId> reopened;
  int yields = 0;
  std::function<void()> onYield;
  std::function<bool()> wantsDisplay;  // unset: always
  // Long work: what it reported last, and a stop once `stopAtItem` items are done.
  std::string progressItemName;
  int64_t progressTotal = 0, progressUnits = 0, progressItems = 0;
  int progressBegins = 0, progressEnds = 0;
  int64_t stopAtItem = -1;
  bool stop = false;
};

// A kill test: runs `work` in a child process whose user interface stops it
// when the status text is `status`; the child is then killed (SIGKILL).
// True when it was killed there, false when the work ended before it.
bool KilledAtStatus(const std::string& status, const std::function<void(UserInterface&)>& work);

// A record of 219 characters that passes every field check without any
// message: 1A 146.5 MHz, 6A FX, 4A ANTWERPEN, 4B BEL, 4C 004E300051N3000 ...
std::string BaseRecord();
// The record with one field (item code as in the layout, "1A unit" for the
// unit place) replaced; the text is padded with blanks or cut to the width.
std::string WithField(std::string record, std::string_view code, std::string_view text);
// The record with several fields replaced: "4A=GENT|1A unit=K" (no '|' in a text).
std::string WithFields(std::string record, std::string_view fields);
// The text of one field of a record.
std::string FieldOf(const std::string& record, std::string_view code);

// A new database with the schema, in dir/twinscan.db.
std::unique_ptr<store::Database> CreateTestDatabase(const std::filesystem::path& dir);
// The pristine database the build made (build/twinscan.db).
std::filesystem::path PristineDatabase();

// A file's bytes, read and written whole.
std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& bytes);

}  // namespace twinscan::testing
