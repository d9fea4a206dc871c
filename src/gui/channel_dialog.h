// "Memory Setting" (`Form2`): the channel detail dialog. It shows a `ChannelDialogState` of the
// library, one column or two for a dual pair, and on OK hands back the `ChannelEdit` the
// library's OK rule made. Every typing, leaving, Clear and OK decision is the library's.
#ifndef TQM5_GUI_CHANNEL_DIALOG_H_
#define TQM5_GUI_CHANNEL_DIALOG_H_

#include <QDialog>
#include <array>
#include <vector>

#include "editing/channel_edit.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tqm5::gui {

class ChannelDetailDialog : public QDialog {
  Q_OBJECT

 public:
  ChannelDetailDialog(const ChannelDialogState& dialog, bool model_j, QWidget* parent = nullptr);

  // The result of OK; `result` is `kEditNothing` after Cancel.
  const ChannelEdit& edit() const { return edit_; }

 private:
  // The controls of one column.
  struct Column {
    QGroupBox* frame = nullptr;
    QLabel* label = nullptr;
    QLineEdit* freq_mhz = nullptr;
    QLineEdit* freq_fraction = nullptr;
    QLineEdit* name = nullptr;
    QCheckBox* skip = nullptr;
    QButtonGroup* mode = nullptr;
    QButtonGroup* step = nullptr;
    QButtonGroup* tone_mode = nullptr;
    QComboBox* tx_tone = nullptr;
    QComboBox* rx_tone = nullptr;
    QComboBox* dcs = nullptr;
    QComboBox* train = nullptr;
    QButtonGroup* shift = nullptr;
    QLineEdit* offset_mhz = nullptr;
    QLineEdit* offset_khz = nullptr;
    std::vector<QWidget*> train_controls;
  };

  QGroupBox* BuildColumn(int index, const QString& title);
  void Show(int index, const ChannelForm& form);
  ChannelForm Read(int index) const;
  void Confirm();

  ChannelDialogState dialog_;
  bool model_j_;
  std::array<Column, 2> columns_;
  ChannelEdit edit_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_CHANNEL_DIALOG_H_
