// The "Common Set" and "Set Mode" pages through their widgets: the language switch, the model's
// cross-band item, the one-touch keys across a tab switch, the text boxes and a settings transfer.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <functional>

#include "gui/gui_test_support.h"
#include "gui/main_window.h"
#include "gui/settings_lists.h"
#include "settings/catalogue.h"
#include "sim/pty_server.h"

namespace tqm5::gui {
namespace {

class SettingsPagesTest : public WindowTest {
 protected:
  template <typename T = QComboBox>
  T* Find(const QString& name) {
    T* widget = window_.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }
  QString Text(const QString& name) { return Find<QLabel>(name)->text(); }
};

TEST_F(SettingsPagesTest, TheLanguageSwitchKeepsEveryIndexAndTranslatesEveryText) {
  MemoryImage image = window_.document().image();
  for (const SettingItem& item : SettingsCatalogue())
    if (item.id != kLanguageItem)
      image.settings[item.id] = static_cast<int16_t>(SettingChoiceCount(item.id) - 1);
  window_.document().Replace("setup", image);
  for (int language : {kEnglish, kJapanese}) {
    Find(SettingListName(kLanguageItem))->setCurrentIndex(language);
    for (const SettingItem& item : SettingsCatalogue()) {
      QComboBox* list = Find(SettingListName(item.id));
      std::vector<std::string> shown;
      for (int i = 0; i < list->count(); ++i) shown.push_back(list->itemText(i).toStdString());
      EXPECT_EQ(shown, SettingChoices(item.id, language));
      EXPECT_EQ(list->currentIndex(), item.id == kLanguageItem ? language : list->count() - 1);
    }
  }
  // Hand-written texts of both languages: a caption, the slide's caption, a heading.
  QStringList seen;
  for (int language : {kEnglish, kJapanese}) {
    Find(SettingListName(kLanguageItem))->setCurrentIndex(language);
    seen << Text("Set_Mode_Recv_3_caption") << Text("cmbTitleSlide_caption")
         << Find<QGroupBox>("A_FRAME_3")->findChildren<QGroupBox*>()[6]->title();
  }
  EXPECT_EQ(seen.join("|"),
            "DCS operation|Opening Slide|<SOUND>|"
            "DCSタイプ設定|ｵｰﾌﾟﾆﾝｸﾞｽﾗｲﾄﾞ 動作|≪音設定≫");
}

TEST_F(SettingsPagesTest, CrossBandIsHiddenUnderModelJOnly) {
  MainWindow t_window{ModelOption::kT, ""};
  for (MainWindow* window : {&window_, &t_window}) {
    auto* page = window->findChild<QWidget*>("A_FRAME_3");
    EXPECT_EQ(window->findChild<QComboBox*>("Set_Mode_Repeater_1")->isVisibleTo(page) +
                  window->findChild<QLabel*>("Set_Mode_Repeater_1_caption")->isVisibleTo(page),
              window == &window_ ? 0 : 2);
  }
}

TEST_F(SettingsPagesTest, AOneTouchKeyKeepsItsBankAndChannelAcrossATabSwitch) {
  auto* tabs = Find<QTabWidget>("TabStrip1");
  tabs->setCurrentIndex(2);
  Find<QAbstractButton>("NO_SET_4")->setChecked(false);
  Find("COMMON_BANK_4")->setCurrentIndex(7);
  Find("COMMON_CH_4")->setCurrentIndex(12);
  auto key = [&] {
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(2);
    return Find("COMMON_BANK_4")->currentText() + "/" + Find("COMMON_CH_4")->currentText() + "/" +
           QString::number(Find("COMMON_BANK_4")->count()) + "/" +
           QString::number(Find("COMMON_CH_4")->count());
  };
  EXPECT_EQ(key(), "7/12/10/100");
  MemoryImage image = window_.document().image();
  image.bank_sizes[6] = 180;  // bank 7 shrinks: its channel list with it
  image.bank_sizes[7] = 20;
  window_.document().Replace("setup", image);
  EXPECT_EQ(key(), "7/12/10/20");
  Find("COMMON_BANK_4")->setCurrentIndex(6);  // bank 6, now of 180 channels
  EXPECT_EQ(Find("COMMON_CH_4")->count(), 180);
}

// Which characters a box takes is the library's rule; here typing, pasting by every means and
// an input method's text reach it, and what a paste leaves out is said.
TEST_F(SettingsPagesTest, TypedPastedAndCommittedTextGoThroughTheBoxRule) {
  auto press = [](QLineEdit* box, int key, const QString& text, Qt::KeyboardModifiers modifiers) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(box, &event);
  };
  const std::function<void(QLineEdit*)> pastes[] = {
      [&](QLineEdit* box) { press(box, Qt::Key_V, "", Qt::ControlModifier); },
      [&](QLineEdit* box) { press(box, Qt::Key_Insert, "", Qt::ShiftModifier); },
      [](QLineEdit* box) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, {2, 2}, box->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(box, &event);
        auto* menu = box->findChild<QMenu*>();
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
          if (action->text().startsWith("&Paste")) action->trigger();
      }};
  QApplication::clipboard()->setText("1a2");
  for (const auto& paste : pastes) paste(Find<QLineEdit>("COMMON_DTMF_1"));
  EXPECT_EQ(window_.document().image().dtmf.memories[0], "121212");
  EXPECT_TRUE(window_.statusBar()->currentMessage().startsWith("1 of 3 pasted characters"));

