// Small constructors shared by the windows' pages.
#ifndef TQM5_GUI_WIDGETS_H_
#define TQM5_GUI_WIDGETS_H_

#include <QPushButton>
#include <QString>

#include "gui/page_host.h"

class QHBoxLayout;

namespace tqm5::gui {

// A push button with its caption and its control name (objectName).
inline QPushButton* Button(const QString& caption, const QString& name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  return button;
}

// The command row of a page's frame: "Reset" at the left, an edit of the image made as one undo
// step named `reset_step`; "Read" and "Write" at the right, the frame's transfers.
struct FrameCommands {
  QString reset_name;
  QString reset_step;
  void (*reset)(MemoryImage&);
  QString read_name;
  TransferCommand read;
  QString write_name;
  TransferCommand write;
};
QHBoxLayout* FrameCommandRow(PageHost& host, const FrameCommands& commands);

}  // namespace tqm5::gui

#endif  // TQM5_GUI_WIDGETS_H_
