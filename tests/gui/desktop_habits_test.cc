// The window's desktop habits, offscreen: files dropped on it, the recent project files and the
// size, position and tab it remembers.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrl>

#include "files/csv_file.h"
#include "files/font_file.h"
#include "gui/gui_test_support.h"
#include "gui/main_window.h"
#include "gui/recent_files.h"

namespace tqm5::gui {
namespace {

class DesktopHabitsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetMessages(&messages_); }
  void TearDown() override { SetMessages(nullptr); }

  QString Path(const QString& name) { return dir_.filePath(name); }
  std::string ComIni() { return Path("com.ini").toStdString(); }
  QStringList RecentTexts(MainWindow& window) {
    QStringList texts;
    for (QAction* action : window.recent_files()->actions()) texts << action->text();
    return texts;
  }
  // Drags `urls` over the window and drops them; returns whether the drag was accepted.
  bool Drop(MainWindow& window, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return enter.isAccepted();
  }

  QTemporaryDir dir_;
  RecordedMessages messages_;
};

TEST_F(DesktopHabitsTest, RecentFilesListNewestFirstAreRememberedAndAMissingOneIsTakenOff) {
  {
    MainWindow window(ModelOption::kJ, ComIni());
    for (const char* name : {"a.M5", "b.M5"}) window.SaveProjectAs(Path(name));
    window.OpenProject(Path("a.M5"));  // opened again: it moves up, not in twice
    EXPECT_EQ(RecentTexts(window), QStringList({"&1  " + Path("a.M5"), "&2  " + Path("b.M5")}));
  }
  MainWindow again(ModelOption::kJ, ComIni());
  ASSERT_EQ(again.recent_files()->paths(), QStringList({Path("a.M5"), Path("b.M5")}));
  QFile::remove(Path("b.M5"));
  messages_.shown.clear();
  again.findChild<QAction*>("RecentFile_2")->trigger();
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_NE(messages_.shown[0].text.find(Path("b.M5").toStdString() + " is no longer there"),
            std::string::npos);
  EXPECT_EQ(again.recent_files()->paths(), QStringList({Path("a.M5")}));
  EXPECT_EQ(MainWindow(ModelOption::kJ, ComIni()).recent_files()->paths(),
            QStringList({Path("a.M5")}));

  // With unsaved changes, the list asks as "Open..." does; Cancel keeps the image.
  again.document().Change("edit", [](MemoryImage& image) { image.title = "X"; });
  messages_.answer = QMessageBox::Cancel;
  again.findChild<QAction*>("RecentFile_1")->trigger();
  EXPECT_EQ(std::tuple(messages_.asked, again.document().file_path()), std::tuple(1, QString()));
}

TEST_F(DesktopHabitsTest, TheListKeepsTheEightNewest) {
  RecentFilesMenu menu("");
  for (int i = 1; i <= 9; ++i) menu.Add(Path(QString::number(i) + ".M5"));
  EXPECT_EQ(std::tuple(menu.paths().size(), menu.paths().front(), menu.paths().back()),
            std::tuple(8, Path("9.M5"), Path("2.M5")));
}

// A dropped file goes where its kind goes: a project is opened (after the unsaved-changes
// question), a CSV file imported and a font file loaded, each an undo step.
TEST_F(DesktopHabitsTest, ADroppedFileIsOpenedImportedOrLoadedByItsKind) {
  MainWindow source(ModelOption::kJ, "");
  source.SaveProjectAs(Path("p.M5"));
  ASSERT_TRUE(ExportCsv(source.document().image(), Path("c.CSV").toStdString()).success);
  MemoryImage glyphs = source.document().image();
  glyphs.font_bits[0][0][0] = 1 - glyphs.font_bits[0][0][0];
  ASSERT_TRUE(SaveFontFile(glyphs, Path("f.fm5").toStdString()).success);
  QFile::copy(Path("p.M5"), Path("n.txt"));

  struct Case {
    const char* file;
    bool unsaved;  // an edit not saved before the drop
    QMessageBox::StandardButton answer;
    bool accepted;  // the drag shows as droppable
    int asked;
    QString file_path;  // the project the window then holds
    QString undo_text;  // the step the drop made
  };
  const Case cases[] = {
      {"p.M5", false, QMessageBox::No, true, 0, Path("p.M5"), "Open p.M5"},
      {"p.M5", true, QMessageBox::Cancel, true, 1, "", "edit"},
      {"p.M5", true, QMessageBox::Discard, true, 1, Path("p.M5"), "Open p.M5"},
      {"c.CSV", false, QMessageBox::No, true, 0, "", "Import c.CSV"},
      {"f.fm5", false, QMessageBox::No, true, 0, "", "Open f.fm5"},
      {"n.txt", false, QMessageBox::No, false, 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    MainWindow window(ModelOption::kJ, "");
    // Channel 1 changed, so that the import brings it back.
    if (c.unsaved || QString(c.file).endsWith("CSV")) {
      window.document().Change(
          "edit", [](MemoryImage& image) { image.channel(1).frequency_hz = 146000000; });
    }
    if (!c.unsaved) window.document().MarkSaved();
    messages_ = RecordedMessages();
    messages_.answer = c.answer;
    EXPECT_EQ(Drop(window, {QUrl::fromLocalFile(Path(c.file))}), c.accepted);
    EXPECT_EQ(std::tuple(messages_.asked, window.document().file_path(),
                         window.document().undo_stack()->undoText()),
              std::tuple(c.asked, c.file_path, QString(c.undo_text)));
  }
  MainWindow window(ModelOption::kJ, "");
  ASSERT_FALSE(
      Drop(window, {QUrl::fromLocalFile(Path("p.M5")), QUrl::fromLocalFile(Path("c.CSV"))}));
  EXPECT_EQ(window.document().file_path(), "");
}

TEST_F(DesktopHabitsTest, TheWindowComesBackWithItsSizeAndTab) {
  {
    MainWindow window(ModelOption::kJ, ComIni());
    window.resize(900, 600);
    window.findChild<QTabWidget*>("TabStrip1")->setCurrentIndex(2);
    window.close();
  }
  MainWindow again(ModelOption::kJ, ComIni());
  EXPECT_EQ(std::tuple(again.size(), again.findChild<QTabWidget*>("TabStrip1")->currentIndex()),
            std::tuple(QSize(900, 600), 2));
  EXPECT_FALSE(again.document().IsModified());
}

}  // namespace
}  // namespace tqm5::gui