  auto* title = Find<QLineEdit>("TITLE_TEXT");
  const int steps = window_.document().undo_stack()->count();
  QInputMethodEvent commit;
  commit.setCommitString("漢あ");  // 漢 is no radio character
  QApplication::sendEvent(title, &commit);
  for (int i = 0; i < 12; ++i) press(title, Qt::Key_A, "A", {});
  QApplication::clipboard()->setText("XYZ");
  pastes[0](title);  // 16 bytes after "XY"
  EXPECT_EQ(window_.document().image().title, "あ" + std::string(12, 'A') + "XY");
  EXPECT_EQ(window_.document().undo_stack()->count(), steps + 1);  // typing is one step
  press(title, Qt::Key_Backspace, "", {});
  press(title, Qt::Key_Backspace, "", {});
  Find<QAbstractButton>("cmdFont_2")->click();  // glyph 3 fits in the two bytes freed
  EXPECT_EQ(window_.document().image().title, "あ" + std::string(12, 'A') + "③");
}

// Bytes of the settings area written out by hand: language 0x3E (0x00 English), squelch (Main)
// 0x04, TV CH 0x0D (stored plus one), preset band (Main) 0x0E (plus three), contrast 0x52 (plus
// one).
TEST_F(SettingsPagesTest, SettingsReadAndWriteThroughTheSimulatedRadio) {
  auto& memory = window_.simulator().radio().memory();
  memory[0x3E] = 0x00;
  memory[0x04] = 0x07;
  memory[0x0D] = 0x05;
  window_.SetPort({PortChoice::kSimulated, 0, {}});
  ASSERT_TRUE(ClickAndWait("SETTING_READ"));
  EXPECT_EQ(Find("Set_Mode_Display_0")->currentText() + Find("Set_Mode_Recv_6")->currentText() +
                Find("Set_Mode_Display_13")->currentText() + Text("Set_Mode_Display_13_caption"),
            "English75TV CH");
  Find("Set_Mode_Display_14")->setCurrentIndex(1);
  Find("Set_Mode_Display_3")->setCurrentIndex(2);
  ASSERT_TRUE(ClickAndWait("Set_Mode_Write"));
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[1].text, "Success");
  window_.simulator().Stop();
  EXPECT_EQ(
      std::vector<int>({memory[0x3E], memory[0x04], memory[0x0D], memory[0x0E], memory[0x52]}),
      std::vector<int>({0x00, 0x07, 0x05, 0x04, 0x03}));
}

TEST_F(SettingsPagesTest, ChoicesAndTheSettingsResetAreUndone) {
  auto state = [&] {
    return Find("Set_Mode_Key_6")->currentText() + "|" + Text("Set_Mode_Key_6_caption");
  };
  Find("Set_Mode_Display_0")->setCurrentIndex(kEnglish);
  Find("Set_Mode_Key_6")->setCurrentIndex(3);
  EXPECT_EQ(state(), "Screen contrast|Wild key assign");
  Find<QAbstractButton>("SETTING_RESET")->click();
  EXPECT_EQ(state(), "language／言語|WILDｷｰ設定");
  window_.document().undo_stack()->undo();
  EXPECT_EQ(state(), "Screen contrast|Wild key assign");
  window_.document().undo_stack()->undo();
  EXPECT_EQ(state(), "Language|Wild key assign");
}

}  // namespace
}  // namespace tqm5::gui
