#include "gui/window_state.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QSettings>
#include <QTabWidget>

#include "gui/message_boxes.h"

namespace tqm5::gui {

QString WindowSettingsFile(const std::string& com_ini) {
  if (com_ini.empty()) return {};
  QFileInfo port_file(Utf8(com_ini));
  return port_file.absolutePath() + "/" + port_file.completeBaseName() + "-window.ini";
}

void SaveWindowState(const QString& settings_file, const QMainWindow& window,
                     const QTabWidget& tabs) {
  if (settings_file.isEmpty()) return;
  QSettings settings(settings_file, QSettings::IniFormat);
  settings.setValue("window/geometry", window.saveGeometry());
  settings.setValue("window/tab", tabs.currentIndex());
}

void RestoreWindowState(const QString& settings_file, QMainWindow& window, QTabWidget& tabs) {
  if (settings_file.isEmpty()) return;
  QSettings settings(settings_file, QSettings::IniFormat);
  // Qt keeps a geometry saved on a screen since removed within the screens there are.
  QByteArray geometry = settings.value("window/geometry").toByteArray();
  if (!geometry.isEmpty()) window.restoreGeometry(geometry);
  bool ok = false;
  const int tab = settings.value("window/tab").toInt(&ok);
  if (ok && tab > 0 && tab < tabs.count()) tabs.setCurrentIndex(tab);
}

}  // namespace tqm5::gui
