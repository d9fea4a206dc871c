// Small constructors shared by the windows' pages.
#ifndef TQM5_GUI_WIDGETS_H_
#define TQM5_GUI_WIDGETS_H_

#include <QPushButton>
#include <QString>

namespace tqm5::gui {

// A push button with its caption and its control name (objectName).
inline QPushButton* Button(const QString& caption, const QString& name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  return button;
}

}  // namespace tqm5::gui

#endif  // TQM5_GUI_WIDGETS_H_
