// The window "BANK-LINK Setting" (`Form5`): the eleven bank-link groups as 11 x 50 bank cells,
// their transfers, "Clear" and "OK". Opened modally from the main window; every edit is an undoable
// step of the document. Its transfers run on the window's worker thread, with a progress display of
// its own (the main window's is behind the modal window).
#ifndef TQM5_GUI_BANK_LINK_EDITOR_H_
#define TQM5_GUI_BANK_LINK_EDITOR_H_

#include <QDialog>

#include "gui/page_host.h"

namespace tqm5::gui {

class BankLinkEditor : public QDialog {
  Q_OBJECT

 public:
  explicit BankLinkEditor(PageHost& host, QWidget* parent = nullptr);

  // Shows the image anew (called on every change of the document).
  void Refresh();

 private:
  PageHost& host_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_BANK_LINK_EDITOR_H_
