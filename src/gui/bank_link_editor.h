// The window "BANK-LINK Setting" (`Form5`): the eleven bank-link groups as 11 x 50 bank cells,
// their transfers, "Clear" and "OK". Opened modally from the main window; every edit is an undoable
// step of the document. Its transfers run on the window's worker thread, with a progress display of
// its own (the main window's is behind the modal window).
#ifndef TQM5_GUI_BANK_LINK_EDITOR_H_
#define TQM5_GUI_BANK_LINK_EDITOR_H_

#include <QDialog>
#include <string>
#include <vector>

#include "gui/editor_transfers.h"
#include "gui/page_host.h"
#include "transfer/transfers.h"

class QPushButton;
class QTableWidget;

namespace tqm5::gui {

class BankLinkEditor : public QDialog {
  Q_OBJECT

 public:
  explicit BankLinkEditor(PageHost& host, QWidget* parent = nullptr);

  // Shows the image anew (called on every change of the document).
  void Refresh();

  // Closing the window (its close box, Escape) keeps what is shown, as "OK" does.
  void reject() override;

 private:
  QWidget* BuildGrid();
  void CellClicked(int row, int column);
  // Stores what the cells show into the image (`StoreGroups`): one undo step when it changes.
  void StoreShown();
  void Transfer(TransferCommand command);

  PageHost& host_;
  QTableWidget* grid_ = nullptr;
  // The progress of the editor's transfers; disables its buttons while one runs.
  EditorTransfers* transfers_ = nullptr;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_BANK_LINK_EDITOR_H_
