// The common page (tab "Common Set"): the "Setting" items, the "Title Name" frame, the "OneTouch
// Memory" frame and the "FONT" command. A view of the document: it shows the image and changes it
// only through undoable steps.
#ifndef TQM5_GUI_COMMON_PAGE_H_
#define TQM5_GUI_COMMON_PAGE_H_

#include <QStringList>
#include <QWidget>
#include <array>

#include "gui/page_host.h"
#include "image/channel_numbering.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tqm5::gui {

class GlyphTextView;
class SettingsLists;

class CommonPage : public QWidget {
  Q_OBJECT

 public:
  explicit CommonPage(PageHost& host, QWidget* parent = nullptr);

  // Shows the image anew (called on every change of the document).
  void Refresh();

 private:
  QWidget* BuildSettingFrame();
  QWidget* BuildTitleFrame();
  QWidget* BuildOneTouchFrame();
  void RefreshOneTouch();

  PageHost& host_;
  SettingsLists* lists_ = nullptr;
  QLineEdit* title_ = nullptr;
  GlyphTextView* title_view_ = nullptr;
  QComboBox* title_slide_ = nullptr;
  std::array<QComboBox*, kOneTouchKeyCount> banks_{};
  std::array<QComboBox*, kOneTouchKeyCount> channels_{};
  std::array<QCheckBox*, kOneTouchKeyCount> no_set_{};
  QStringList bank_texts_;  // what the nine bank lists show
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_COMMON_PAGE_H_
