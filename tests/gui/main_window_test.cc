// The window through its widgets, offscreen: what only a window can get wrong. The rules the
// window calls are tested in the library.
#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <functional>

#include "gui/channel_dialog.h"
#include "gui/message_boxes.h"
#include "image/channel_numbering.h"
#include "image/hex.h"
#include "sim/pty_server.h"

namespace tqm5::gui {
namespace {

// Records every message box instead of showing it.
class RecordedMessages : public MessageBoxes {
 public:
  void Show(QWidget*, const Outcome& outcome) override { shown.push_back(outcome); }
  QMessageBox::StandardButton Ask(QWidget*, const QString&, const QString&,
                                  QMessageBox::StandardButtons) override {
    ++asked;
    return answer;
  }
  std::vector<Outcome> shown;
  int asked = 0;
  QMessageBox::StandardButton answer = QMessageBox::No;
};

bool WaitUntil(const std::function<bool()>& done, int milliseconds = 20000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > milliseconds) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { SetMessages(&messages_); }
  void TearDown() override { SetMessages(nullptr); }

  QString Cell(int number, int column) {
    return window_.grid()->model()->index(number - 1, column - 1).data().toString();
  }
  void Press(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
  }
  // Runs a transfer to its end; false when it did not start or end.
  bool Transfer(TransferCommand command) {
    return window_.StartTransfer(command) && WaitUntil([&] { return !window_.runner().busy(); });
  }
  // Interacts with the modal dialog that the next step opens.
  void WithDialog(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      act(*dialog);
    });
  }

  RecordedMessages messages_;
  MainWindow window_{ModelOption::kJ, ""};
};

TEST_F(MainWindowTest, StartsWithTheStartUpImageUnderItsCaptions) {
  EXPECT_EQ(window_.windowTitle(), "TQ-M5 Clone Utility Version 2.04");
  QAbstractItemModel* model = window_.grid()->model();
  QStringList captions;
  for (int c = 0; c < model->columnCount(); ++c) {
    captions << model->headerData(c, Qt::Horizontal).toString();
  }
  EXPECT_EQ(captions.join("|"),
            "Freqency|mode|step|Carrier|Tone/DCS|Tx-tone|Rx-tone|DCS|Shift|Shift-Freq|Skip|Name");
  EXPECT_EQ(model->rowCount(), 1623);
  const std::pair<int, const char*> labels[] = {
      {1, "Bank00-000"}, {1000, "Bank09-099"}, {1101, "Dual0(Main) "}, {1402, "CALL-UHF"}};
  for (auto [number, label] : labels) {
    EXPECT_EQ(model->headerData(number - 1, Qt::Vertical).toString(), QString(label));
  }
  EXPECT_EQ(Cell(1401, 1) + Cell(1623, 1) + Cell(1401, 4) + Cell(1, 1),
            "145.00000MHz321.13500MHz2300Hz");
  auto* j = window_.findChild<QRadioButton*>("optModel_0");
  ASSERT_NE(j, nullptr);
  EXPECT_TRUE(j->isChecked());
  EXPECT_FALSE(j->isEnabled());
  EXPECT_FALSE(window_.findChild<QAbstractButton*>("LIST_SET_0")->isEnabled());
}

