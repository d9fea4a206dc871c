#include "gui/bank_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "editing/bank_tools.h"
#include "gui/bank_link_editor.h"
#include "gui/key_rule.h"
#include "gui/widgets.h"
#include "model/banks.h"

namespace tqm5::gui {
namespace {

constexpr int kBanksPerColumn = 10;
constexpr int kBankColumns = kBankCount / kBanksPerColumn;
QString Indexed(const char* name, int index) {
  return name + QString("_") + QString::number(index);
}

}  // namespace

BankPage::BankPage(PageHost& host, QWidget* parent)
    : QGroupBox("Bank Setting", parent), host_(host) {
  setObjectName("A_FRAME_1");
  auto* layout = new QHBoxLayout(this);

  // Banks in five columns of ten: the column heading is the bank's tens, the row heading its
  // units, so bank 23 is in column "20", row "3".
  auto* banks = new QGridLayout;
  banks->setHorizontalSpacing(14);
  banks->setVerticalSpacing(4);
  for (int c = 0; c < kBankColumns; ++c) {
    auto* heading = new QLabel(QString::number(c * kBanksPerColumn));
    heading->setAlignment(Qt::AlignCenter);
    banks->addWidget(heading, 0, c + 1);
  }
  for (int r = 0; r < kBanksPerColumn; ++r) {
    banks->addWidget(new QLabel(QString::number(r)), r + 1, 0);
    for (int c = 0; c < kBankColumns; ++c) {
      banks->addWidget(BuildBank(c * kBanksPerColumn + r), r + 1, c + 1);
    }
  }
  // The ten rows share the page's height, so the page is filled rather than half empty.
  for (int r = 1; r <= kBanksPerColumn; ++r) banks->setRowStretch(r, 1);
  layout->addLayout(banks, 1);

  auto* side = new QVBoxLayout;
  auto* total_row = new QHBoxLayout;
  auto* total_label = new QLabel("Total");
  total_label->setObjectName("Label4");
  total_ = new QLineEdit;
  total_->setObjectName("Total_Mem");
  total_->setReadOnly(true);
  total_->setFocusPolicy(Qt::NoFocus);
  total_->setFixedWidth(64);
  total_->setAlignment(Qt::AlignRight);
  total_palette_ = total_->palette();
  total_row->addWidget(total_label);
  total_row->addWidget(total_);
  side->addLayout(total_row);
  side->addSpacing(12);
  for (int i = 0; i < 2; ++i) {
    QPushButton* move = Button(i == 0 ? "Up" : "Down", Indexed("BANK_UP", i));
    move->setEnabled(false);  // shown, never used
    side->addWidget(move);
  }
  side->addSpacing(12);
  QPushButton* reset = Button("Reset", "Bank_Clear");
  connect(reset, &QPushButton::clicked, this, [this] {
    host_.document().Change("Bank Reset", [](MemoryImage& image) { ResetBankSizes(image); });
  });
  QPushButton* read = Button("Bank Read", "READ_BANK");
  connect(read, &QPushButton::clicked, this,
          [this] { host_.StartTransfer({.command = TransferCommand::kBankRead}); });
  write_ = Button("Bank Write", "WRITE_BANK");
  connect(write_, &QPushButton::clicked, this,
          [this] { host_.StartTransfer({.command = TransferCommand::kBankWrite}); });
  QPushButton* link = Button("Bank_Link", "GROUP_SET");
  connect(link, &QPushButton::clicked, this, &BankPage::OpenBankLink);
  for (QPushButton* button : {reset, read, write_, link}) {
    side->addWidget(button);
    host_.AddBusyWidget(button);
  }
  side->addStretch();
  layout->addLayout(side);

  connect(&host_.document(), &Document::imageChanged, this, &BankPage::Refresh);
  // The end of a transfer enables every busy widget again; "Bank Write" then goes back to what
  // the total allows, once that has happened.
  connect(&host_.runner(), &TransferRunner::finished, this, &BankPage::ShowWriteState,
          Qt::QueuedConnection);
  Refresh();
}

QWidget* BankPage::BuildBank(int bank) {
  auto* cell = new QWidget;
  auto* row = new QHBoxLayout(cell);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);
  QSlider* slider = sliders_[static_cast<size_t>(bank)] = new QSlider(Qt::Horizontal);
  slider->setObjectName(Indexed("Slider1", bank));
  slider->setRange(0, kMemoryChannelCount);
  slider->setPageStep(10);
  slider->setMinimumWidth(90);
  QLineEdit* box = boxes_[static_cast<size_t>(bank)] = new QLineEdit;
  box->setObjectName(Indexed("Text1", bank));
  box->setFixedWidth(box->fontMetrics().horizontalAdvance("00000") + 10);
  box->setAlignment(Qt::AlignRight);
  KeyRule::Install(box, BankBoxAccepts);
  connect(slider, &QSlider::sliderPressed, this,
          [this, bank] { drag_parity_[static_cast<size_t>(bank)] ^= true; });
  connect(slider, &QSlider::valueChanged, this,
          [this, bank](int value) { SliderMoved(bank, value); });
  connect(box, &QLineEdit::returnPressed, this, [this, bank] { BoxDone(bank, true); });
  connect(box, &QLineEdit::editingFinished, this, [this, bank, box] {
    if (!box->hasFocus()) BoxDone(bank, false);  // left; Enter is handled above
  });
  row->addWidget(slider, 1);
  row->addWidget(box);
  host_.AddBusyWidget(slider);
  host_.AddBusyWidget(box);
  return cell;
}

