// The bank page and the bank-link editor through their widgets: what only the window can get
// wrong. The rules they call are tested in the library.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <functional>
#include <span>
#include <vector>

#include "gui/gui_test_support.h"
#include "gui/main_window.h"
#include "image/hex.h"
#include "sim/pty_server.h"

// Failures show the texts compared.
static void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

namespace tqm5::gui {
namespace {

class BankPageTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    tabs_->setCurrentIndex(1);  // "Bank"
  }

  QAbstractButton* Find(const QString& name) { return window_.findChild<QAbstractButton*>(name); }
  QSlider* Slider(int bank) { return window_.findChild<QSlider*>(QString("Slider1_%1").arg(bank)); }
  QLineEdit* Box(int bank) { return window_.findChild<QLineEdit*>(QString("Text1_%1").arg(bank)); }
  // What the page shows of a bank and of the total.
  struct Shown {
    QString box;
    int slider = 0;
    QString total;
    bool red = false;       // the total's text
    bool writable = false;  // "Bank Write" enabled
  };
  void ExpectShown(int bank, const Shown& expected) {
    auto* total = window_.findChild<QLineEdit*>("Total_Mem");
    EXPECT_EQ(Box(bank)->text(), expected.box) << "box of bank " << bank;
    EXPECT_EQ(Slider(bank)->value(), expected.slider) << "slider of bank " << bank;
    EXPECT_EQ(total->text(), expected.total) << "total";
    EXPECT_EQ(total->palette().color(QPalette::Text) == QColor(255, 0, 0), expected.red) << "red";
    EXPECT_EQ(Find("WRITE_BANK")->isEnabled(), expected.writable) << "Bank Write enabled";
  }
  static void Type(QLineEdit* box, const QString& text) {  // then Enter
    box->selectAll();
    for (QChar c : text + "\r") {
      QKeyEvent press(QEvent::KeyPress, c == '\r' ? Qt::Key_Return : 0, Qt::NoModifier, c);
      QApplication::sendEvent(box, &press);
    }
  }
  static void ClickCell(QTableWidget* grid, int row, int column) {
    QPoint at = grid->visualRect(grid->model()->index(row, column)).center();
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(grid->viewport(), &event);
    }
  }

  QTabWidget* tabs_ = window_.findChild<QTabWidget*>("TabStrip1");
};

TEST_F(BankPageTest, SliderBoxAndTotalStayInStep) {
  struct Row {
    const char* step;
    std::function<void()> act;
    int bank;
    Shown shown;
  };
  for (const Row& row : std::vector<Row>{
           {"slider 13 set to 1",
            [&] { Slider(13)->setValue(1); },
            13,
            {.box = "1", .slider = 1, .total = "1001", .red = true}},
           {"0099a9 typed into box 0: the letter and the fifth digit refused",
            [&] { Type(Box(0), "0099a9"); },
            0,
            {.box = "99", .slider = 99, .total = "1000", .writable = true}},
           {"box 13 left holding 1500, which becomes 100",
            [&] {
              Box(13)->setText("1500");
              emit Box(13)->editingFinished();
            },
            13,
            {.box = "100", .slider = 100, .total = "1099", .red = true}},
       }) {
    SCOPED_TRACE(row.step);
    row.act();
    ExpectShown(row.bank, row.shown);
  }
}

TEST_F(BankPageTest, ADragIsOneUndoStepAndTheTabGuardSeesThePage) {
  QUndoStack* undo = window_.document().undo_stack();
  const int steps = undo->count();
  for (int drag : {0, 1}) {
    Slider(15)->setSliderDown(true);
    for (int value : {10, 20, 30 + drag}) Slider(15)->setValue(value);
    Slider(15)->setSliderDown(false);
  }
  EXPECT_EQ(undo->count(), steps + 2);
  undo->undo();
  ExpectShown(15, {.box = "30", .slider = 30, .total = "1030", .red = true});
  messages_.answer = QMessageBox::Cancel;
  tabs_->setCurrentIndex(3);
  EXPECT_EQ(std::tuple(tabs_->currentIndex(), messages_.asked), std::tuple(1, 1));
  messages_.answer = QMessageBox::Ok;
  tabs_->setCurrentIndex(3);
  ExpectShown(15, {.box = "0", .slider = 0, .total = "1000", .writable = true});
  // Coming back to "Bank" from another page resets without asking.
  MemoryImage image = window_.document().image();
  image.bank_sizes[0] = 99;
  window_.document().Replace("setup", image);
  tabs_->setCurrentIndex(1);
  EXPECT_EQ(messages_.asked, 2);
  ExpectShown(0, {.box = "100", .slider = 100, .total = "1000", .writable = true});
}

