// The version the window and its dialogs show.
#ifndef TQM5_GUI_VERSION_H_
#define TQM5_GUI_VERSION_H_

namespace tqm5::gui {

inline constexpr char kVersionText[] = "2.04";

}  // namespace tqm5::gui

#endif  // TQM5_GUI_VERSION_H_
