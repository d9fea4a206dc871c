// The bank page (tab "Bank", frame "Bank Setting"): fifty bank-size sliders with number boxes, the
// total, "Reset", "Bank Read", "Bank Write" and "Bank_Link". A view of the document: it shows the
// image and changes it only through undoable steps.
#ifndef TQM5_GUI_BANK_PAGE_H_
#define TQM5_GUI_BANK_PAGE_H_

#include <QGroupBox>
#include <QPalette>
#include <array>

#include "gui/page_host.h"
#include "image/channel_numbering.h"

class QLineEdit;
class QPushButton;
class QSlider;

namespace tqm5::gui {

class BankPage : public QGroupBox {
  Q_OBJECT

 public:
  explicit BankPage(PageHost& host, QWidget* parent = nullptr);

  // Shows the image anew (called on every change of the document).
  void Refresh();

 private:
  QWidget* BuildBank(int bank);
  void SliderMoved(int bank, int value);
  // Enter in, or leaving, bank `bank`'s number box.
  void BoxDone(int bank, bool enter);
  void ShowWriteState();
  void OpenBankLink();

  PageHost& host_;
  std::array<QSlider*, kBankCount> sliders_{};
  std::array<QLineEdit*, kBankCount> boxes_{};
  // Flips when a drag of the slider starts, so that two drags of one slider are two undo steps.
  std::array<bool, kBankCount> drag_parity_{};
  QLineEdit* total_ = nullptr;
  QPalette total_palette_;
  QPushButton* write_ = nullptr;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_BANK_PAGE_H_
