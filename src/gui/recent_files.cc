#include "gui/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace tqm5::gui {
namespace {

constexpr char kKey[] = "recent/files";

}  // namespace

RecentFilesMenu::RecentFilesMenu(const QString& settings_file, QWidget* parent)
    : QMenu("Recent Files(&R)", parent), settings_file_(settings_file) {
  setObjectName("RecentFiles");
  if (!settings_file_.isEmpty()) {
    paths_ = QSettings(settings_file_, QSettings::IniFormat).value(kKey).toStringList();
    // A list edited by hand stays within the limit.
    while (paths_.size() > kMaxFiles) paths_.removeLast();
  }
  Rebuild();
}

void RecentFilesMenu::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  paths_.removeAll(absolute);
  paths_.prepend(absolute);
  while (paths_.size() > kMaxFiles) paths_.removeLast();
  Store();
  Rebuild();
}

void RecentFilesMenu::Remove(const QString& path) {
  paths_.removeAll(path);
  Store();
  Rebuild();
}

void RecentFilesMenu::Store() {
  if (settings_file_.isEmpty()) return;
  QSettings(settings_file_, QSettings::IniFormat).setValue(kKey, paths_);
}

void RecentFilesMenu::Rebuild() {
  clear();
  for (int i = 0; i < paths_.size(); ++i) {
    // The whole path: two files of one name in different folders stay apart.
    const QString path = paths_[i];
    QAction* action =
        addAction("&" + QString::number(i + 1) + "  " + QDir::toNativeSeparators(path));
    action->setObjectName("RecentFile_" + QString::number(i + 1));
    connect(action, &QAction::triggered, this, [this, path] { emit fileChosen(path); });
  }
  if (paths_.isEmpty()) addAction("(none)")->setEnabled(false);
}

}  // namespace tqm5::gui
