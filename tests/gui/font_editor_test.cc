// The font window through its widgets, offscreen: the grid, the undo steps, the file menu, the
// transfers and the drawing of glyphs. The editing rules are tested in the library.
#include "gui/font_editor.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTableView>
#include <span>

#include "gui/glyph_text.h"
#include "gui/gui_test_support.h"
#include "gui/main_window.h"
#include "image/hex.h"
#include "sim/pty_server.h"
#include "support/files.h"

namespace tqm5::gui {
namespace {

const std::string kCorners = "01" + std::string(60, '0') + "80";  // rows/columns 0,0 and 15,15

class FontEditorTest : public WindowTest {
 protected:
  PixelGrid* grid() { return editor_.findChild<PixelGrid*>("MSFlexGrid1"); }
  void Press(const char* name) { editor_.findChild<QAbstractButton*>(name)->click(); }
  // A press on `from`, a move to `to` and a release there: a click when they are one cell.
  void Drag(GlyphCell from, GlyphCell to) {
    using enum QEvent::Type;
    for (auto [type, cell] :
         {std::pair{MouseButtonPress, from}, {MouseMove, to}, {MouseButtonRelease, to}}) {
      QPointF at = grid()->CellRect(cell).center();
      QMouseEvent event(type, at, grid()->mapToGlobal(at), Qt::LeftButton,
                        type == MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
      QApplication::sendEvent(grid(), &event);
    }
  }
  std::string Record(int g) { return BuildFontString(window_.document().image().font_bits, g); }
  // Runs a transfer from its button; false unless the commands were disabled while it ran.
  bool Transfer(const char* name) {
    Press(name);
    bool disabled = !editor_.findChild<QAbstractButton*>(name)->isEnabled();
    return WaitUntil([&] { return !window_.runner().busy(); }) && disabled;
  }
  std::string RadioGlyphs() {
    window_.simulator().Stop();
    return BytesToHex(std::span(window_.simulator().radio().memory()).subspan(0x01000, 256));
  }

  FontEditor editor_{window_, &window_};
};

// Which pixels an edit sets is the library's rule; here the mouse and buttons reach it.
TEST_F(FontEditorTest, ClicksAndSelectionsEditTheSelectedGlyphOneUndoStepEach) {
  Press("FONT_NEXT");
  Press("FONT_NEXT");  // glyph 2
  Drag({0, 0}, {0, 0});
  Drag({15, 15}, {15, 15});
  Drag({2, 1}, {0, 0});  // selects without toggling
  EXPECT_EQ(Record(2), kCorners);
  Press("IKKATU_ON");
  EXPECT_EQ(Record(2), "0707" + std::string(58, '0') + "80");
  QImage shown = grid()->grab().toImage();
  EXPECT_EQ(shown.pixelColor(grid()->CellRect({15, 15}).center()), QColor(0, 0, 128));
  EXPECT_EQ(shown.pixelColor(grid()->CellRect({1, 5}).center()),
            grid()->palette().color(QPalette::Base));
  Press("ALL_CLEAR");
  EXPECT_EQ(Record(2), std::string(64, '0'));
  QUndoStack* undo = window_.document().undo_stack();
  EXPECT_EQ(undo->count(), 4);
  undo->setIndex(2);  // the two button steps undone
  EXPECT_EQ(Record(2), kCorners);
}

TEST_F(FontEditorTest, OpensOnGlyphZeroAndBackNextStopAtTheEnds) {
  auto* list = editor_.findChild<QComboBox*>("FONT_LIST");
  EXPECT_EQ(editor_.objectName() + editor_.windowTitle() + list->itemText(7), "Form4Font7");
  QKeyEvent three(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, "3");
  QApplication::sendEvent(list, &three);  // typing chooses no glyph
  std::string seen = std::to_string(list->currentIndex());
  for (int i = 0; i < 10; ++i) {
    Press(i == 0 || i == 9 ? "FONT_BACK" : "FONT_NEXT");
    seen += std::to_string(list->currentIndex());
  }
  EXPECT_EQ(seen, "00123456776");
}

// The file's lines are the library's; here the menu saves the glyphs and opens them again.
TEST_F(FontEditorTest, FontFilesSaveAndOpenThroughTheMenu) {
  window_.document().Change("setup", [](MemoryImage& image) {
    ExpandFontString(image.font_bits, 3, std::string(64, 'F'));
  });
  messages_.file_answer = Utf8(testing::TempPath("glyphs.FM5"));
  editor_.findChild<QAction*>("FONT_FILE_SAVE")->trigger();
  std::string saved = testing::ReadFile(messages_.file_answer.toStdString());
  EXPECT_EQ(saved.substr(saved.find("\r\n3\r\n") + 5, 18), "1111111111111111\r\n");
  window_.document().undo_stack()->undo();
  editor_.findChild<QAction*>("FONT_FILE_OPEN")->trigger();
  EXPECT_EQ(Record(3), std::string(64, 'F'));
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[0].text + messages_.shown[1].text, "Save FileRead Font File");
  EXPECT_EQ(messages_.filters.join("|"),
            "M5フォントファイル(*.FM5);;すべてのファイル(*.*)|"
            "FM5 (*.FM5);;FM5 Files (*.FM5);;All Files (*.*)");
  window_.document().undo_stack()->undo();
  EXPECT_EQ(Record(3), std::string(64, '0'));
}

TEST_F(FontEditorTest, GlyphsTravelToAndFromTheSimulatedRadio) {
  window_.SetPort({PortChoice::kSimulated, 0, {}});
  std::ranges::copy(HexToBytes(kCorners), window_.simulator().radio().memory().begin() + 0x01080);
  editor_.findChild<QComboBox*>("FONT_LIST")->setCurrentIndex(4);
  ASSERT_TRUE(Transfer("R_FONT"));
  EXPECT_EQ(Record(4), kCorners);
  Drag({1, 0}, {1, 0});
  ASSERT_TRUE(Transfer("FONT_WRITE"));
  const std::string glyph4 = "03" + std::string(60, '0') + "80";
  EXPECT_EQ(RadioGlyphs().substr(256, 64), glyph4);

  window_.document().Change("setup", [](MemoryImage& image) { image.font_bits[0][8][0] = 1; });
  ASSERT_TRUE(Transfer("WRITE_ALL"));
  EXPECT_EQ(RadioGlyphs(),
            std::string(32, '0') + "01" + std::string(222, '0') + glyph4 + std::string(192, '0'));
  ASSERT_EQ(messages_.shown.size(), 3u);
  EXPECT_EQ(messages_.shown[2].text + messages_.shown[2].title, "CompleteComplete");
}

// Glyph 2 holds only its top row: drawn from the bitmap, the ink is one band at the top of a
// square as high as the line, where the font's "②" or the token would ink the middle.
TEST_F(FontEditorTest, UserGlyphsAreDrawnFromTheirBitmaps) {
  EXPECT_NE(qobject_cast<GlyphNameDelegate*>(window_.grid()->itemDelegateForColumn(11)), nullptr);
  FontBits font{};
  font[1][0].fill(1);
  for (const char* text : {"②", ":2~"}) {
    QImage image(120, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont large = painter.font();
    large.setPixelSize(32);
    painter.setFont(large);
    const int side = painter.fontMetrics().height(), top = (60 - side) / 2;
    DrawGlyphText(painter, image.rect(), text, font);
    int wrong = 0;
    for (int y = 0; y < 60; ++y) {
      if (y == top + side / 16) continue;  // the band's last row, whichever way it rounds
      for (int x = 0; x < 120; ++x) {
        bool ink = image.pixelColor(x, y) != QColor(Qt::white);
        wrong += ink != (x < side && y >= top && y < top + side / 16);
      }
    }
    EXPECT_EQ(wrong, 0) << text;
  }
}

}  // namespace
}  // namespace tqm5::gui
