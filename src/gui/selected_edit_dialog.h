// "Edit Selected" (`EditSelectedForm`): every field of the channel dialog, each with its "change"
// tick; OK hands back the `SelectedEdit` the grid applies to every selected channel. Changing a
// field ticks it. The boxes keep the channel dialog's typing and leaving rules; a value that fits
// no channel is refused on OK with the library's reason, and the dialog stays open.
#ifndef TQM5_GUI_SELECTED_EDIT_DIALOG_H_
#define TQM5_GUI_SELECTED_EDIT_DIALOG_H_

#include <QDialog>
#include <array>

#include "editing/selected_edit.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tqm5::gui {

class SelectedEditDialog : public QDialog {
  Q_OBJECT

 public:
  // Starts from `form` (the first selected channel as the channel dialog shows it), nothing
  // ticked. `count` is the number of selected channels.
  SelectedEditDialog(const ChannelForm& form, int count, bool model_j, QWidget* parent = nullptr);

  const SelectedEdit& edit() const { return edit_; }

 private:
  // A "change" tick for `field` in the left column, ticked when `changed` of `control` fires.
  template <typename Control, typename Signal>
  QCheckBox* Tick(EditField field, const QString& caption, Control* control, Signal changed);
  void Confirm();

  bool model_j_;
  std::array<QCheckBox*, kEditFieldCount> ticks_{};
  QLineEdit* freq_mhz_ = nullptr;
  QLineEdit* freq_fraction_ = nullptr;
  QLineEdit* name_ = nullptr;
  QCheckBox* skip_ = nullptr;
  QComboBox* mode_ = nullptr;
  QComboBox* step_ = nullptr;
  QComboBox* tone_mode_ = nullptr;
  QComboBox* tx_tone_ = nullptr;
  QComboBox* rx_tone_ = nullptr;
  QComboBox* dcs_ = nullptr;
  QComboBox* train_ = nullptr;
  QComboBox* shift_ = nullptr;
  QLineEdit* offset_mhz_ = nullptr;
  QLineEdit* offset_khz_ = nullptr;
  SelectedEdit edit_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_SELECTED_EDIT_DIALOG_H_