TEST_F(BankPageTest, TheEditorShowsBanksWithoutChannelsGreyAndStoresClicks) {
  MemoryImage image = window_.document().image();
  image.bank_link_hex[0] = "0020000000000000";  // bank 10, which has no channels
  image.bank_sizes[0] = 99;
  window_.document().Replace("setup", image);
  QWidget* opened = nullptr;  // with a total of 999 nothing opens
  QTimer::singleShot(0, [&] { (opened = QApplication::activeModalWidget()) && opened->close(); });
  Find("GROUP_SET")->click();
  QApplication::processEvents();
  EXPECT_EQ(opened, nullptr);

  Find("Bank_Clear")->click();
  const int steps = window_.document().undo_stack()->count();
  QStringList seen;  // background colours of group 1 bank 0 and bank 10 before and after clicks
  WithDialog([&](QDialog& dialog) {
    auto* grid = dialog.findChild<QTableWidget*>("MSFlexGrid1");
    auto colours = [&] {
      for (int column : {1, 12}) seen << grid->item(2, column)->background().color().name();
    };
    colours();
    for (int column : {1, 12}) ClickCell(grid, 2, column);
    colours();
    dialog.close();  // the close box keeps what is shown
  });
  Find("GROUP_SET")->click();
  EXPECT_EQ(seen.join(" "), "#000000 #808080 #000080 #808080");
  const BankLinkHex& groups = window_.document().image().bank_link_hex;
  EXPECT_EQ(groups[0], "0000000000000000");
  EXPECT_EQ(groups[1], "8000000000000000");
  EXPECT_EQ(window_.document().undo_stack()->count(), steps + 2);  // the click, then the close
}

TEST_F(BankPageTest, BankSizesAndBankLinkGroupsTravelToAndFromTheRadio) {
  window_.SetPort({PortChoice::kSimulated, 0, {}});
  std::ranges::copy(HexToBytes("E703" + std::string(196, '0')),  // bank 0: 999 channels
                    window_.simulator().radio().memory().begin() + 0x200);
  ASSERT_TRUE(ClickAndWait("READ_BANK"));
  // "Bank Write" stays disabled after the transfer has ended.
  ExpectShown(0, {.box = "999", .slider = 999, .total = "999", .red = true});
  EXPECT_EQ(Box(1)->text(), "0");

  Find("Bank_Clear")->click();
  ASSERT_TRUE(ClickAndWait("WRITE_BANK"));
  ExpectShown(0, {.box = "100", .slider = 100, .total = "1000", .writable = true});
  WithDialog([&](QDialog& dialog) {
    auto* grid = dialog.findChild<QTableWidget*>("MSFlexGrid1");
    for (auto [row, column] : {std::pair{1, 1}, {1, 10}, {11, 1}}) ClickCell(grid, row, column);
    dialog.findChild<QAbstractButton*>("GROUP_WRITE")->click();
    WaitUntil([&] { return !window_.runner().busy(); });
    dialog.findChild<QAbstractButton*>("Command2")->click();
  });
  Find("GROUP_SET")->click();
  ASSERT_EQ(messages_.shown.size(), 3u);
  EXPECT_EQ(messages_.shown[0].text + messages_.shown[1].text + messages_.shown[2].text,
            "SuccessSuccessComplete");
  window_.simulator().Stop();
  auto memory = std::span(window_.simulator().radio().memory());
  EXPECT_EQ(BytesToHex(memory.subspan(0x200, 100)),
            "6400640064006400640064006400640064006400" + std::string(160, '0'));
  EXPECT_EQ(BytesToHex(memory.subspan(0x100, 88)),
            "8040000000000000" + std::string(9 * 16, '0') + "8000000000000080");
}

}  // namespace
}  // namespace tqm5::gui