void BankPage::SliderMoved(int bank, int value) {
  const QSlider* slider = sliders_[static_cast<size_t>(bank)];
  // A drag is one undo step; a key or wheel step on the slider is a step of its own. Each bank
  // has two merge keys, alternating from one drag to the next, so two drags stay two steps.
  const int merge_key = slider->isSliderDown() ? kMergeBankSliderDrag + 2 * bank +
                                                     drag_parity_[static_cast<size_t>(bank)]
                                               : -1;
  host_.document().Change(
      "Bank " + QString::number(bank) + " size",
      [bank, value](MemoryImage& image) { SetBankSize(image, bank, value); }, merge_key);
}

void BankPage::BoxDone(int bank, bool enter) {
  const std::string text = boxes_[static_cast<size_t>(bank)]->text().toStdString();
  const int value = enter ? BankBoxEnterValue(text) : BankBoxLeaveValue(text);
  host_.document().Change("Bank " + QString::number(bank) + " size",
                          [bank, value](MemoryImage& image) { SetBankSize(image, bank, value); });
  // The box is rewritten as its number even when the size did not change ("0100" gives "100").
  Refresh();
}

void BankPage::Refresh() {
  const MemoryImage& image = host_.document().image();
  for (int b = 0; b < kBankCount; ++b) {
    const int size = image.bank_sizes[static_cast<size_t>(b)];
    QSlider* slider = sliders_[static_cast<size_t>(b)];
    QLineEdit* box = boxes_[static_cast<size_t>(b)];
    QSignalBlocker quiet_slider(slider);
    QSignalBlocker quiet_box(box);
    slider->setValue(size);
    const QString text = QString::number(size);
    if (box->text() != text) box->setText(text);
  }
  total_->setText(QString::number(BankTotal(image)));
  QPalette palette = total_palette_;
  if (!BankTotalValid(image)) palette.setColor(QPalette::Text, QColor(255, 0, 0));
  total_->setPalette(palette);
  ShowWriteState();
}

void BankPage::ShowWriteState() {
  write_->setEnabled(BankTotalValid(host_.document().image()) && !host_.runner().busy());
}

void BankPage::OpenBankLink() {
  if (!BankTotalValid(host_.document().image())) return;
  BankLinkEditor editor(host_, window());
  editor.exec();
}

}  // namespace tqm5::gui
