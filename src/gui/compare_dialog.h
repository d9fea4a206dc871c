// "Compare with File...": what differs between the window's image and a project file, one line
// each as the command line's `tqm5 diff` prints it. A double-click (or Enter) on a channel's line
// selects that channel's row in the grid.
#ifndef TQM5_GUI_COMPARE_DIALOG_H_
#define TQM5_GUI_COMPARE_DIALOG_H_

#include <QDialog>
#include <QString>
#include <vector>

#include "editing/image_differences.h"

class QListWidgetItem;

namespace tqm5::gui {

class MainWindow;

// Lists `differences` (from the window's image to the file `file_name`), and above them
// `problems`, the lines of the file that were not taken as they stand ("" when none).
class CompareDialog : public QDialog {
  Q_OBJECT

 public:
  CompareDialog(const std::vector<Difference>& differences, const QString& file_name,
                const QString& problems, QWidget* parent = nullptr);

 signals:
  // The user chose the line of a channel difference.
  void channelChosen(int number);

 private:
  void ItemActivated(QListWidgetItem* item);
};

// The command: asks for a project file, loads it over a copy of the window's image as "Open"
// would (the window's image is not changed), and shows the dialog, which stays open beside the
// window. A file that cannot be loaded gets the message box "Open" gives it.
void CompareWithFile(MainWindow& window);

}  // namespace tqm5::gui

#endif  // TQM5_GUI_COMPARE_DIALOG_H_
