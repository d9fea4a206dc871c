// "Compare with File...": the lines of `tqm5 diff` in a dialog beside the window, leading back
// to the grid.
#include "gui/compare_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTableView>

#include "files/project_file.h"
#include "gui/channel_table_model.h"
#include "gui/gui_test_support.h"
#include "gui/main_window.h"
#include "support/files.h"

namespace tqm5::gui {
namespace {

class CompareDialogTest : public WindowTest {};

TEST_F(CompareDialogTest, ListsTheDifferencesAndADoubleClickSelectsTheChannel) {
  std::vector<std::string> lines = ProjectLines(window_.document().image(), "Save Date and Time");
  for (std::string& line : lines) {
    if (line.starts_with("CH1401")) line.replace(6, 10, "0433.50000");
    if (line.starts_with("TITLE")) line = "TITLEHAM";
  }
  lines.insert(lines.begin() + 1, "CH0010");  // a line cut short: listed, the rest compared
  const std::string other = tqm5::testing::TempPath("other.M5");
  tqm5::testing::WriteLines(other, lines);
  messages_.file_answer = Utf8(other);
  window_.findChild<QAction*>("FILE_COMPARE")->trigger();
  auto* dialog = window_.findChild<CompareDialog*>("CompareDialog");
  ASSERT_NE(dialog, nullptr);
  auto* list = dialog->findChild<QListWidget*>("COMPARE_LIST");
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(0)->text(), "channel 1402 Freqency: 433.00000MHz -> 433.50000MHz");
  EXPECT_EQ(list->item(1)->text(), "title: (empty) -> HAM");
  EXPECT_NE(dialog->findChild<QLabel*>("COMPARE_PROBLEMS"), nullptr);
  QRect rect = list->visualItemRect(list->item(0));
  // A double-click as the system delivers it: press, release, then the double-click.
  for (QEvent::Type type :
       {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick}) {
    QMouseEvent event(type, rect.center(), list->viewport()->mapToGlobal(rect.center()),
                      Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &event);
  }
  const int row = ChannelTableModel::RowOfChannel(1402);
  EXPECT_EQ(window_.grid()->currentIndex().row(), row);
  EXPECT_TRUE(window_.grid()->selectionModel()->isRowSelected(row, {}));
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(window_.document().undo_stack()->count(), 0);  // the window's image is untouched
}

}  // namespace
}  // namespace tqm5::gui
