// The window through its widgets, offscreen: what only a window can get wrong. The rules the
// window calls are tested in the library.
#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextEdit>
#include <filesystem>
#include <fstream>
#include <map>

#include "files/com_ini.h"
#include "files/project_file.h"
#include "gui/channel_dialog.h"
#include "gui/channel_table_model.h"
#include "gui/font_editor.h"
#include "gui/gui_test_support.h"
#include "gui/message_boxes.h"
#include "gui/start_port.h"
#include "image/channel_numbering.h"
#include "image/hex.h"
#include "sim/pty_server.h"
#include "support/files.h"

namespace tqm5::gui {
namespace {

// Channel 1 on 145.000 MHz, FM, 5KHz, shift + 0.600 MHz, Tone with 88.5Hz both ways, DCS 023,
// carrier ＪＲ: its record written out by hand.
const std::string kChannel1Record =
    "024086A4080100C027090001020909001C003E000A" + std::string(86, '0');

class MainWindowTest : public WindowTest {
 protected:
  // Runs a transfer to its end; false when it did not start or end.
  bool Transfer(TransferCommand command) {
    return window_.StartTransfer(command) && WaitUntil([&] { return !window_.runner().busy(); });
  }
};

TEST_F(MainWindowTest, StartsWithTheStartUpImageUnderItsCaptions) {
  EXPECT_EQ(window_.windowTitle(), "TQ-M5 Clone Utility Version 2.04");
  QAbstractItemModel* model = window_.grid()->model();
  QStringList seen;  // the captions, then row labels, then rows, the model buttons and "Up"
  for (int c = 0; c < model->columnCount(); ++c)
    seen << model->headerData(c, Qt::Horizontal).toString();
  for (int n : {1, 1000, 1101, 1402}) seen << model->headerData(n - 1, Qt::Vertical).toString();
  auto* j = window_.findChild<QRadioButton*>("optModel_0");
  seen << QString::number(model->rowCount())
       << Cell(1401, 1) + Cell(1623, 1) + Cell(1401, 4) + Cell(1, 1)
       << QString::number(j->isChecked() * 100 + j->isEnabled() * 10 +
                          window_.findChild<QAbstractButton*>("LIST_SET_0")->isEnabled());
  EXPECT_EQ(seen.join("|"),
            "Freqency|mode|step|Carrier|Tone/DCS|Tx-tone|Rx-tone|DCS|Shift|Shift-Freq|Skip|Name|"
            "Bank00-000|Bank09-099|Dual0(Main) |CALL-UHF|1623|145.00000MHz321.13500MHz2300Hz|101");
}

// Which rows a clear spares is the library's rule; here the selection reaches it.
TEST_F(MainWindowTest, DeleteClearsTheSelectionAndAllClearEveryRowOneUndoStepEach) {
  MemoryImage image = window_.document().image();
  for (int n : {1400, 1404, 1405, 1603}) {
    image.channel(n).blank = false, image.channel(n).frequency_hz = 146000000;
  }
  window_.document().Replace("setup", image);
  SelectRows(1400, 1404);
  Press(Qt::Key_Delete);
  EXPECT_EQ(Cell(1400, 1) + Cell(1404, 1) + "|" + Cell(1405, 1), "|146.00000MHz");
  window_.document().undo_stack()->undo();
  EXPECT_EQ(Cell(1404, 1), "146.00000MHz");
  window_.findChild<QAbstractButton*>("ALL_Reset")->click();
  EXPECT_EQ(Cell(1603, 1) + Cell(1405, 1), "");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(MainWindowTest, EnterOrARowLabelOpensTheRowASubRowItsPairAndBugDetectorsNothing) {
  QTableView* grid = window_.grid();
  // A double-click on a row label opens that row.
  QHeaderView* labels = grid->verticalHeader();
  QPoint at(labels->width() / 2, labels->sectionViewportPosition(4) + 2);  // channel 5
  QMouseEvent click(QEvent::MouseButtonDblClick, at, labels->viewport()->mapToGlobal(at),
                    Qt::LeftButton, Qt::LeftButton, {});
  QString seen;
  WithDialog([&](QDialog& dialog) {
    seen = dialog.findChild<QLabel*>("Label2")->text();
    dialog.reject();
  });
  QApplication::sendEvent(labels->viewport(), &click);
  EXPECT_EQ(seen, "Bank00-004");

  grid->setCurrentIndex(grid->model()->index(1604, 0));  // channel 1605
  Press(Qt::Key_Return);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  grid->setCurrentIndex(grid->model()->index(1101, 0));  // channel 1102, "(Sub)" of pair 0
  WithDialog([&](QDialog& dialog) {
    // clang-format off
    seen = dialog.findChild<QLabel*>("Label2")->text() + "|" +
        dialog.findChild<QLabel*>("Label3")->text() +
        (dialog.findChild<QLineEdit*>("DETAIL_FREQ_1_2")->isVisibleTo(&dialog) ? "|sub shown" : "");
    for (auto [name, text] : {std::pair{"DETAIL_FREQ_1", "145"}, {"DETAIL_NAME", "MAIN"},
         {"DETAIL_FREQ_1_2", "433"}, {"DETAIL_FREQ_2_2", "5"}}) {
      // clang-format on
      dialog.findChild<QLineEdit*>(name)->setText(text);
    }
    dialog.findChild<QAbstractButton*>("DETAIL_ENTER")->click();
  });
  Press(Qt::Key_Return);
  EXPECT_EQ(seen, "Dual0(Main) |Dual0(Sub) |sub shown");
  EXPECT_EQ(grid->currentIndex().row(), 1100);
  EXPECT_EQ(Cell(1101, 1) + Cell(1101, 12) + Cell(1102, 1), "145.00000MHzMAIN433.50000MHz");
  EXPECT_TRUE(window_.document().image().channel(1102).used);
}

// Until a tab has been chosen, the page shown at start-up has not passed the bank total's
// guard: choosing its tab does.
TEST_F(MainWindowTest, TheFirstChoiceOfTheStartUpTabAsksAboutTheBankTotal) {
  MemoryImage image = window_.document().image();
  image.bank_sizes[0] = 99;
  window_.document().Replace("setup", image);
  QTabBar* bar = window_.findChild<QTabWidget*>("TabStrip1")->tabBar();
  QPoint at = bar->tabRect(0).center();  // "Memory", shown
  QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, {});
  messages_.answer = QMessageBox::Ok;
  QApplication::sendEvent(bar, &press);
  EXPECT_EQ(
      std::tuple(messages_.asked, window_.document().image().bank_sizes[0], bar->currentIndex()),
      std::tuple(1, 100, 0));
}

// What a transfer leaves of the radio (the identification it accepted, the raw areas) is not an
// edit: undoing an edit made before the transfer leaves it as the transfer left it.
TEST_F(MainWindowTest, UndoingAnEditMadeBeforeATransferKeepsWhatTheRadioHolds) {
  Document& document = window_.document();
  document.Change("edit", [](MemoryImage& image) { image.title = "X"; });
  RadioSnapshot written;
  written.identification = "ZR~TQM5";
  written.KeepArea(0x00000, std::string(384, 'A'));
  document.KeepRadioState(written);
  document.undo_stack()->undo();
  EXPECT_EQ(std::tuple(document.image().title, document.radio().identification,
                       document.radio().Area(0x00000, 3)),
            std::tuple("", "ZR~TQM5", std::string(384, 'A')));
}

// After a read, "Write Changes" sends the one edited channel, its progress counting that one
// block; whether full writes verify is remembered for the next start.
TEST_F(MainWindowTest, WriteChangesSendsTheEditAndTheVerifyChoiceIsRemembered) {
  window_.SetPort({PortChoice::kSimulated, 0, {}});
  ASSERT_TRUE(Transfer(TransferCommand::kReadAll));
  window_.document().Change("copy",
                            [](MemoryImage& image) { image.channel(100) = image.channel(7); });
  std::vector<Progress> progress;
  QObject::connect(&window_.runner(), &TransferRunner::progressed, &window_,
                   [&progress](const Progress& p) { progress.push_back(p); });
  window_.findChild<QAction*>("WRITE_CHANGES")->trigger();
  ASSERT_TRUE(WaitUntil([&] { return !window_.runner().busy(); }));
  EXPECT_EQ(messages_.shown.back().text + "|" + window_.statusBar()->currentMessage().toStdString(),
            "Complete|Complete: 1 changed block was written and read back as sent (a full write "
            "sends 1754).");
  EXPECT_NE(std::find(progress.begin(), progress.end(), Progress{1, 1, "writing 1 changed blocks"}),
            progress.end());
  window_.simulator().Stop();
  const SimRadio::Memory& memory = window_.simulator().radio().memory();
  EXPECT_TRUE(std::equal(memory.begin() + ChannelAddress(7), memory.begin() + ChannelAddress(8),
                         memory.begin() + ChannelAddress(100)));

  const std::string com_ini = testing::TempPath("com.ini");
  for (bool checked : {false, true}) {
    MainWindow window(ModelOption::kJ, com_ini);
    QAction* verify = window.findChild<QAction*>("VERIFY_WRITES");
    EXPECT_EQ(verify->isChecked(), checked);
    verify->setChecked(true);
  }
  std::filesystem::remove(testing::TempPath("com-window.ini"));
  std::filesystem::remove(com_ini);
}

// The port chosen is what a saved project records, also after undoing an edit made before. A
// port chosen by its device is remembered beside the port number and comes back at the next
// start; the "COM" entries name their devices in their text.
TEST_F(MainWindowTest, AChosenPortIsRecordedAndEveryComEntryNamesItsDevice) {
  const std::string com_ini = testing::TempPath("com.ini");
  {
    MainWindow window(ModelOption::kJ, com_ini);
    window.document().Change("edit", [](MemoryImage& image) { image.title = "X"; });
    window.findChild<QAction*>("MenuSetCom_5")->trigger();
    window.document().undo_stack()->undo();
    EXPECT_EQ(window.document().image().com_port_number, 5);
    WithDialog([](QDialog& dialog) {
      qobject_cast<QInputDialog*>(&dialog)->setTextValue("/dev/ttyACM3");
      dialog.accept();
    });
    window.findChild<QAction*>("OtherPort")->trigger();
  }
  MainWindow again(ModelOption::kJ, com_ini);
  EXPECT_EQ(
      std::tuple(again.port().kind, again.port().device, LoadComPort(com_ini).port,
                 again.findChild<QAction*>("MenuSetCom_2")->text()),
      std::tuple(PortChoice::kDevice, QString("/dev/ttyACM3"), 5, QString("COM2  /dev/ttyUSB1")));
  std::remove(com_ini.c_str());
}

// At start, a remembered port that is not there gives way to the only port present, or the
// status bar lists the ports.
TEST(StartPortTest, TheOnlyPortPresentIsUsedOtherwiseThePortsAreNamed) {
  const QString com1 = "COM1 (/dev/ttyUSB0)";
  const std::tuple<bool, QStringList, StartPort> cases[] = {
      {true, {"/dev/ttyS0"}, {}},
      {false,
       {"/dev/ttyACM0"},
       {"/dev/ttyACM0",
        "COM1 (/dev/ttyUSB0) is not there: using /dev/ttyACM0, the only serial port found."}},
      {false,
       {},
       {"",
        "COM1 (/dev/ttyUSB0) is not there and no serial port was found: plug in the radio's "
        "cable, or choose \"Simulated radio\" in the COM port menu to try the program."}},
      {false,
       {"/dev/ttyS0", "/dev/ttyUSB1"},
       {"",
        "COM1 (/dev/ttyUSB0) is not there. Serial ports found: /dev/ttyS0, /dev/ttyUSB1; "
        "choose the radio's in the COM port menu."}},
  };
  for (const auto& [there, present, expected] : cases) {
    StartPort got = ChooseStartPort(com1, there, present);
    EXPECT_EQ(got.device + "|" + got.message, expected.device + "|" + expected.message);
  }
}

// On a small screen no page squeezes a control below the size it needs (a cut label, boxes over
// each other): the page scrolls instead. The window is no smaller than its minimum.
TEST_F(MainWindowTest, OnASmallScreenEveryPageKeepsItsControlsWhole) {
  window_.resize(800, 560);
  window_.show();
  auto* tabs = window_.findChild<QTabWidget*>("TabStrip1");
  for (int tab = 0; tab < tabs->count(); ++tab) {
    tabs->setCurrentIndex(tab);
    QApplication::processEvents();
    for (QWidget* control : tabs->currentWidget()->findChildren<QWidget*>()) {
      // The grid scrolls its own cells and headers.
      if (!control->isVisible() || control->minimumSizeHint().isEmpty() ||
          window_.grid()->isAncestorOf(control))
        continue;
      const QSize need = control->minimumSizeHint().boundedTo(control->maximumSize());
      EXPECT_TRUE(control->width() >= need.width() && control->height() >= need.height())
          << tab << " " << control->metaObject()->className() << " "
          << qPrintable(control->objectName()) << " " << control->width() << "x"
          << control->height();
    }
  }
  window_.resize(100, 100);
  EXPECT_EQ(window_.size(), QSize(MainWindow::kMinimumWidth, MainWindow::kMinimumHeight));
  window_.hide();
}

// A channel set in the dialog and written with "One Memory Write" reaches the simulated radio
// byte for byte.
TEST_F(MainWindowTest, AChannelEditedInTheDialogReachesTheRadioExactly) {
  window_.SetPort({PortChoice::kSimulated, 0, {}});
  ASSERT_TRUE(Transfer(TransferCommand::kReadAll));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Success ALL DATA READ");

  QTableView* grid = window_.grid();
  grid->setCurrentIndex(grid->model()->index(0, 0));
  grid->selectRow(0);
  WithDialog([](QDialog& dialog) {
    // clang-format off
    for (auto [name, text] : {std::pair{"DETAIL_FREQ_1", "145"}, {"DETAIL_FREQ_2", "0"},
         {"DETAIL_SHIFT_FREQ_1", "0"}, {"DETAIL_SHIFT_FREQ_2", "600"}, {"DETAIL_NAME", ""}}) {
      dialog.findChild<QLineEdit*>(name)->setText(text);
    }
    for (auto name : {"DETAIL_MODE_0", "DETAIL_STEP_0", "DETAIL_SHIFT_1", "PALSE_TYPE_1"})
      dialog.findChild<QAbstractButton*>(name)->click();
    for (auto [name, index] : {std::pair{"TX_TONE_COMBO", 8}, {"RX_TONE_COMBO", 8},
         {"DCS_COMBO", 0}, {"TRAIN_COMBO", 28}}) {
      dialog.findChild<QComboBox*>(name)->setCurrentIndex(index);
    }
    // clang-format on
    dialog.findChild<QAbstractButton*>("DETAIL_SKIP")->setChecked(false);
    dialog.findChild<QAbstractButton*>("DETAIL_ENTER")->click();
  });
  Press(Qt::Key_Return);
  ASSERT_TRUE(Transfer(TransferCommand::kOneMemoryWrite));
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[1].text + messages_.shown[1].title, "CompleteComplete");

