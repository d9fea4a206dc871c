// The bank page (tab "Bank", frame "Bank Setting"): fifty bank-size sliders with number boxes, the
// total, "Reset", "Bank Read", "Bank Write" and "Bank_Link". A view of the document: it shows the
// image and changes it only through undoable steps.
#ifndef TQM5_GUI_BANK_PAGE_H_
#define TQM5_GUI_BANK_PAGE_H_

#include <QGroupBox>

#include "gui/page_host.h"

namespace tqm5::gui {

class BankPage : public QGroupBox {
  Q_OBJECT

 public:
  explicit BankPage(PageHost& host, QWidget* parent = nullptr);

  // Shows the image anew (called on every change of the document).
  void Refresh();

 private:
  PageHost& host_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_BANK_PAGE_H_
