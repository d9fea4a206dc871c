#include "gui/selected_edit_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/key_rule.h"
#include "gui/message_boxes.h"
#include "image/vocabulary.h"

namespace tqm5::gui {
namespace {

template <typename Caption>
QComboBox* List(const QString& name, int count, Caption caption, int current) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  for (int i = 0; i < count; ++i) list->addItem(Utf8(std::string(caption(i))));
  list->setCurrentIndex(current < count ? current : 0);
  list->setMaxVisibleItems(16);
  KeyRule::RefuseTyping(list);
  return list;
}

QWidget* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* widget : widgets) layout->addWidget(widget);
  layout->addStretch();
  return row;
}

}  // namespace

template <typename Control, typename Signal>
QCheckBox* SelectedEditDialog::Tick(EditField field, const QString& caption, Control* control,
                                    Signal changed) {
  auto* tick = new QCheckBox(caption);
  tick->setObjectName("CHANGE_" + control->objectName());
  ticks_[static_cast<size_t>(field)] = tick;
  connect(control, changed, tick, [tick] { tick->setChecked(true); });
  return tick;
}

SelectedEditDialog::SelectedEditDialog(const ChannelForm& form, int count, bool model_j,
                                       QWidget* parent)
    : QDialog(parent), model_j_(model_j) {
  setObjectName("EditSelectedForm");
  setWindowTitle("Edit Selected");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Set the ticked fields on the " + QString::number(count) +
                               " selected channel(s):"));
  auto* fields = new QGridLayout;
  layout->addLayout(fields);
  int row = 0;
  auto add = [&](QCheckBox* tick, QWidget* control) {
    fields->addWidget(tick, row, 0);
    fields->addWidget(control, row, 1);
    ++row;
  };

  freq_mhz_ = DigitBox("DETAIL_FREQ_1", kFreqMhzDigits, 52);
  freq_fraction_ = DigitBox("DETAIL_FREQ_2", kFreqFractionDigits, 60);
  freq_mhz_->setText(Utf8(form.freq_mhz));
  freq_fraction_->setText(Utf8(form.freq_fraction));
  QCheckBox* freq_tick = Tick(EditField::kFrequency, "Freqency", freq_mhz_, &QLineEdit::textEdited);
  connect(freq_fraction_, &QLineEdit::textEdited, freq_tick,
          [freq_tick] { freq_tick->setChecked(true); });
  add(freq_tick, Row({freq_mhz_, new QLabel("."), freq_fraction_, new QLabel("MHz")}));

  name_ = new QLineEdit(Utf8(form.name));
  name_->setObjectName("DETAIL_NAME");
  KeyRule::Install(name_, NameBoxAccepts);
  add(Tick(EditField::kName, "Name", name_, &QLineEdit::textEdited), name_);

  skip_ = new QCheckBox("Skip");
  skip_->setObjectName("DETAIL_SKIP");
  skip_->setChecked(form.skip);
  add(Tick(EditField::kSkip, "Skip", skip_, &QCheckBox::toggled), skip_);

  auto activated = &QComboBox::activated;
  mode_ = List(
      "DETAIL_MODE", kModulationCount,
      [](int i) { return ModulationText(static_cast<Modulation>(i)); }, form.mode);
  add(Tick(EditField::kMode, "Modulation Mode", mode_, activated), mode_);
  step_ = List(
      "DETAIL_STEP", kStepCount, [](int i) { return kStepList[i]; }, form.step);
  add(Tick(EditField::kStep, "Step", step_, activated), step_);
  // "Train" is the last tone mode; it exists on the "J" model only.
  tone_mode_ = List(
      "PALSE_TYPE", model_j ? kToneModeCount : kToneModeCount - 1,
      [](int i) { return ToneModeText(static_cast<ToneMode>(i)); }, form.tone_mode);
  add(Tick(EditField::kToneMode, "TSQ/DCS", tone_mode_, activated), tone_mode_);
  tx_tone_ = List(
      "TX_TONE_COMBO", kToneCount, [](int i) { return kToneList[i]; }, form.tx_tone);
  add(Tick(EditField::kTxTone, "Tx-Tone", tx_tone_, activated), tx_tone_);
  rx_tone_ = List(
      "RX_TONE_COMBO", kToneCount, [](int i) { return kToneList[i]; }, form.rx_tone);
  add(Tick(EditField::kRxTone, "Rx-Tone", rx_tone_, activated), rx_tone_);
  dcs_ = List(
      "DCS_COMBO", kDcsCount, [](int i) { return kDcsList[i]; }, form.dcs);
  add(Tick(EditField::kDcs, "DCS-No", dcs_, activated), dcs_);
  train_ = List(
      "TRAIN_COMBO", kTrainCount, [](int i) { return kTrainList[i]; }, form.train);
  QCheckBox* train_tick = Tick(EditField::kTrain, "Train", train_, activated);
  add(train_tick, train_);
  train_tick->setVisible(model_j);
  train_->setVisible(model_j);
  shift_ = List(
      "DETAIL_SHIFT", kShiftDirectionCount, [](int i) { return ShiftText(static_cast<Shift>(i)); },
      form.shift);
  add(Tick(EditField::kShift, "Shift", shift_, activated), shift_);

  offset_mhz_ = DigitBox("DETAIL_SHIFT_FREQ_1", kOffsetMhzDigits, 44);
  offset_khz_ = DigitBox("DETAIL_SHIFT_FREQ_2", kOffsetKhzDigits, 44);
  offset_mhz_->setText(Utf8(form.offset_mhz));
  offset_khz_->setText(Utf8(form.offset_khz));
  connect(offset_mhz_, &QLineEdit::editingFinished, this, [this] {
    offset_mhz_->setText(Utf8(LeaveOffsetMhz(offset_mhz_->text().toStdString())));
  });
  connect(offset_khz_, &QLineEdit::editingFinished, this, [this] {
    offset_khz_->setText(
        Utf8(LeaveOffsetKhz(offset_khz_->text().toStdString(), offset_mhz_->text().toStdString())));
  });
  QCheckBox* offset_tick =
      Tick(EditField::kOffset, "Offset Freqency", offset_mhz_, &QLineEdit::textEdited);
  connect(offset_khz_, &QLineEdit::textEdited, offset_tick,
          [offset_tick] { offset_tick->setChecked(true); });
  add(offset_tick, Row({offset_mhz_, new QLabel("."), offset_khz_, new QLabel("MHz")}));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("DETAIL_ENTER");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("DETAIL_CANCEL");
  connect(buttons, &QDialogButtonBox::accepted, this, &SelectedEditDialog::Confirm);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void SelectedEditDialog::Confirm() {
  ChannelForm& form = edit_.form;
  form.freq_mhz = freq_mhz_->text().toStdString();
  form.freq_fraction = freq_fraction_->text().toStdString();
  form.name = name_->text().toStdString();
  form.skip = skip_->isChecked();
  form.mode = mode_->currentIndex();
  form.step = step_->currentIndex();
  form.tone_mode = tone_mode_->currentIndex();
  form.tx_tone = tx_tone_->currentIndex();
  form.rx_tone = rx_tone_->currentIndex();
  form.dcs = dcs_->currentIndex();
  form.train = train_->currentIndex();
  form.shift = shift_->currentIndex();
  form.offset_mhz = offset_mhz_->text().toStdString();
  form.offset_khz = offset_khz_->text().toStdString();
  for (int i = 0; i < kEditFieldCount; ++i) {
    edit_.change[static_cast<size_t>(i)] = ticks_[static_cast<size_t>(i)]->isChecked();
  }
  std::string fault = SelectedEditFault(edit_, model_j_);
  if (!fault.empty()) {
    Messages().Show(this, MessageOutcome(OutcomeKind::kEditRefused, fault, "Edit Selected",
                                         OutcomeIcon::kNone));
    return;
  }
  accept();
}

}  // namespace tqm5::gui