  window_.simulator().Stop();
  EXPECT_EQ(BytesToHex(std::span(window_.simulator().radio().memory()).subspan(0x01200, 64)),
            kChannel1Record);
}

TEST_F(MainWindowTest, ACancelledReadEndsWithOneMessageAndTheWindowFree) {
  // The radio holds channel 1 and factory data elsewhere.
  std::ranges::copy(HexToBytes(kChannel1Record),
                    window_.simulator().radio().memory().begin() + 0x01200);
  window_.SetPort({PortChoice::kSimulated, 0, {}});
  auto cancel_at_10 = [this](const Progress& p) {
    if (p.maximum == 1623 && p.value >= 10) window_.runner().Cancel();
  };
  QObject::connect(&window_.runner(), &TransferRunner::progressed, &window_, cancel_at_10);
  ASSERT_TRUE(Transfer(TransferCommand::kReadAll));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text + "|" + messages_.shown[0].title, "Cancelled| Error");
  // Read enabled, Cancel not, progress back to 0%; the channels read before the cancel are one
  // undo step.
  EXPECT_EQ(std::tuple(window_.findChild<QAbstractButton*>("READ_Botton")->isEnabled(),
                       window_.findChild<QAbstractButton*>("CancelTransfer")->isEnabled(),
                       window_.findChild<QLineEdit*>("Progress")->text() + Cell(1, 1) + Cell(1, 10),
                       window_.document().undo_stack()->count()),
            std::tuple(true, false, QString("0%145.00000MHz0.600MHz"), 1));

