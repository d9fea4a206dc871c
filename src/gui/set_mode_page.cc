#include "gui/set_mode_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editing/settings_edit.h"
#include "gui/key_rule.h"
#include "gui/message_boxes.h"
#include "gui/settings_lists.h"
#include "gui/widgets.h"
#include "settings/catalogue.h"

namespace tqm5::gui {
namespace {

// The page column of each "Set Mode" heading, in heading order: display, power, transmitter and
// repeater; receiver and scanning; sound, keys and bug detector; memory and channel display
// (with the DTMF frame and the commands below them).
constexpr std::array<int, 11> kHeadingColumn = {0, 0, 0, 0, 1, 1, 2, 2, 2, 3, 3};
constexpr int kColumns = 4;

template <size_t N>
QStringList Texts(const std::array<std::string_view, N>& list) {
  QStringList texts;
  for (std::string_view text : list) texts << QString::fromUtf8(text.data(), text.size());
  return texts;
}

}  // namespace

SetModePage::SetModePage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  auto* frame = new QGroupBox("Set Mode");
  frame->setObjectName("A_FRAME_3");
  lists_ = new SettingsLists(host_, frame);
  auto* row = new QHBoxLayout(frame);
  row->setSpacing(6);
  std::array<QVBoxLayout*, kColumns> columns{};
  for (QVBoxLayout*& column : columns) {
    column = new QVBoxLayout;
    column->setSpacing(4);
    row->addLayout(column);
  }
  size_t next = 0;
  for (const SettingHeading& heading : SettingHeadings()) {
    if (heading.tab != kSetModeTab) continue;
    auto* box = new QGroupBox;
    lists_->AddCaption(box, heading.caption_en, heading.caption_ja);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    lists_->AddItems(heading.items, grid, 0);
    columns[static_cast<size_t>(kHeadingColumn[std::min(next++, kHeadingColumn.size() - 1)])]
        ->addWidget(box);
  }
  QVBoxLayout* last = columns[kColumns - 1];
  last->addWidget(BuildDtmfFrame());
  QHBoxLayout* buttons = FrameCommandRow(
      host_, {"Set_Mode_Clear", "Settings Reset", ResetSettings, "Set_Mode_Read",
              TransferCommand::kSettingsRead, "Set_Mode_Write", TransferCommand::kSettingsWrite});
  last->addLayout(buttons);
  for (QVBoxLayout* column : columns) column->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(frame);
  // Every control here edits the image or talks to the radio.
  host_.AddBusyWidget(frame);

  connect(&host_.document(), &Document::imageChanged, this, &SetModePage::Refresh);
  Refresh();
}

QWidget* SetModePage::BuildDtmfFrame() {
  auto* box = new QGroupBox("DTMF");
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(2);
  for (int i = 0; i < kDtmfMemoryCount; ++i) {
    auto* memory = new QLineEdit;
    memory->setObjectName("COMMON_DTMF_" + QString::number(i + 1));
    memory->setMinimumWidth(memory->fontMetrics().horizontalAdvance("0123456789ABCD*#") + 12);
    KeyRule::Install(memory, DtmfBoxAccepts);
    connect(memory, &QLineEdit::textEdited, this, [this, i, memory](const QString& text) {
      const std::string& kept = host_.document().image().dtmf.memories[static_cast<size_t>(i)];
      if (!DtmfBoxFits(text.toStdString())) {
        memory->setText(Utf8(kept));  // composed text longer than a memory
        return;
      }
      host_.document().Change(
          "DTMF memory",
          [&](MemoryImage& image) {
            image.dtmf.memories[static_cast<size_t>(i)] = text.toStdString();
          },
          kMergeDtmfTyping + i);
    });
    connect(memory, &QLineEdit::editingFinished, this, [this, i] {
      host_.document().Change("DTMF memory", [i](MemoryImage& image) { LeaveDtmfBox(image, i); });
    });
    memories_[static_cast<size_t>(i)] = memory;
    grid->addWidget(new QLabel("Ch" + QString::number(i + 1)), i, 0);
    grid->addWidget(memory, i, 1, 1, 3);
  }
  struct DtmfBoxList {
    const char* name;
    const char* caption;
    QStringList entries;
    DtmfList list;
  };
  const DtmfBoxList lists[] = {
      {"COMMON_WAIT", "Wait", Texts(kDtmfWaitChoices), DtmfList::kWait},
      {"COMMON_HEAD", "Head", Texts(kDtmfTimeChoices), DtmfList::kHead},
      {"COMMON_BURST", "Burst", Texts(kDtmfTimeChoices), DtmfList::kBurst},
      {"COMMON_PAUSE", "Pause", Texts(kDtmfTimeChoices), DtmfList::kPause},
      {"COMMON_DIAL_CH", "Ch", Texts(kDtmfDialChChoices), DtmfList::kDialCh}};
  int row = kDtmfMemoryCount;
  for (size_t s = 0; s < std::size(lists); ++s) {
    const DtmfBoxList& box_list = lists[s];
    auto* list = new QComboBox;
    list->setObjectName(box_list.name);
    list->addItems(box_list.entries);
    list->setMaxVisibleItems(24);
    KeyRule::RefuseTyping(list);
    const DtmfList which = box_list.list;
    connect(list, &QComboBox::currentIndexChanged, this, [this, which, box_list](int position) {
      host_.document().Change(box_list.caption,
                              [&](MemoryImage& image) { ChooseDtmf(image, which, position); });
    });
    dtmf_lists_[s] = list;
    // Two lists a row: Wait and Head, Burst and Pause, then Ch.
    const int r = row + static_cast<int>(s) / 2;
    const int c = static_cast<int>(s % 2) * 2;
    grid->addWidget(new QLabel(box_list.caption), r, c);
    grid->addWidget(list, r, c + 1);
  }
  return box;
}

void SetModePage::Refresh() {
  const MemoryImage& image = host_.document().image();
  lists_->Refresh();
  for (size_t i = 0; i < memories_.size(); ++i) {
    const QString text = Utf8(image.dtmf.memories[i]);
    if (memories_[i]->text() != text) memories_[i]->setText(text);
  }
  const DtmfState& dtmf = image.dtmf;
  const std::array<int, 5> positions = {dtmf.wait, dtmf.head, dtmf.burst, dtmf.pause, dtmf.dial_ch};
  for (size_t s = 0; s < dtmf_lists_.size(); ++s) {
    QSignalBlocker quiet(dtmf_lists_[s]);
    dtmf_lists_[s]->setCurrentIndex(positions[s]);
  }
}

}  // namespace tqm5::gui
