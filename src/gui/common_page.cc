#include "gui/common_page.h"

#include <QCheckBox>
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
#include "gui/font_editor.h"
#include "gui/glyph_text.h"
#include "gui/key_rule.h"
#include "gui/message_boxes.h"
#include "gui/settings_lists.h"
#include "gui/widgets.h"
#include "model/banks.h"
#include "settings/catalogue.h"
#include "textdata/title_code.h"

namespace tqm5::gui {
namespace {

QComboBox* SelectOnly(const QString& name) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  list->setMaxVisibleItems(20);
  KeyRule::RefuseTyping(list);
  return list;
}

// "0" .. "999": the entries of a one-touch channel list are its first `size` texts.
const QStringList& ChannelTexts() {
  static const QStringList texts = [] {
    QStringList all;
    for (int n = 0; n < kMemoryChannelCount; ++n) all << QString::number(n);
    return all;
  }();
  return texts;
}

}  // namespace

CommonPage::CommonPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  auto* frame = new QGroupBox("Common Setting");
  frame->setObjectName("A_FRAME_2");
  lists_ = new SettingsLists(host_, frame);
  auto* columns = new QHBoxLayout(frame);
  columns->addWidget(BuildSettingFrame(), 0, Qt::AlignTop);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildTitleFrame());
  right->addWidget(BuildOneTouchFrame());
  QPushButton* font = Button("FONT", "FONT");
  connect(font, &QPushButton::clicked, this, [this] {
    FontEditor editor(host_, this);
    editor.exec();
  });
  auto* font_row = new QHBoxLayout;
  font_row->addWidget(font);
  font_row->addStretch();
  right->addLayout(font_row);
  right->addStretch();
  columns->addLayout(right);
  columns->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(frame);
  // Every control here edits the image or talks to the radio.
  host_.AddBusyWidget(frame);

  connect(&host_.document(), &Document::imageChanged, this, &CommonPage::Refresh);
  Refresh();
}

QWidget* CommonPage::BuildSettingFrame() {
  auto* box = new QGroupBox;
  lists_->AddCaption(box, "Setting", "Setting");
  auto* grid = new QGridLayout(box);
  grid->setVerticalSpacing(3);
  std::vector<SettingId> items;
  for (const SettingHeading& heading : SettingHeadings()) {
    if (heading.tab == kCommonSetTab) items = heading.items;
  }
  // Two columns: the display items, then the transmitter, receiver and sound items.
  const auto half = items.begin() + std::min<ptrdiff_t>(10, std::ssize(items));
  int rows = lists_->AddItems({items.begin(), half}, grid, 0, 0);
  rows = std::max(rows, lists_->AddItems({half, items.end()}, grid, 0, 3));
  grid->setColumnMinimumWidth(2, 12);

  QHBoxLayout* buttons = FrameCommandRow(
      host_, {"SETTING_RESET", "Settings Reset", ResetSettings, "SETTING_READ",
              TransferCommand::kSettingsRead, "SETTING_WRITE", TransferCommand::kSettingsWrite});
  grid->addLayout(buttons, rows + 1, 0, 1, 5);
  grid->setRowMinimumHeight(rows, 8);
  return box;
}

QWidget* CommonPage::BuildTitleFrame() {
  auto* box = new QGroupBox("Title Name");
  auto* grid = new QGridLayout(box);
  title_ = new QLineEdit;
  title_->setObjectName("TITLE_TEXT");
  KeyRule::Install(title_, [this](std::string_view current, char32_t c) {
    return TitleBoxAccepts(current, c, UsesGlyphCharacters(host_.document().image()));
  });
  connect(title_, &QLineEdit::textEdited, this, [this](const QString& text) {
    const MemoryImage& shown = host_.document().image();
    if (!TitleBoxFits(text.toStdString(), UsesGlyphCharacters(shown))) {
      title_->setText(Utf8(shown.title));  // composed text too long for the radio
      return;
    }
    host_.document().Change(
        "Title", [&](MemoryImage& image) { image.title = text.toStdString(); }, kMergeTitleTyping);
  });
  connect(title_, &QLineEdit::editingFinished, this,
          [this] { host_.document().Change("Title", LeaveTitleBox); });
  grid->addWidget(title_, 0, 0, 1, 8);
  // The title as the radio shows it, with the user's glyphs as drawn in the font window.
  title_view_ = new GlyphTextView;
  title_view_->setObjectName("TITLE_VIEW");
  title_view_->setToolTip("The opening title as the radio shows it");
  auto* view_caption = new QLabel("On the radio:");
  view_caption->setObjectName("TITLE_VIEW_caption");
  grid->addWidget(view_caption, 1, 0, 1, 3);
  grid->addWidget(title_view_, 1, 3, 1, 5);

  auto* slide_caption = new QLabel;
  slide_caption->setObjectName("cmbTitleSlide_caption");
  lists_->AddCaption(slide_caption, kOpeningSlideCaptionEn, kOpeningSlideCaptionJa);
  title_slide_ = SelectOnly("cmbTitleSlide");
  title_slide_->addItems({"OFF", "ON"});
  connect(title_slide_, &QComboBox::currentIndexChanged, this, [this](int index) {
    host_.document().Change("Opening Slide",
                            [&](MemoryImage& image) { ChooseTitleScroll(image, index); });
  });
  grid->addWidget(slide_caption, 2, 0, 1, 4);
  grid->addWidget(title_slide_, 2, 4, 1, 4);

  for (int n = 1; n <= kUserGlyphCount; ++n) {
    QPushButton* glyph = Button(QString::number(n), "cmdFont_" + QString::number(n - 1));
    glyph->setFixedWidth(28);
    connect(glyph, &QPushButton::clicked, this, [this, n] {
      host_.document().Change("Title", [n](MemoryImage& image) {
        image.title = AppendTitleGlyph(image.title, n, UsesGlyphCharacters(image));
      });
    });
    grid->addWidget(glyph, 3, n - 1);
  }

  QHBoxLayout* buttons = FrameCommandRow(
      host_, {"TITLE_CLEAR", "Title Reset", ClearTitle, "TITLE_READ", TransferCommand::kTitleRead,
              "TITLE_WRITE", TransferCommand::kTitleWrite});
  grid->addLayout(buttons, 4, 0, 1, 8);
  return box;
}