  // A port that is not there: "Error", with the port named in the details, and no undo step
  // for a read that read nothing.
  window_.SetPort({PortChoice::kDevice, 0, "/dev/tqm5-no-such-port"});
  ASSERT_TRUE(Transfer(TransferCommand::kReadAll));
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[1].text + "|" + messages_.shown[1].title +
                (messages_.shown[1].icon == OutcomeIcon::kCritical ? "|critical|" : "|") +
                messages_.shown[1].detail.substr(0, messages_.shown[1].detail.find(':')),
            "Error| Error|critical|no serial port /dev/tqm5-no-such-port");
  EXPECT_EQ(window_.document().undo_stack()->count(), 1);
  // Cut to the room left of the file and port label, the whole reason is the tooltip.
  EXPECT_TRUE(window_.statusBar()->currentMessage().contains("tqm5-no-such-port"));
  EXPECT_EQ(window_.statusBar()->toolTip(), window_.statusBar()->currentMessage());
}

// Unsaved changes are asked about before they are set aside: also when the window closes after
// a transfer it stopped, and before a project is opened over them.
TEST_F(MainWindowTest, UnsavedChangesAreAskedAboutBeforeTheyAreSetAside) {
  const std::string path = tqm5::testing::TempPath("other.M5");
  tqm5::testing::WriteLines(path, ProjectLines(MemoryImage(), "Save Date and Time"));
  window_.document().Change("edit", [](MemoryImage& image) { image.title = "X"; });
  messages_.file_answer = Utf8(path);
  messages_.answer = QMessageBox::Cancel;
  window_.findChild<QAction*>("ReadFile")->trigger();
  EXPECT_EQ(std::tuple(messages_.asked, messages_.shown.size(), window_.document().image().title),
            std::tuple(1, 0u, std::string("X")));

  window_.SetPort({PortChoice::kSimulated, 0, {}});
  messages_.answer = QMessageBox::Yes;  // stop the transfer and close
  ASSERT_TRUE(window_.StartTransfer(TransferCommand::kWriteAll));
  window_.close();
  ASSERT_TRUE(WaitUntil([&] { return !window_.runner().busy(); }));
  EXPECT_EQ(messages_.asked, 3);
  EXPECT_TRUE(messages_.last_question.contains("not saved"));
}

