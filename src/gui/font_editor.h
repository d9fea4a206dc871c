// The window "Font" (`Form4`): the eight user glyphs on a 16 x 16 pixel grid, their transfers and
// the font file menu. Opened modally from the main window; every edit is an undoable step of the
// document. Its transfers run on the window's worker thread, with a progress display of its own
// (the main window's is behind the modal window).
#ifndef TQM5_GUI_FONT_EDITOR_H_
#define TQM5_GUI_FONT_EDITOR_H_

#include <QDialog>
#include <functional>
#include <vector>

#include "editing/font_edit.h"
#include "gui/editor_transfers.h"
#include "gui/page_host.h"

class QComboBox;
class QPushButton;

namespace tqm5::gui {

// The grid `MSFlexGrid1`: one glyph's 16 x 16 pixels, set pixels dark blue. A click on a cell
// reports the cell; a drag selects the rectangle from the cell pressed (the current cell) to the
// cell released (the selection end) without reporting a click. Arrow keys move the current cell
// (with Shift, the selection end); Space reports a click on the current cell.
class PixelGrid : public QWidget {
  Q_OBJECT

 public:
  explicit PixelGrid(QWidget* parent = nullptr);

  // Paints the cells from `bits`.
  void ShowGlyph(const GlyphBits& bits);
  // The current cell and the selection end both at row 0, column 0.
  void ResetCursor();
  GlyphCell current() const { return current_; }
  GlyphCell selectionEnd() const { return end_; }
  // Where a cell is drawn, in the widget's coordinates.
  QRect CellRect(GlyphCell cell) const;

  QSize sizeHint() const override;

 signals:
  void cellClicked(int row, int column);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  GlyphCell CellAt(QPoint point) const;

  GlyphBits bits_{};
  GlyphCell current_;
  GlyphCell end_;
  bool pressed_ = false;
  bool dragged_ = false;
};

class FontEditor : public QDialog {
  Q_OBJECT

 public:
  explicit FontEditor(PageHost& host, QWidget* parent = nullptr);

  // Shows the image anew (called on every change of the document).
  void Refresh();
  // The glyph selected in `FONT_LIST`, 0..7.
  int glyph() const;

 private:
  // Shows the selected glyph with the current cell at row 0, column 0.
  void ShowSelectedGlyph();
  // One undo step named `what` that changes the glyphs.
  void EditFont(const QString& what, const std::function<void(FontBits&)>& edit);
  void StartGlyphTransfer(TransferCommand command);
  void OpenFontFile();
  void SaveFontFileAs();

  PageHost& host_;
  QComboBox* list_ = nullptr;
  PixelGrid* grid_ = nullptr;
  // The progress of the editor's transfers; disables its commands while one runs.
  EditorTransfers* transfers_ = nullptr;
};

// Loads the glyphs of the font file at `path` into the image as one undo step, as the editor's
// "開く(&O)" does after its dialog, and reports how it went.
void LoadFontFileInto(PageHost& host, const QString& path);

}  // namespace tqm5::gui

#endif  // TQM5_GUI_FONT_EDITOR_H_
