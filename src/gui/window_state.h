// What the window remembers between runs besides the port: its size and position, the tab shown
// last, the recent files and the verify choice. They are kept in an ini file beside the port
// setting file and named after it ("com-window.ini").
#ifndef TQM5_GUI_WINDOW_STATE_H_
#define TQM5_GUI_WINDOW_STATE_H_

#include <QString>
#include <string>

class QMainWindow;
class QTabWidget;

namespace tqm5::gui {

// The window's settings file for the port setting file `com_ini`; "" when `com_ini` is "".
QString WindowSettingsFile(const std::string& com_ini);

// Keeps the window's geometry and the tab shown in `settings_file` (nothing when it is "").
void SaveWindowState(const QString& settings_file, const QMainWindow& window,
                     const QTabWidget& tabs);
// Gives the window the geometry and tab kept by SaveWindowState; a window never saved keeps its
// own. The tab is chosen as a click would choose it, through the tab strip's guard.
void RestoreWindowState(const QString& settings_file, QMainWindow& window, QTabWidget& tabs);

}  // namespace tqm5::gui

#endif  // TQM5_GUI_WINDOW_STATE_H_
