// The set-mode page (tab "Set Mode"): every set-mode heading and item as select-only lists, the
// "DTMF" frame, "Reset", "Read" and "Write". A view of the document: it shows the image and changes
// it only through undoable steps.
#ifndef TQM5_GUI_SET_MODE_PAGE_H_
#define TQM5_GUI_SET_MODE_PAGE_H_

#include <QWidget>

#include "gui/page_host.h"

namespace tqm5::gui {

class SetModePage : public QWidget {
  Q_OBJECT

 public:
  explicit SetModePage(PageHost& host, QWidget* parent = nullptr);

  // Shows the image anew (called on every change of the document).
  void Refresh();

 private:
  PageHost& host_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_SET_MODE_PAGE_H_
