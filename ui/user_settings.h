// UserSettings: what the desktop app remembers for each user between runs,
// in QSettings (INI format, organisation and application "twinscan"): the
// last directory of each import dialog, the recently imported files of each
// kind and the window geometry. The compare options are not remembered: they
// take their start values at every start. Tests point QSettings::setPath at a
// scratch folder.
#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>

#include "settings/compare_settings.h"

namespace twinscan::ui {

class UserSettings {
 public:
  static constexpr int kRecentFiles = 5;

  UserSettings();

  // "" before the first import of that kind.
  QString LastDirectory(FileTag file) const;
  // Newest first, at most kRecentFiles, each file once.
  QStringList RecentFiles(FileTag file) const;
  // Remembers an imported file: its directory and its place in the recent list.
  void Imported(FileTag file, const QString& path);

  QByteArray WindowGeometry() const;
  void SetWindowGeometry(const QByteArray& geometry);

 private:
  QSettings settings_;
};

}  // namespace twinscan::ui
