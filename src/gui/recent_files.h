// The project files opened or saved last, newest first, for the "File(&F)" menu. The list is
// kept in the window's settings file, so that it is there at the next start.
#ifndef TQM5_GUI_RECENT_FILES_H_
#define TQM5_GUI_RECENT_FILES_H_

#include <QMenu>
#include <QString>
#include <QStringList>

namespace tqm5::gui {

class RecentFilesMenu : public QMenu {
  Q_OBJECT

 public:
  static constexpr int kMaxFiles = 8;

  // `settings_file` is the ini file that keeps the list ("" keeps it for this run only).
  explicit RecentFilesMenu(const QString& settings_file, QWidget* parent = nullptr);

  // The files, newest first, as absolute paths.
  const QStringList& paths() const { return paths_; }
  // Puts `path` first; a file already listed moves up, the oldest beyond kMaxFiles goes.
  void Add(const QString& path);
  void Remove(const QString& path);

 signals:
  void fileChosen(const QString& path);

 private:
  void Store();
  void Rebuild();

  QString settings_file_;
  QStringList paths_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_RECENT_FILES_H_