// A file the window cannot take gets a message box that says so, and nothing changes.
TEST_F(MainWindowTest, RefusedFilesGetAMessageBox) {
  const std::string folder = tqm5::testing::TempPath("folder.M5");
  std::filesystem::create_directories(folder);
  const std::string chan = tqm5::testing::TempPath("chan");
  tqm5::testing::WriteLines(chan, {"\"\",\"Freqency\""});
  struct Row {
    const char* command;
    std::string path;
    const char* text;
  };
  for (const Row& row : {Row{"ReadFile", folder, "This File don't Open"},
                         Row{"FILE_IMPORT", chan, "does not end in \".CSV\""}}) {
    messages_.shown.clear();
    messages_.file_answer = Utf8(row.path);
    window_.findChild<QAction*>(row.command)->trigger();
    ASSERT_EQ(messages_.shown.size(), 1u) << row.command;
    EXPECT_NE(messages_.shown[0].text.find(row.text), std::string::npos) << row.command;
    EXPECT_EQ(window_.document().undo_stack()->count(), 0) << row.command;
  }
}

// Without a mouse: the keyboard starts in the grid and Tab leaves it for every button of the
// page; in the channel dialog Tab follows the layout. Every key is bound once, redo to both
// Ctrl+Shift+Z and Ctrl+Y.
TEST_F(MainWindowTest, TheKeyboardReachesEveryButtonAndEveryKeyIsBoundOnce) {
  auto tab_from = [](QWidget* window, QWidget* start, int count) {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == window; }));
    if (start != nullptr) start->setFocus(Qt::TabFocusReason);
    QStringList seen = {QApplication::focusWidget()->objectName()};
    for (int i = 0; i < count; ++i) {
      QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
      QApplication::sendEvent(QApplication::focusWidget(), &tab);
      seen << QApplication::focusWidget()->objectName();
    }
    return seen.join(" ");
  };
  EXPECT_EQ(tab_from(&window_, nullptr, 6),
            "MSFlexGrid1 READ_Botton WRITE_Botton MEM_ONE_READ MEM_ONE_WRITE Clear_Botton "
            "ALL_Reset");
  ChannelDetailDialog dialog(OpenChannelDialogState(window_.document().image(), 1), true);
  EXPECT_EQ(tab_from(&dialog, dialog.findChild<QWidget*>("DETAIL_FREQ_1"), 3),
            "DETAIL_FREQ_1 DETAIL_FREQ_2 DETAIL_NAME DETAIL_SKIP");

  std::map<QString, int> bound;
  for (QAction* action : window_.findChildren<QAction*>()) {
    for (const QKeySequence& key : action->shortcuts()) ++bound[key.toString()];
  }
  for (const auto& [key, count] : bound) EXPECT_EQ(count, 1) << key.toStdString();
  EXPECT_EQ(QKeySequence::listToString(window_.findChild<QAction*>("EditRedo")->shortcuts()),
            "Ctrl+Shift+Z; Ctrl+Y");
}