TEST_F(MainWindowTest, DeleteClearsTheSelectionButNeverProtectedRowsAndUndoBringsItBack) {
  MemoryImage image = window_.document().image();
  for (int n : {1400, 1404, 1405, 1603, 1604}) image.channel(n).row[kColFreq] = "146.00000MHz";
  window_.document().Replace("setup", image);
  QTableView* grid = window_.grid();
  grid->setCurrentIndex(grid->model()->index(1399, 0));
  grid->selectionModel()->select(
      QItemSelection(grid->model()->index(1399, 0), grid->model()->index(1404, 11)),
      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  Press(grid, Qt::Key_Delete);
  EXPECT_EQ(Cell(1400, 1) + Cell(1404, 1) + Cell(1405, 1), "");
  EXPECT_EQ(Cell(1401, 1) + Cell(1403, 1), "145.00000MHz1295.00000MHz");
  window_.document().undoStack()->undo();
  EXPECT_EQ(Cell(1404, 1), "146.00000MHz");

  window_.findChild<QAbstractButton*>("ALL_Reset")->click();
  EXPECT_EQ(Cell(1603, 1) + Cell(1400, 1), "");
  EXPECT_EQ(Cell(1604, 1), "146.00000MHz");  // bug detectors are not touched
  EXPECT_EQ(Cell(1402, 1), "433.00000MHz");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(MainWindowTest, EnterOnASubRowOpensItsPairAndBugDetectorsOpenNothing) {
  QTableView* grid = window_.grid();
  grid->setCurrentIndex(grid->model()->index(1604, 0));  // channel 1605
  Press(grid, Qt::Key_Return);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  grid->setCurrentIndex(grid->model()->index(1101, 0));  // channel 1102, "(Sub)" of pair 0
  QString main_label, sub_label;
  bool second_visible = false;
  WithDialog([&](QDialog& dialog) {
    main_label = dialog.findChild<QLabel*>("Label2")->text();
    sub_label = dialog.findChild<QLabel*>("Label3")->text();
    second_visible = dialog.findChild<QLineEdit*>("DETAIL_FREQ_1_2")->isVisibleTo(&dialog);
    dialog.findChild<QLineEdit*>("DETAIL_FREQ_1")->setText("145");
    dialog.findChild<QLineEdit*>("DETAIL_NAME")->setText("MAIN");
    dialog.findChild<QLineEdit*>("DETAIL_FREQ_1_2")->setText("433");
    dialog.findChild<QLineEdit*>("DETAIL_FREQ_2_2")->setText("5");
    dialog.findChild<QAbstractButton*>("DETAIL_ENTER")->click();
  });
  Press(grid, Qt::Key_Return);
  EXPECT_EQ(main_label + "|" + sub_label, "Dual0(Main) |Dual0(Sub) ");
  EXPECT_TRUE(second_visible);
  EXPECT_EQ(grid->currentIndex().row(), 1100);
  EXPECT_EQ(Cell(1101, 1) + Cell(1101, 12) + Cell(1102, 1), "145.00000MHzMAIN433.50000MHz");
  EXPECT_TRUE(window_.document().image().channel(1102).used);
}

TEST_F(MainWindowTest, PagesOtherThanBankAskBeforeTheBanksAreReset) {
  MemoryImage image = window_.document().image();
  image.bank_sizes[0] = 99;  // total 999
  window_.document().Replace("setup", image);
  auto* tabs = window_.findChild<QTabWidget*>("TabStrip1");
  messages_.answer = QMessageBox::Cancel;
  tabs->setCurrentIndex(3);  // "Set Mode"
  EXPECT_EQ(messages_.asked, 1);
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(window_.document().image().bank_sizes[0], 99);
  messages_.answer = QMessageBox::Ok;
  tabs->setCurrentIndex(3);
  EXPECT_EQ(messages_.asked, 2);
  EXPECT_EQ(tabs->currentIndex(), 3);
  EXPECT_EQ(window_.document().image().bank_sizes[0], 100);
  // "Bank" resets without asking.
  image.bank_sizes[0] = 99;
  window_.document().Replace("setup", image);
  tabs->setCurrentIndex(1);
  EXPECT_EQ(messages_.asked, 2);
  EXPECT_EQ(window_.document().image().bank_sizes[0], 100);
}

TEST_F(MainWindowTest, TheDialogsTrainControlsFollowTheModel) {
  for (ModelOption model : {ModelOption::kJ, ModelOption::kT}) {
    MemoryImage image;
    SelectModelOption(image, model);
    ChannelDetailDialog dialog(tqm5::OpenChannelDialog(image, 1), model == ModelOption::kJ);
    EXPECT_EQ(dialog.findChild<QWidget*>("TRAIN_COMBO")->isVisibleTo(&dialog),
              model == ModelOption::kJ);
    EXPECT_EQ(dialog.findChild<QWidget*>("PALSE_TYPE_5")->isVisibleTo(&dialog),
              model == ModelOption::kJ);
    EXPECT_FALSE(dialog.findChild<QWidget*>("DETAIL_FREQ_1_2")->isVisibleTo(&dialog));
  }
}

// A channel set in the dialog and written with "One Memory Write" reaches the simulated radio
// byte for byte: channel 1 on 145.000 MHz, FM, 5KHz, shift + 0.600 MHz, Tone with 88.5Hz both
// ways, DCS 023, carrier ＪＲ.
TEST_F(MainWindowTest, AChannelEditedInTheDialogReachesTheRadioExactly) {
  window_.SetPort({PortChoice::kSimulated, 0, {}});
  ASSERT_TRUE(Transfer(TransferCommand::kReadAll));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Success ALL DATA READ");

  QTableView* grid = window_.grid();
  grid->setCurrentIndex(grid->model()->index(0, 0));
  grid->selectRow(0);
  WithDialog([](QDialog& dialog) {
    dialog.findChild<QLineEdit*>("DETAIL_FREQ_1")->setText("145");
    dialog.findChild<QLineEdit*>("DETAIL_FREQ_2")->setText("0");
    dialog.findChild<QAbstractButton*>("DETAIL_MODE_0")->click();
    dialog.findChild<QAbstractButton*>("DETAIL_STEP_0")->click();
    dialog.findChild<QAbstractButton*>("DETAIL_SHIFT_1")->click();
    dialog.findChild<QAbstractButton*>("PALSE_TYPE_1")->click();
    dialog.findChild<QLineEdit*>("DETAIL_SHIFT_FREQ_1")->setText("0");
    dialog.findChild<QLineEdit*>("DETAIL_SHIFT_FREQ_2")->setText("600");
    dialog.findChild<QComboBox*>("TX_TONE_COMBO")->setCurrentIndex(8);
    dialog.findChild<QComboBox*>("RX_TONE_COMBO")->setCurrentIndex(8);
    dialog.findChild<QComboBox*>("DCS_COMBO")->setCurrentIndex(0);
    dialog.findChild<QComboBox*>("TRAIN_COMBO")->setCurrentIndex(28);
    dialog.findChild<QLineEdit*>("DETAIL_NAME")->clear();
    dialog.findChild<QAbstractButton*>("DETAIL_SKIP")->setChecked(false);
    dialog.findChild<QAbstractButton*>("DETAIL_ENTER")->click();
  });
  Press(grid, Qt::Key_Return);
  ASSERT_TRUE(Transfer(TransferCommand::kOneMemoryWrite));
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[1].text + messages_.shown[1].title, "CompleteComplete");

  SimPtyServer& sim = window_.simulator();
  sim.Stop();
  const SimRadio::Memory& memory = sim.radio().memory();
  std::string record;
  for (int i = 0; i < 64; ++i) record += HexPad(memory[static_cast<size_t>(0x01200 + i)], 2);
  EXPECT_EQ(record, "024086A4080100C027090001020909001C003E000A" + std::string(86, '0'));
}

TEST_F(MainWindowTest, ACancelledReadEndsWithOneMessageAndTheWindowFree) {
  // The radio holds channel 1 (the record written out by hand) and factory data elsewhere.
  const std::string record = "024086A4080100C027090001020909001C003E000A" + std::string(86, '0');
  SimRadio::Memory& memory = window_.simulator().radio().memory();
  for (size_t i = 0; i < 64; ++i) {
    memory[0x01200 + i] = static_cast<uint8_t>(std::stoi(record.substr(2 * i, 2), nullptr, 16));
  }
  window_.SetPort({PortChoice::kSimulated, 0, {}});
  QObject::connect(&window_.runner(), &TransferRunner::progressed, &window_,
                   [this](const Progress& progress) {
                     if (progress.maximum == 1623 && progress.value >= 10)
                       window_.runner().Cancel();
                   });
  ASSERT_TRUE(Transfer(TransferCommand::kReadAll));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text + "|" + messages_.shown[0].title, "Cancelled| Error");
  EXPECT_TRUE(window_.findChild<QAbstractButton*>("READ_Botton")->isEnabled());
  EXPECT_FALSE(window_.findChild<QAbstractButton*>("CancelTransfer")->isEnabled());
  EXPECT_EQ(window_.findChild<QLineEdit*>("Progress")->text(), "0%");
  // The channels read before the cancel are one undo step.
  EXPECT_EQ(Cell(1, 1) + Cell(1, 10), "145.00000MHz0.600MHz");
  EXPECT_EQ(window_.document().undoStack()->count(), 1);

  // With no model chosen no radio answers: "Error", and no undo step for a read that read
  // nothing.
  MainWindow unidentified(ModelOption::kNone, "");
  unidentified.SetPort({PortChoice::kSimulated, 0, {}});
  ASSERT_TRUE(unidentified.StartTransfer(TransferCommand::kReadAll));
  ASSERT_TRUE(WaitUntil([&] { return !unidentified.runner().busy(); }));
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[1].text + "|" + messages_.shown[1].title, "Error| Error");
  EXPECT_EQ(messages_.shown[1].icon, OutcomeIcon::kCritical);
  EXPECT_EQ(unidentified.document().undoStack()->count(), 0);
  messages_.shown.pop_back();

  // A port that is not there: no message box, the reason in the status bar.
  window_.SetPort({PortChoice::kDevice, 0, "/dev/tqm5-no-such-port"});
  ASSERT_TRUE(Transfer(TransferCommand::kReadAll));
  EXPECT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(window_.document().undoStack()->count(), 1);
}

}  // namespace
}  // namespace tqm5::gui

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
