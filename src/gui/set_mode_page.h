// The set-mode page (tab "Set Mode"): every set-mode heading and item as select-only lists, the
// "DTMF" frame, "Reset", "Read" and "Write". A view of the document: it shows the image and changes
// it only through undoable steps.
#ifndef TQM5_GUI_SET_MODE_PAGE_H_
#define TQM5_GUI_SET_MODE_PAGE_H_

#include <QWidget>
#include <array>

#include "gui/page_host.h"
#include "textdata/dtmf.h"

class QComboBox;
class QLineEdit;

namespace tqm5::gui {

class SettingsLists;

class SetModePage : public QWidget {
  Q_OBJECT

 public:
  explicit SetModePage(PageHost& host, QWidget* parent = nullptr);

  // Shows the image anew (called on every change of the document).
  void Refresh();

 private:
  QWidget* BuildDtmfFrame();

  PageHost& host_;
  SettingsLists* lists_ = nullptr;
  std::array<QLineEdit*, kDtmfMemoryCount> memories_{};
  // Wait, head, burst, pause, dial channel.
  std::array<QComboBox*, 5> dtmf_lists_{};
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_SET_MODE_PAGE_H_