QWidget* CommonPage::BuildOneTouchFrame() {
  auto* box = new QGroupBox("OneTouch Memory");
  auto* grid = new QGridLayout(box);
  grid->setVerticalSpacing(2);
  grid->addWidget(new QLabel("Key No."), 0, 0);
  grid->addWidget(new QLabel("Bank"), 0, 1);
  grid->addWidget(new QLabel("CH"), 0, 2);
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    const QString index = QString::number(k);
    auto* key = new QLabel(QString::number(k + 1));
    key->setAlignment(Qt::AlignCenter);
    banks_[k] = SelectOnly("COMMON_BANK_" + index);
    banks_[k]->setMinimumWidth(64);
    channels_[k] = SelectOnly("COMMON_CH_" + index);
    channels_[k]->setMinimumWidth(72);
    no_set_[k] = new QCheckBox("No Setting");
    no_set_[k]->setObjectName("NO_SET_" + index);
    connect(banks_[k], &QComboBox::currentIndexChanged, this, [this, k](int position) {
      host_.document().Change("One-touch key",
                              [&](MemoryImage& image) { ChooseOneTouchBank(image, k, position); });
    });
    connect(channels_[k], &QComboBox::currentIndexChanged, this, [this, k](int position) {
      host_.document().Change(
          "One-touch key", [&](MemoryImage& image) { ChooseOneTouchChannel(image, k, position); });
    });
    connect(no_set_[k], &QCheckBox::toggled, this, [this, k](bool checked) {
      host_.document().Change("No Setting",
                              [&](MemoryImage& image) { SetOneTouchNoSetting(image, k, checked); });
    });
    grid->addWidget(key, k + 1, 0);
    grid->addWidget(banks_[k], k + 1, 1);
    grid->addWidget(channels_[k], k + 1, 2);
    grid->addWidget(no_set_[k], k + 1, 3);
  }
  QHBoxLayout* buttons = FrameCommandRow(
      host_, {"COMMON_ONE_TOUCH_RESET", "One-touch Reset", ResetOneTouch, "READ_ONE_TOUCH",
              TransferCommand::kOneTouchRead, "WRITE_ONE_TOUCH", TransferCommand::kOneTouchWrite});
  grid->addLayout(buttons, kOneTouchKeyCount + 1, 0, 1, 4);
  return box;
}

void CommonPage::Refresh() {
  const MemoryImage& image = host_.document().image();
  lists_->Refresh();
  const QString title = Utf8(image.title);
  if (title_->text() != title) title_->setText(title);
  title_view_->Show(title, image.font_bits);
  {
    QSignalBlocker quiet(title_slide_);
    title_slide_->setCurrentIndex(image.title_scroll);
  }
  RefreshOneTouch();
}

void CommonPage::RefreshOneTouch() {
  const MemoryImage& image = host_.document().image();
  QStringList banks;
  for (int p = 0; p < UsedBankCount(image); ++p) {
    banks << QString::number(image.used_banks[static_cast<size_t>(p)]);
  }
  const bool new_banks = banks != bank_texts_;
  bank_texts_ = banks;
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    const OneTouchKey& key = image.one_touch[static_cast<size_t>(k)];
    QSignalBlocker quiet_bank(banks_[k]);
    QSignalBlocker quiet_channel(channels_[k]);
    QSignalBlocker quiet_check(no_set_[k]);
    if (new_banks) {
      banks_[k]->clear();
      banks_[k]->addItems(banks);
    }
    banks_[k]->setCurrentIndex(key.bank_position);
    // Only a list of another length is re-filled: a bank of 1000 channels is a long list.
    const int count = OneTouchChannelCount(image, k);
    if (channels_[k]->count() != count) {
      channels_[k]->clear();
      channels_[k]->addItems(ChannelTexts().mid(0, count));
    }
    channels_[k]->setCurrentIndex(key.channel_position);
    no_set_[k]->setChecked(key.no_setting);
  }
}

}  // namespace tqm5::gui