// A project opened with lines that were not taken as they are lists them after "Read File". A
// write then asks first and sends nothing on "No". The question goes with the "Open" through
// undo and redo, and ends with a save or a read of the whole radio.
TEST_F(MainWindowTest, AProjectLoadedWithChangesIsWrittenOnlyAfterAQuestion) {
  std::vector<std::string> lines = ProjectLines(MemoryImage(), "Save Date and Time");
  lines.insert(lines.begin() + 1, "CH00100145.0000000028008080001000.6000ABCDEFGHIJKLMNOPQ");
  const std::string path = tqm5::testing::TempPath("changed.M5");
  tqm5::testing::WriteLines(path, lines);
  const std::string problem =
      "line 2, channel 11, Name \"ABCDEFGHIJKLMNOPQ\": 17 characters, the radio holds 16; "
      "loaded as \"ABCDEFGHIJKLMNOP\"";
  window_.OpenProject(Utf8(path));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Read File");
  EXPECT_NE(messages_.shown[0].detail.find(problem), std::string::npos);
  window_.SetPort({PortChoice::kSimulated, 0, {}});
  window_.grid()->selectRow(ChannelTableModel::RowOfChannel(11));

  EXPECT_FALSE(window_.StartTransfer(TransferCommand::kOneMemoryWrite));
  EXPECT_EQ(messages_.asked, 1);
  EXPECT_NE(messages_.last_question.toStdString().find(problem), std::string::npos);
  EXPECT_TRUE(window_.simulator().radio().commands().empty());
  window_.document().undo_stack()->undo();
  ASSERT_TRUE(Transfer(TransferCommand::kTitleWrite));
  window_.document().undo_stack()->redo();
  messages_.answer = QMessageBox::Yes;
  ASSERT_TRUE(Transfer(TransferCommand::kOneMemoryWrite));
  EXPECT_EQ(messages_.asked, 2);
  window_.simulator().Stop();
  EXPECT_EQ(
      BytesToHex(
          std::span(window_.simulator().radio().memory()).subspan(ChannelAddress(11) + 32, 32)),
      "4100420043004400450046004700480049004A004B004C004D004E004F005000");

  window_.SaveProjectAs(Utf8(tqm5::testing::TempPath("saved.M5")));
  ASSERT_TRUE(Transfer(TransferCommand::kTitleWrite));
  window_.OpenProject(Utf8(path));
  ASSERT_TRUE(Transfer(TransferCommand::kReadAll));
  ASSERT_TRUE(Transfer(TransferCommand::kTitleWrite));
  EXPECT_EQ(messages_.asked, 2);
  window_.document().undo_stack()->undo();  // the read: the opened file's lines stand again
  messages_.answer = QMessageBox::No;
  EXPECT_FALSE(window_.StartTransfer(TransferCommand::kTitleWrite));
  EXPECT_EQ(messages_.asked, 3);
}

