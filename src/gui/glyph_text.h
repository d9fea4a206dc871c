// Program texts drawn as the radio shows them: every user glyph ("①".."⑧" or ":1~".. ":8~") as
// the 16 x 16 bitmap the user drew in the font window, scaled to the line height, in place of
// the font's character or the token.
#ifndef TQM5_GUI_GLYPH_TEXT_H_
#define TQM5_GUI_GLYPH_TEXT_H_

#include <QRect>
#include <QString>
#include <QStyledItemDelegate>
#include <QWidget>

#include "fonts/font_codec.h"

class QPainter;

namespace tqm5::gui {

class Document;

// Draws `text` in `rect` (clipped to it) with the painter's font and pen, left-aligned and
// centred vertically; user glyphs are drawn from `font` in the pen's colour.
void DrawGlyphText(QPainter& painter, const QRect& rect, const QString& text, const FontBits& font);

// Draws the channel names of a grid column with their user glyphs; names without a glyph are
// drawn as usual. The channel model marks every row changed on each change of the document, so
// an edited glyph shows at once.
class GlyphNameDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // `view` is the grid the delegate is installed in (and its parent).
  GlyphNameDelegate(const Document& document, QAbstractItemView* view);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  const Document& document_;
};

// A read-only line showing a text with its user glyphs drawn (the opening title).
class GlyphTextView : public QWidget {
  Q_OBJECT

 public:
  explicit GlyphTextView(QWidget* parent = nullptr);

  // Shows `text` with the glyphs of `font`.
  void Show(const QString& text, const FontBits& font);
  const QString& text() const { return text_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  FontBits font_{};
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_GLYPH_TEXT_H_
