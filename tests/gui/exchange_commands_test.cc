// The window's channel-list and clipboard commands: each reaches the library's rules and changes
// the image in one undo step.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTableView>
#include <QUndoStack>

#include "gui/grid_editor.h"
#include "gui/gui_test_support.h"
#include "gui/main_window.h"
#include "support/files.h"

namespace tqm5::gui {
namespace {

class ExchangeCommandsTest : public WindowTest {
 protected:
  void Trigger(const char* name) { window_.findChild<QAction*>(name)->trigger(); }
};

TEST_F(ExchangeCommandsTest, CopyCutAndPasteMoveRowsInOneUndoStepEach) {
  QUndoStack* undo = window_.document().undo_stack();
  SelectRows(1401, 1402);  // the call channels: copied, and kept by a cut
  Trigger("EditCopyWithCaptions");
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith("\tFreqency\tmode\t"));
  Trigger("EditCut");
  EXPECT_EQ(Cell(1401, 1), "145.00000MHz");
  SelectRows(5, 5);
  const int steps = undo->count();
  Trigger("EditPaste");
  EXPECT_EQ(undo->count(), steps + 1);
  EXPECT_EQ(Cell(5, 1) + Cell(6, 1) + Cell(6, 4), "145.00000MHz433.00000MHz2300Hz");
  EXPECT_EQ(window_.grid_editor().SelectedChannels(), (std::vector<int>{5, 6}));

  QApplication::clipboard()->setText(
      "145\tFM\t5KHz\tJR\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t\tA\n"
      "145\tUSB\t5KHz\tJR\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t\tB\n");
  Trigger("EditPaste");
  EXPECT_EQ(undo->count(), steps + 2);
  EXPECT_EQ(Cell(5, 12) + "|" + Cell(6, 12), "A|");
  ASSERT_EQ(messages_.shown.size(), 1u);  // the first paste showed none
  EXPECT_NE(messages_.shown[0].detail.find("line 2, channel 6, mode \"USB\""), std::string::npos);
  undo->undo();
  EXPECT_EQ(Cell(5, 4) + Cell(5, 12), "2300Hz");
}

// Rows selected apart are not one block: a cut that took first..last would empty the rows
// between, which the user did not select.
TEST_F(ExchangeCommandsTest, CopyAndCutRefuseRowsSelectedApart) {
  window_.document().Change("Set", [](MemoryImage& image) {
    image.channel(11).frequency_hz = 145000000;
    image.channel(11).blank = false;
    image.channel(11).used = true;
  });
  window_.grid_editor().SelectChannels({10, 12});
  for (const char* action : {"EditCopy", "EditCut"}) {
    SCOPED_TRACE(action);
    QApplication::clipboard()->clear();
    messages_.shown.clear();
    Trigger(action);
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "Select one block of consecutive rows for this command.");
  }
  EXPECT_EQ(Cell(11, 1), "145.00000MHz");
}

TEST_F(ExchangeCommandsTest, ChannelListsAreImportedAtTheFirstEmptyMemoryAndExported) {
  const std::string list = testing::TempPath("list.csv");
  testing::WriteLines(list,
                      {"Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                       "DtcsPolarity,Mode,TStep,Skip,Comment",
                       "0,RPT,145.150000,-,0.600000,Tone,100.0,88.5,023,NN,FM,5.00,S,"});
  messages_.file_answer = QString::fromStdString(list);
  Trigger("FILE_IMPORT_LIST");
  EXPECT_EQ(Cell(1, 1) + Cell(1, 5) + Cell(1, 6) + Cell(1, 11) + Cell(1, 12),
            "145.15000MHzTone100.0Hz*RPT");
  EXPECT_EQ(window_.document().undo_stack()->undoText(),
            "Import Channel List tqm5_" + QString::number(getpid()) + "_list.csv");
  const std::string out = testing::TempPath("out.csv");
  messages_.file_answer = QString::fromStdString(out);
  Trigger("FILE_EXPORT_LIST");
  EXPECT_NE(testing::ReadFile(out).find("\r\n1,RPT,145.150000,-,0.600000,Tone,100.0,88.5,"),
            std::string::npos);
}

}  // namespace
}  // namespace tqm5::gui