// A project saved after a read names what the radio holds, so that opened in a later session
// Write Changes sends only the edit; saving over a file keeps the old one first.
TEST_F(MainWindowTest, AProjectCarriesWhatTheRadioHeld) {
  window_.SetPort({PortChoice::kSimulated, 0, {}});
  ASSERT_TRUE(Transfer(TransferCommand::kReadAll));
  const RadioSnapshot read = window_.document().radio();
  const std::string path = tqm5::testing::TempPath("carried.M5");
  std::ofstream(path) << "old";
  messages_.shown.clear();
  window_.SaveProjectAs(Utf8(path));
  ASSERT_EQ(messages_.shown.size(), 1u);
  const std::string detail = messages_.shown[0].detail, kept = "The old file was kept as ";
  ASSERT_TRUE(detail.starts_with(kept)) << detail;
  EXPECT_EQ(tqm5::testing::ReadFile(detail.substr(kept.size(), detail.size() - kept.size() - 1)),
            "old");

  // Export and the font editor's save keep the file they replace too.
  FontEditor editor(window_, &window_);
  for (auto [owner, action, name] :
       {std::tuple<QWidget*, const char*, const char*>{&window_, "FILE_EXPORT", "carried.CSV"},
        {&editor, "FONT_FILE_SAVE", "carried.FM5"}}) {
    messages_.file_answer = Utf8(tqm5::testing::TempPath(name));
    std::ofstream(messages_.file_answer.toStdString()) << "old";
    owner->findChild<QAction*>(action)->trigger();
    EXPECT_NE(messages_.shown.back().detail.find(kept), std::string::npos) << action;
  }

  window_.document().KeepRadioState(RadioSnapshot());  // a new session knows nothing
  window_.OpenProject(Utf8(path));
  EXPECT_EQ(
      std::tuple(window_.document().radio().identification, window_.document().radio().blocks),
      std::tuple(read.identification, read.blocks));
  window_.document().Change("title", [](MemoryImage& image) { image.title = "AB"; });
  messages_.shown.clear();
  ASSERT_TRUE(Transfer(TransferCommand::kWriteChanges));
  ASSERT_FALSE(messages_.shown.empty());
  EXPECT_TRUE(messages_.shown.back().detail.starts_with("1 changed block was written"))
      << messages_.shown.back().text << messages_.shown.back().detail;
}

