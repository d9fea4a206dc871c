#include "gui/channel_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/key_rule.h"
#include "gui/message_boxes.h"
#include "image/vocabulary.h"
#include "textdata/title_code.h"

namespace tqm5::gui {
namespace {

// The button of an enumerated value: its number.
template <typename Enum>
int ButtonOf(Enum value) {
  return static_cast<int>(value);
}

// The captions of an enumeration's first `count` values.
template <typename Enum>
QStringList Captions(std::string_view (*text)(Enum), int count) {
  QStringList captions;
  for (int i = 0; i < count; ++i) captions << Utf8(std::string(text(static_cast<Enum>(i))));
  return captions;
}

// The object name of a control of column `column`: the second column's names end in "_2".
QString Named(const char* base, int column) {
  return column == 0 ? QString(base) : QString(base) + "_2";
}

// Option buttons `name`_0.. in a frame, laid out in rows of `per_row`.
QGroupBox* OptionFrame(const QString& title, const QString& name, const QStringList& captions,
                       int per_row, QButtonGroup*& group) {
  auto* frame = new QGroupBox(title);
  auto* layout = new QGridLayout(frame);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(2);
  group = new QButtonGroup(frame);
  for (int i = 0; i < captions.size(); ++i) {
    auto* button = new QRadioButton(captions[i]);
    button->setObjectName(name + "_" + QString::number(i));
    group->addButton(button, i);
    layout->addWidget(button, i / per_row, i % per_row);
  }
  return frame;
}

template <size_t N>
QStringList Captions(const std::array<std::string_view, N>& list) {
  QStringList captions;
  for (std::string_view caption : list) captions << Utf8(std::string(caption));
  return captions;
}

QComboBox* List(const QString& name, const QStringList& captions) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  list->addItems(captions);
  list->setMaxVisibleItems(16);
  KeyRule::RefuseTyping(list);
  return list;
}

void Check(QButtonGroup* group, int id) {
  if (QAbstractButton* button = group->button(id)) button->setChecked(true);
}

}  // namespace

ChannelDetailDialog::ChannelDetailDialog(const ChannelDialogState& dialog, bool model_j,
                                         QWidget* parent)
    : QDialog(parent), dialog_(dialog), model_j_(model_j) {
  setObjectName("Form2");
  setWindowTitle("Memory Setting");
  edit_.number = dialog.number;

  auto* columns = new QHBoxLayout;
  columns->addWidget(BuildColumn(0, "Memory"));
  QGroupBox* second = BuildColumn(1, "Memory 2");
  columns->addWidget(second);
  second->setVisible(dialog_.dual);

  auto* ok = new QPushButton("OK");
  ok->setObjectName("DETAIL_ENTER");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel");
  cancel->setObjectName("DETAIL_CANCEL");
  connect(ok, &QPushButton::clicked, this, &ChannelDetailDialog::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok);
  buttons->addStretch();
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (int i = 0; i < 2; ++i) Show(i, dialog_.columns[static_cast<size_t>(i)]);
}

