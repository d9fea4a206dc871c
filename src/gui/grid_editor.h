// The channel grid's list commands: the selected rows moved "Up" and "Down", "Insert Empty",
// "Delete and Close Gap", "Sort Bank", "Find..." and "Find Next", and "Edit Selected...". Each
// calls a rule of the library on the rows selected in the grid and makes its change one undo
// step; a refusal is reported with the reason the rule gives.
#ifndef TQM5_GUI_GRID_EDITOR_H_
#define TQM5_GUI_GRID_EDITOR_H_

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "editing/channel_list_edit.h"
#include "editing/selected_edit.h"
#include "gui/page_host.h"

class QAction;
class QMenu;
class QTableView;
class QVBoxLayout;

namespace tqm5::gui {

class GridEditor : public QObject {
  Q_OBJECT

 public:
  // Puts its commands in the grid's context menu; the keys that act on rows (Ctrl+Up,
  // Ctrl+Down, Insert, Ctrl+Delete) work while the grid has the focus.
  GridEditor(PageHost& host, QTableView* grid);

  // The page's buttons beside the grid, from "Up" and "Down" (`LIST_SET_0`, `LIST_SET_1`) on.
  void AddButtons(QVBoxLayout* buttons);
  // "Find..." (Ctrl+F) and "Find Next" (F3) in the window's Edit menu.
  void AddFindActions(QMenu* edit);

  // The channels of the selected rows, ascending; the current row when none is selected.
  std::vector<int> SelectedChannels() const;
  // Selects the rows of `numbers`, the first of them current and scrolled into view.
  void SelectChannels(const std::vector<int>& numbers);

  // "Edit Selected...": the ticked fields of its dialog on every selected channel.
  void EditSelected();
  // "Fill Frequencies...": asks for the start, step, count and name pattern and fills the
  // selected channels, or with one row selected the empty channels from it on in its bank.
  void FillFrequencies();
  void Move(int direction);
  void InsertEmpty();
  void DeleteAndCloseGap();
  void Sort(SortKey key);
  // Asks for the text and finds it from the row after the current one on.
  void Find();
  void FindNext();
  // Finds `text` after the current row: the grid scrolls to the channel found, or the status bar
  // says that none holds it.
  void FindText(const QString& text);

 private:
  // The outcome of an edit of several channels: a message listing the refused channels, or the
  // count of changed ones in the status bar.
  void ReportEdit(const QString& what, const SelectedEditReport& report);
  QAction* GridAction(const QString& caption, const QString& name, const QKeySequence& key);
  // Runs a list edit as one undo step named `what`, then selects where the channels went or
  // reports why nothing changed.
  void Run(const QString& what, const std::function<ListEditResult(MemoryImage&)>& edit);

  PageHost& host_;
  QTableView* grid_;
  QString find_text_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_GRID_EDITOR_H_
