// The settings lists of a page: for every set-mode item a caption and a select-only list named
// after the item (`Set_Mode_Display_3`, `Set_Mode_Preset_0`), each choice one undo step, and the
// language switch that re-fills every language-dependent list and caption in place.
#ifndef TQM5_GUI_SETTINGS_LISTS_H_
#define TQM5_GUI_SETTINGS_LISTS_H_

#include <QObject>
#include <QString>
#include <QStringList>
#include <string_view>
#include <vector>

#include "gui/page_host.h"
#include "settings/settings_state.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QWidget;

namespace tqm5::gui {

// The objectName of an item's list: group name, "_", item number.
QString SettingListName(SettingId id);

class SettingsLists : public QObject {
  Q_OBJECT

 public:
  // `page` is the widget whose drawing is held back while the lists are re-filled.
  SettingsLists(PageHost& host, QWidget* page);

  // Adds a caption and a list per item to `grid`, from row `row` on, in columns `column` and
  // `column` + 1. Returns the row after the last one used.
  int AddItems(const std::vector<SettingId>& items, QGridLayout* grid, int row, int column = 0);
  // A caption that follows the settings language: a label's text or a group box's title.
  void AddCaption(QLabel* label, std::string_view en, std::string_view ja);
  void AddCaption(QGroupBox* box, std::string_view en, std::string_view ja);

  QComboBox* list(SettingId id) const;
  // The language the lists and captions show.
  int language() const { return language_; }

  // Shows the image: switches the language when it differs from what the lists show, selects
  // every item's choice and hides the items the model does not have.
  void Refresh();

 private:
  struct Entry {
    SettingId id;
    QComboBox* list;
    QLabel* caption;  // null for the second "CH scope Display" list, which shares the first's
    QStringList ja, en;
    bool refilled;
  };
  struct Caption {
    QLabel* label;
    QGroupBox* box;
    QString en, ja;
  };

  // `SwitchLanguage`: every caption and language-dependent list in `language`, indices kept.
  void SwitchLanguage(int language);

  PageHost& host_;
  QWidget* page_;
  std::vector<Entry> entries_;
  std::vector<Caption> captions_;
  int language_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_SETTINGS_LISTS_H_
