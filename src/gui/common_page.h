// The common page (tab "Common Set"): the "Setting" items, the "Title Name" frame, the "OneTouch
// Memory" frame and the "FONT" command. A view of the document: it shows the image and changes it
// only through undoable steps.
#ifndef TQM5_GUI_COMMON_PAGE_H_
#define TQM5_GUI_COMMON_PAGE_H_

#include <QWidget>

#include "gui/page_host.h"

namespace tqm5::gui {

class CommonPage : public QWidget {
  Q_OBJECT

 public:
  explicit CommonPage(PageHost& host, QWidget* parent = nullptr);

  // Shows the image anew (called on every change of the document).
  void Refresh();

 private:
  PageHost& host_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_COMMON_PAGE_H_
