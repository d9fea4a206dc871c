// The grid's list commands through the window: the selection reaches the library's rules, each
// command is one undo step and a refusal is shown. The rules themselves are tested in the
// library.
#include "gui/grid_editor.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>

#include "gui/gui_test_support.h"
#include "gui/main_window.h"

namespace tqm5::gui {
namespace {

class GridEditorTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window_.show();
    MemoryImage image = window_.document().image();
    for (int n = 1; n <= 5; ++n) {
      Channel& channel = image.channel(n);
      channel.blank = false, channel.used = true;
      channel.frequency_hz = 145000000 + 100000 * static_cast<uint32_t>(n);
      channel.name = std::string(1, static_cast<char>('A' + n - 1));
    }
    window_.document().Replace("setup", image);
  }

  // Names of channels 1..7, "-" for an empty row.
  std::string Names() {
    std::string names;
    for (int n = 1; n <= 7; ++n) {
      const Channel& channel = window_.document().image().channel(n);
      names += channel.blank ? "-" : channel.name;
    }
    return names;
  }
  void Click(int number, Qt::KeyboardModifiers modifiers) {
    QTableView* grid = window_.grid();
    QPoint at = grid->visualRect(grid->model()->index(number - 1, 0)).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                        modifiers);
      QApplication::sendEvent(grid->viewport(), &event);
    }
  }
  std::string Cell(int number, int column) {
    return CellText(window_.document().image().channel(number), column);
  }
};

TEST_F(GridEditorTest, CtrlClickSelectsRowsApartAndClearAndTransfersKeepToThem) {
  Click(2, Qt::NoModifier);
  Click(4, Qt::ControlModifier);
  EXPECT_EQ(window_.grid_editor().SelectedChannels(), (std::vector<int>{2, 4}));
  Press(Qt::Key_Delete);
  EXPECT_EQ(Names(), "A-C-E--");
  // "One Memory Write" takes one block of rows: the row between is not sent.
  EXPECT_FALSE(window_.StartTransfer(TransferCommand::kOneMemoryWrite));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Select one block of consecutive rows for this command.");
}

TEST_F(GridEditorTest, UpAndDownAreOneUndoStepEachAndARefusalIsShown) {
  QUndoStack* history = window_.document().undo_stack();
  const int steps = history->count();
  window_.grid_editor().SelectChannels({2, 3});
  auto* up = window_.findChild<QAbstractButton*>("LIST_SET_0");
  ASSERT_TRUE(up->isEnabled());
  up->click();
  EXPECT_EQ(Names(), "BCADE--");
  EXPECT_EQ(window_.grid_editor().SelectedChannels(), (std::vector<int>{1, 2}));
  up->click();
  EXPECT_EQ(Names(), "BCADE--");
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text + "|" + messages_.shown[0].title,
            "Bank00-000 is the first row of bank 0: channels move only within it. Nothing was "
            "changed.|Up");
  window_.findChild<QAction*>("InsertEmpty")->trigger();
  EXPECT_EQ(Names(), "--BCADE");
  window_.findChild<QAbstractButton*>("LIST_SET_1")->click();
  EXPECT_EQ(Names(), "B--CADE");
  EXPECT_EQ(history->count(), steps + 3);
  history->setIndex(steps);  // the three undone
  EXPECT_EQ(Names(), "ABCDE--");
}

TEST_F(GridEditorTest, FindScrollsToTheChannelAndSaysWhenNoneHoldsTheText) {
  window_.grid_editor().SelectChannels({1});
  window_.grid_editor().FindText("c");
  EXPECT_EQ(window_.grid()->currentIndex().row(), 2);
  window_.grid_editor().FindText("145.5");
  EXPECT_EQ(window_.grid()->currentIndex().row(), 4);
  window_.grid_editor().FindText("nowhere");
  EXPECT_EQ(window_.statusBar()->currentMessage(),
            "No channel holds \"nowhere\" in its name or frequency.");
}

// Enter with several rows selected opens "Edit Selected"; a field changed there is ticked.
TEST_F(GridEditorTest, EditSelectedSetsTheTickedFieldsAndListsTheRefusedChannels) {
  window_.grid_editor().SelectChannels({2, 3, 6});
  WithDialog([&](QDialog& dialog) {
    dialog.findChild<QComboBox*>("PALSE_TYPE")->setCurrentIndex(1);  // "Tone"
    dialog.findChild<QCheckBox*>("CHANGE_PALSE_TYPE")->setChecked(true);
    Press(Qt::Key_X, dialog.findChild<QLineEdit*>("DETAIL_NAME"), "X");
    dialog.findChild<QAbstractButton*>("DETAIL_ENTER")->click();
  });
  Press(Qt::Key_Return);
  EXPECT_EQ(Cell(2, kColToneMode) + Cell(2, kColName) + Cell(3, kColToneMode) + Cell(3, kColName) +
                "|" + Cell(1, kColToneMode) + Cell(6, kColToneMode),
            "ToneBXToneBX|");
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text,
            "2 channel(s) changed. 1 not changed:\nBank00-005: not in use: only a frequency puts "
            "a channel in use");
  window_.document().undo_stack()->undo();
  EXPECT_EQ(Cell(2, kColName) + Cell(3, kColName), "BC");
}

TEST_F(GridEditorTest, F2EditsACellThroughTheRulesAndARefusedValueIsNotKept) {
  QTableView* grid = window_.grid();
  auto type = [&](int number, int column, const QString& text) {
    grid->setCurrentIndex(grid->model()->index(number - 1, column - 1));
    Press(Qt::Key_F2);
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    Press(Qt::Key_Return, editor);
    // The delegate commits on the next turn of the event loop, then the editor goes.
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  };
  type(1, kColFreq, "146.5");
  type(1, kColTxTone, "100.0");
  EXPECT_EQ(Cell(1, kColFreq) + Cell(1, kColTxTone), "146.50000MHz100.0Hz");
  type(1401, kColFreq, "433");
  EXPECT_EQ(Cell(1401, kColFreq), "145.00000MHz");
  EXPECT_EQ(window_.statusBar()->currentMessage(), "CALL-VHF: 433.00000MHz is outside its band");
  type(1, kColMode, "USB");
  EXPECT_EQ(window_.statusBar()->currentMessage(), "Bank00-000: \"USB\" is not a mode.");
}

TEST_F(GridEditorTest, FillFrequenciesFillsTheEmptyRowsFromTheSelectedOneInOneStep) {
  window_.grid_editor().SelectChannels({3});
  WithDialog([&](QDialog& dialog) {
    dialog.findChild<QLineEdit*>("FILL_START")->setText("438.5");
    dialog.findChild<QLineEdit*>("FILL_STEP")->setText("0.025");
    dialog.findChild<QSpinBox*>("FILL_COUNT")->setValue(2);
    dialog.findChild<QLineEdit*>("FILL_NAME")->setText("RPT {n}");
    dialog.findChild<QAbstractButton*>("FILL_OK")->click();
  });
  const int steps = window_.document().undo_stack()->count();
  window_.findChild<QAbstractButton*>("FILL_FREQ")->click();
  EXPECT_EQ(Cell(3, kColName) + "|" + Cell(6, kColFreq) + Cell(6, kColName) + "|" +
                Cell(7, kColFreq) + Cell(7, kColName),
            "C|438.50000MHzRPT 1|438.52500MHzRPT 2");
  EXPECT_EQ(window_.document().undo_stack()->count(), steps + 1);
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace tqm5::gui