QGroupBox* ChannelDetailDialog::BuildColumn(int index, const QString& title) {
  Column& c = columns_[static_cast<size_t>(index)];
  c.frame = new QGroupBox(title);
  auto* layout = new QVBoxLayout(c.frame);

  c.label = new QLabel;
  c.label->setObjectName(index == 0 ? "Label2" : "Label3");
  layout->addWidget(c.label);

  auto* frequency = new QHBoxLayout;
  c.freq_mhz = DigitBox(Named("DETAIL_FREQ_1", index), kFreqMhzDigits, 52);
  c.freq_fraction = DigitBox(Named("DETAIL_FREQ_2", index), kFreqFractionDigits, 60);
  frequency->addWidget(new QLabel("Freqency"));
  frequency->addWidget(c.freq_mhz);
  frequency->addWidget(new QLabel("."));
  frequency->addWidget(c.freq_fraction);
  frequency->addWidget(new QLabel("MHz"));
  frequency->addStretch();
  c.skip = new QCheckBox("Skip");
  c.skip->setObjectName(Named("DETAIL_SKIP", index));
  frequency->addWidget(c.skip);
  layout->addLayout(frequency);

  auto* name = new QHBoxLayout;
  c.name = new QLineEdit;
  c.name->setObjectName(Named("DETAIL_NAME", index));
  KeyRule::Install(c.name, NameBoxAccepts);
  name->addWidget(new QLabel("Name"));
  name->addWidget(c.name);
  for (int n = 1; n <= 8; ++n) {
    auto* font = new QPushButton(QString::number(n));
    font->setObjectName("cmdFont_" + QString::number(8 * index + n - 1));
    font->setFixedWidth(24);
    font->setFocusPolicy(Qt::NoFocus);
    connect(font, &QPushButton::clicked, this, [this, &c, n] {
      c.name->setText(Utf8(AppendNameGlyph(c.name->text().toStdString(), n, model_j_)));
    });
    name->addWidget(font);
  }
  layout->addLayout(name);
  // Tab goes through the frequency to the name, then to "Skip" at the end of the first line.
  setTabOrder(c.freq_fraction, c.name);

  layout->addWidget(OptionFrame("Modulation Mode", Named("DETAIL_MODE", index),
                                Captions(ModulationText, kModulationCount), 4, c.mode));
  layout->addWidget(
      OptionFrame("Step", Named("DETAIL_STEP", index), Captions(kStepList), 4, c.step));
  QGroupBox* tone_frame =
      OptionFrame("TSQ/DCS", Named("PALSE_TYPE", index), Captions(ToneModeText, kToneModeCount),
                  kToneModeCount, c.tone_mode);
  layout->addWidget(tone_frame);
  c.train_controls.push_back(c.tone_mode->button(ButtonOf(ToneMode::kTrain)));

  auto* lists = new QGridLayout;
  c.tx_tone = List(Named("TX_TONE_COMBO", index), Captions(kToneList));
  c.rx_tone = List(Named("RX_TONE_COMBO", index), Captions(kToneList));
  c.dcs = List(Named("DCS_COMBO", index), Captions(kDcsList));
  c.train = List(Named("TRAIN_COMBO", index), Captions(kTrainList));
  auto* train_label = new QLabel("Train");
  lists->addWidget(new QLabel("Tx-Tone"), 0, 0);
  lists->addWidget(c.tx_tone, 0, 1);
  lists->addWidget(new QLabel("Rx-Tone"), 0, 2);
  lists->addWidget(c.rx_tone, 0, 3);
  lists->addWidget(new QLabel("DCS-No"), 1, 0);
  lists->addWidget(c.dcs, 1, 1);
  lists->addWidget(train_label, 1, 2);
  lists->addWidget(c.train, 1, 3);
  layout->addLayout(lists);
  c.train_controls.push_back(train_label);
  c.train_controls.push_back(c.train);

  auto* shift = new QHBoxLayout;
  shift->addWidget(OptionFrame("Shift", Named("DETAIL_SHIFT", index),
                               Captions(ShiftText, kShiftDirectionCount), kShiftDirectionCount,
                               c.shift));
  c.offset_mhz = DigitBox(Named("DETAIL_SHIFT_FREQ_1", index), kOffsetMhzDigits, 44);
  c.offset_khz = DigitBox(Named("DETAIL_SHIFT_FREQ_2", index), kOffsetKhzDigits, 44);
  connect(c.offset_mhz, &QLineEdit::editingFinished, this, [&c] {
    c.offset_mhz->setText(Utf8(LeaveOffsetMhz(c.offset_mhz->text().toStdString())));
  });
  connect(c.offset_khz, &QLineEdit::editingFinished, this, [&c] {
    c.offset_khz->setText(Utf8(
        LeaveOffsetKhz(c.offset_khz->text().toStdString(), c.offset_mhz->text().toStdString())));
  });
  shift->addWidget(new QLabel("Offset Freqency"));
  shift->addWidget(c.offset_mhz);
  shift->addWidget(new QLabel("."));
  shift->addWidget(c.offset_khz);
  shift->addWidget(new QLabel("MHz"));
  shift->addStretch();
  layout->addLayout(shift);

  auto* clear = new QPushButton("Clear");
  clear->setObjectName(index == 0 ? "DETAIL_CLEAR" : "DETAIL_CLEAR_2");
  connect(clear, &QPushButton::clicked, this, [this, index] {
    ChannelForm form = Read(index);
    ClearColumn(form);
    Show(index, form);
  });
  layout->addWidget(clear, 0, Qt::AlignLeft);

  for (QWidget* control : c.train_controls) control->setVisible(model_j_);
  return c.frame;
}

void ChannelDetailDialog::Show(int index, const ChannelForm& form) {
  Column& c = columns_[static_cast<size_t>(index)];
  c.label->setText(Utf8(form.label));
  c.freq_mhz->setText(Utf8(form.freq_mhz));
  c.freq_fraction->setText(Utf8(form.freq_fraction));
  c.name->setText(Utf8(form.name));
  c.skip->setChecked(form.skip);
  Check(c.mode, form.mode);
  c.mode->button(ButtonOf(Modulation::kAm))->setEnabled(form.am_wfm_enabled);
  c.mode->button(ButtonOf(Modulation::kWfm))->setEnabled(form.am_wfm_enabled);
  Check(c.step, form.step);
  Check(c.tone_mode, form.tone_mode);
  c.tx_tone->setCurrentIndex(form.tx_tone);
  c.rx_tone->setCurrentIndex(form.rx_tone);
  c.dcs->setCurrentIndex(form.dcs);
  c.train->setCurrentIndex(form.train);
  Check(c.shift, form.shift);
  c.offset_mhz->setText(Utf8(form.offset_mhz));
  c.offset_khz->setText(Utf8(form.offset_khz));
}

ChannelForm ChannelDetailDialog::Read(int index) const {
  const Column& c = columns_[static_cast<size_t>(index)];
  ChannelForm form = dialog_.columns[static_cast<size_t>(index)];
  form.freq_mhz = c.freq_mhz->text().toStdString();
  form.freq_fraction = c.freq_fraction->text().toStdString();
  form.name = c.name->text().toStdString();
  form.skip = c.skip->isChecked();
  form.mode = c.mode->checkedId();
  form.step = c.step->checkedId();
  form.tone_mode = c.tone_mode->checkedId();
  form.tx_tone = c.tx_tone->currentIndex();
  form.rx_tone = c.rx_tone->currentIndex();
  form.dcs = c.dcs->currentIndex();
  form.train = c.train->currentIndex();
  form.shift = c.shift->checkedId();
  form.offset_mhz = c.offset_mhz->text().toStdString();
  form.offset_khz = c.offset_khz->text().toStdString();
  return form;
}

void ChannelDetailDialog::Confirm() {
  for (int i = 0; i < 2; ++i) dialog_.columns[static_cast<size_t>(i)] = Read(i);
  edit_ = ConfirmChannelDialog(dialog_);
  for (int i = 0; i < 2; ++i) Show(i, dialog_.columns[static_cast<size_t>(i)]);
  accept();
}

}  // namespace tqm5::gui
