// The main window's status bar: a message too long for the room left of the file and port label
// is cut with "…" instead of running into the label, and the whole message is its tooltip.
#ifndef TQM5_GUI_STATUS_BAR_H_
#define TQM5_GUI_STATUS_BAR_H_

#include <QStatusBar>

namespace tqm5::gui {

class MessageStatusBar : public QStatusBar {
 public:
  explicit MessageStatusBar(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_STATUS_BAR_H_
