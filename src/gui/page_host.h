// What the pages and editor windows need from the main window: the document they show and
// change, the transfers they start on the window's one worker thread, and the window's report of
// an outcome. The main window implements it; tests may too.
#ifndef TQM5_GUI_PAGE_HOST_H_
#define TQM5_GUI_PAGE_HOST_H_

#include "gui/document.h"
#include "gui/transfer_runner.h"
#include "image/outcome.h"
#include "transfer/transfers.h"

class QWidget;

namespace tqm5::gui {

class PageHost {
 public:
  virtual ~PageHost() = default;

  virtual Document& document() = 0;
  // The runner of every transfer: its `progressed` and `finished` signals feed progress displays.
  virtual TransferRunner& runner() = 0;
  // Starts a transfer as a button does; false when it did not start (another one runs, or no
  // port could be opened, which has been reported). When it ends, the window applies the image
  // the command left (one undo step for a read) and shows its one message.
  virtual bool StartTransfer(const TransferRequest& request) = 0;
  // `widget` starts a transfer or changes the image: it is disabled while a transfer runs.
  virtual void AddBusyWidget(QWidget* widget) = 0;
  // Shows an outcome: its message box when it has one, its detail in the status bar.
  virtual void Report(const Outcome& outcome) = 0;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_PAGE_HOST_H_