// The real save dialog: a name typed without an extension gets the chosen filter's ("All Files"
// adds none); each kind of file starts where a file of that kind was last chosen.
TEST(FileDialogTest, SavedNamesOpenAgainAndEachKindStartsWhereItWasLastChosen) {
  QTemporaryDir dir;
  struct Row {
    FileKind kind;
    const char* filter;  // the filter chosen; the dialog's filters are the kind's
    const char* typed;
    const char* saved;
    bool starts_in_dir;
  };
  const QString project = "TQ-M5 Files (*.M5);;All Files (*)", csv = "CSV Files (*.CSV)";
  for (const Row& row :
       {Row{FileKind::kProject, "TQ-M5 Files (*.M5)", "my-radio", "my-radio.M5", false},
        Row{FileKind::kProject, "All Files (*)", "my-radio", "my-radio", true},
        Row{FileKind::kCsv, "CSV Files (*.CSV)", "chan", "chan.CSV", false}}) {
    QString started;
    WithDialog([&](QDialog& dialog) {
      auto& files = static_cast<QFileDialog&>(dialog);
      started = files.directory().absolutePath();
      files.setDirectory(dir.path());
      files.selectNameFilter(row.filter);
      files.selectFile(row.typed);
      static_cast<QDialog&>(files).accept();
    });
    QString path = Messages().ChooseFile(nullptr, true, row.kind, "Save",
                                         row.kind == FileKind::kCsv ? csv : project);
    EXPECT_EQ(QFileInfo(path).fileName() + (started == dir.path() ? " in dir" : ""),
              row.saved + QString(row.starts_in_dir ? " in dir" : ""));
  }
}

// After "Show Details...", Return still presses OK; the details have room for 60 columns and 15
// lines of a list of refused lines.
TEST(MessageBoxTest, ReturnPressesOkAfterShowDetailsAndTheDetailsAreReadable) {
  Outcome outcome =
      MessageOutcome(OutcomeKind::kFileFailed, "CSV File Error", " Error", OutcomeIcon::kNone);
  outcome.detail = "line 2, channel 1, Freqency \"9999\": out of range; channel emptied";
  QString seen;
  WithDialog([&](QDialog& box) {
    for (QPushButton* button : box.findChildren<QPushButton*>()) {
      if (!button->text().startsWith("Show Details")) continue;
      button->setFocus(Qt::MouseFocusReason);  // as a click gives it
      button->click();
    }
    QApplication::processEvents();
    auto* details = box.findChild<QTextEdit*>();
    QFontMetrics metrics(details->font());
    seen = QString(details->isVisible() ? "shown" : "hidden") +
           (details->width() >= 60 * metrics.averageCharWidth() ? " wide" : " narrow") +
           (details->height() >= 15 * metrics.lineSpacing() ? " high" : " low");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &press);
    seen += box.isVisible() ? " open" : " closed";
    if (box.isVisible()) box.reject();
  });
  Messages().Show(nullptr, outcome);
  EXPECT_EQ(seen, "shown wide high closed");
}

}  // namespace
}  // namespace tqm5::gui
