#include "gui/settings_lists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>
#include <array>

#include "editing/settings_edit.h"
#include "gui/key_rule.h"
#include "gui/message_boxes.h"
#include "settings/catalogue.h"

namespace tqm5::gui {
namespace {

constexpr std::array<const char*, kSettingGroupCount> kGroupNames = {
    "Set_Mode_Display", "Set_Mode_Power",  "Set_Mode_Send",  "Set_Mode_Repeater",
    "Set_Mode_Recv",    "Set_Mode_Scan",   "Set_Mode_Sound", "Set_Mode_Key",
    "Set_Mode_Toutyou", "Set_Mode_Preset", "Set_Mode_Mem",   "Set_Mode_Ch_Mode"};

// The two "CH scope Display" lists share one caption spanning both rows.
constexpr SettingId kScopeFirst{SettingGroup::kDisplay, 9};
constexpr SettingId kScopeSecond{SettingGroup::kDisplay, 10};

QStringList Texts(const std::vector<std::string>& list) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(list.size()));
  for (const std::string& text : list) texts << Utf8(text);
  return texts;
}

// Room for a drop-down list's frame and arrow beside its text.
constexpr int kListArrowWidth = 36;

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), text.size()); }

}  // namespace

QString SettingListName(SettingId id) {
  return QString(kGroupNames[static_cast<size_t>(id.group)]) + "_" + QString::number(id.item);
}

SettingsLists::SettingsLists(PageHost& host, QWidget* page)
    : QObject(page), host_(host), page_(page), language_(host.document().image().language) {}

int SettingsLists::AddItems(const std::vector<SettingId>& items, QGridLayout* grid, int row,
                            int column) {
  for (SettingId id : items) {
    const SettingItem& item = CatalogueItem(id);
    Entry entry{id,
                new QComboBox,
                nullptr,
                Texts(item.choices_ja),
                Texts(item.choices_en),
                item.language_dependent || item.refilled_every_switch};
    entry.list->setObjectName(SettingListName(id));
    entry.list->addItems(language_ == kEnglish ? entry.en : entry.ja);
    entry.list->setMaxVisibleItems(20);
    // The lists of a column share its width, and each is wide enough for its longest entry in
    // either language, so that a switch to English clips nothing.
    entry.list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    int widest = 0;
    for (const QString& text : entry.ja + entry.en)
      widest = std::max(widest, entry.list->fontMetrics().horizontalAdvance(text));
    entry.list->setMinimumWidth(widest + kListArrowWidth);
    // Select-only: typing would jump to an entry.
    KeyRule::RefuseTyping(entry.list);
    if (id != kScopeSecond) {
      entry.caption = new QLabel;
      entry.caption->setObjectName(SettingListName(id) + "_caption");
      AddCaption(entry.caption, item.caption_en, item.caption_ja);
      grid->addWidget(entry.caption, row, column, id == kScopeFirst ? 2 : 1, 1);
    }
    grid->addWidget(entry.list, row++, column + 1);
    connect(entry.list, &QComboBox::currentIndexChanged, this, [this, id](int index) {
      if (index < 0) return;
      host_.document().Change(Utf8(std::string(SettingCaption(id, kEnglish))),
                              [&](MemoryImage& image) { ChooseSetting(image, id, index); });
    });
    entries_.push_back(std::move(entry));
  }
  return row;
}

void SettingsLists::AddCaption(QLabel* label, std::string_view en, std::string_view ja) {
  captions_.push_back({label, nullptr, Text(en), Text(ja)});
  label->setText(language_ == kEnglish ? Text(en) : Text(ja));
}

void SettingsLists::AddCaption(QGroupBox* box, std::string_view en, std::string_view ja) {
  // A group box takes "&" for a shortcut mark: "<POWER & BATT.>" needs it doubled.
  captions_.push_back({nullptr, box, Text(en).replace("&", "&&"), Text(ja).replace("&", "&&")});
  box->setTitle(language_ == kEnglish ? captions_.back().en : captions_.back().ja);
}

QComboBox* SettingsLists::list(SettingId id) const {
  for (const Entry& entry : entries_) {
    if (entry.id == id) return entry.list;
  }
  return nullptr;
}

void SettingsLists::Refresh() {
  const MemoryImage& image = host_.document().image();
  SwitchLanguage(image.language);
  for (const Entry& entry : entries_) {
    QSignalBlocker quiet(entry.list);
    entry.list->setCurrentIndex(image.settings[entry.id]);
    const bool shown = SettingShown(image, entry.id);
    entry.list->setVisible(shown);
    if (entry.caption != nullptr) entry.caption->setVisible(shown);
  }
}

void SettingsLists::SwitchLanguage(int language) {
  if (language == language_) return;
  language_ = language;
  const bool english = language == kEnglish;
  // Drawing waits until every list is re-filled: one repaint instead of one per entry.
  const bool updates = page_->updatesEnabled();
  page_->setUpdatesEnabled(false);
  for (const Caption& caption : captions_) {
    if (caption.label != nullptr) caption.label->setText(english ? caption.en : caption.ja);
    if (caption.box != nullptr) caption.box->setTitle(english ? caption.en : caption.ja);
  }
  for (const Entry& entry : entries_) {
    if (!entry.refilled) continue;
    QSignalBlocker quiet(entry.list);
    const int index = entry.list->currentIndex();
    entry.list->clear();
    entry.list->addItems(english ? entry.en : entry.ja);
    entry.list->setCurrentIndex(index);
  }
  page_->setUpdatesEnabled(updates);
}

}  // namespace tqm5::gui
