// What the two editor windows share: while one is open (modally) the main window's progress
// display, Cancel and Edit menu are out of reach, so each editor carries its own. This bar shows
// the progress of the running transfer with its percentage and a "Cancel", disables the editor's
// commands while a transfer runs, and gives the editor Undo and Redo shortcuts for the document.
#ifndef TQM5_GUI_EDITOR_TRANSFERS_H_
#define TQM5_GUI_EDITOR_TRANSFERS_H_

#include <QWidget>
#include <vector>

#include "gui/page_host.h"

class QAction;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tqm5::gui {

class EditorTransfers : public QWidget {
  Q_OBJECT

 public:
  // `editor` receives the Undo and Redo shortcuts.
  EditorTransfers(PageHost& host, QWidget* editor);

  // `command` edits the image or starts a transfer: disabled while a transfer runs.
  void AddCommand(QWidget* command);
  void AddCommand(QAction* command);
  // Starts `request` as the editor's command; false when it did not start.
  bool Start(const TransferRequest& request);
  bool busy() const { return busy_; }

 signals:
  // A transfer has ended and the main window has applied its image and shown its message.
  void transferEnded(tqm5::TransferCommand command);

 private:
  void SetBusy(bool busy);
  void ShowProgress(const Progress& progress);

  PageHost& host_;
  QProgressBar* bar_ = nullptr;
  QLabel* percent_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::vector<QWidget*> widgets_;
  std::vector<QAction*> actions_;
  bool busy_ = false;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_EDITOR_TRANSFERS_H_
