#include "ui/user_settings.h"

#include <QFileInfo>

namespace twinscan::ui {
namespace {

QString Group(FileTag file) { return file == FileTag::ff ? "primary" : "secondary"; }

}  // namespace

UserSettings::UserSettings() : settings_(QSettings::IniFormat, QSettings::UserScope, "twinscan", "twinscan") {}

QString UserSettings::LastDirectory(FileTag file) const {
  return settings_.value(Group(file) + "/lastDirectory").toString();
}

QStringList UserSettings::RecentFiles(FileTag file) const {
  return settings_.value(Group(file) + "/recentFiles").toStringList();
}

void UserSettings::Imported(FileTag file, const QString& path) {
  settings_.setValue(Group(file) + "/lastDirectory", QFileInfo(path).absolutePath());
  QStringList recent = RecentFiles(file);
  recent.removeAll(path);
  recent.prepend(path);
  settings_.setValue(Group(file) + "/recentFiles", recent.mid(0, kRecentFiles));
}

QByteArray UserSettings::WindowGeometry() const { return settings_.value("window/geometry").toByteArray(); }

void UserSettings::SetWindowGeometry(const QByteArray& geometry) { settings_.setValue("window/geometry", geometry); }

}  // namespace twinscan::ui
