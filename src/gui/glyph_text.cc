#include "gui/glyph_text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleOptionFrame>
#include <vector>

#include "editing/font_edit.h"
#include "gui/document.h"
#include "gui/message_boxes.h"

namespace tqm5::gui {
namespace {

// The bitmap of user glyph n (1..8): set pixels in `colour`, the rest transparent.
QImage GlyphImage(const FontBits& font, int n, const QColor& colour) {
  QImage image(kGlyphSize, kGlyphSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  const GlyphBits& bits = font[static_cast<size_t>(n - 1)];
  for (int row = 0; row < kGlyphSize; ++row) {
    for (int column = 0; column < kGlyphSize; ++column) {
      if (bits[static_cast<size_t>(row)][static_cast<size_t>(column)] == 1)
        image.setPixelColor(column, row, colour);
    }
  }
  return image;
}

// A glyph is square, as high as a line: the width of a double-byte character.
int RunWidth(const QFontMetrics& metrics, const GlyphTextRun& run) {
  return run.glyph > 0 ? metrics.height() : metrics.horizontalAdvance(Utf8(run.text));
}

}  // namespace

void DrawGlyphText(QPainter& painter, const QRect& rect, const QString& text,
                   const FontBits& font) {
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  const QFontMetrics metrics = painter.fontMetrics();
  const int side = std::min(metrics.height(), rect.height());
  // Enlarged, every pixel stays a sharp square; shrunk below 16 lines, smoothing keeps the thin
  // strokes that dropping rows would lose.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, side < kGlyphSize);
  int x = rect.left();
  for (const GlyphTextRun& run : SplitGlyphText(text.toStdString())) {
    if (x > rect.right()) break;
    int width = RunWidth(metrics, run);
    if (run.glyph > 0) {
      QRect target(x, rect.top() + (rect.height() - side) / 2, side, side);
      painter.drawImage(target, GlyphImage(font, run.glyph, painter.pen().color()));
    } else {
      painter.drawText(QRect(x, rect.top(), width, rect.height()),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Utf8(run.text));
    }
    x += width;
  }
  painter.restore();
}

GlyphNameDelegate::GlyphNameDelegate(const Document& document, QAbstractItemView* view)
    : QStyledItemDelegate(view), document_(document) {}

void GlyphNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  const QString text = index.data(Qt::DisplayRole).toString();
  if (!HasUserGlyph(text.toStdString())) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem item(option);
  initStyleOption(&item, index);
  item.text.clear();  // the background, selection and focus as usual, the text drawn here
  const QWidget* widget = item.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  QRect text_rect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget)
                        .adjusted(margin, 0, -margin, 0);
  QPalette::ColorGroup group =
      (item.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
  QPalette::ColorRole role =
      (item.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
  painter->save();
  painter->setFont(item.font);
  painter->setPen(item.palette.color(group, role));
  DrawGlyphText(*painter, text_rect, text, document_.image().font_bits);
  painter->restore();
}

GlyphTextView::GlyphTextView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void GlyphTextView::Show(const QString& text, const FontBits& font) {
  if (text == text_ && font == font_) return;
  text_ = text;
  font_ = font;
  setAccessibleName(text);
  update();
}

QSize GlyphTextView::sizeHint() const {
  // Sixteen display columns: eight double-byte characters, each as wide as a line is high.
  const int line = fontMetrics().height();
  return {line * 8 + 12, line + 8};
}

void GlyphTextView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // A shaded panel, unlike the title box above it: this line shows, it cannot be typed in.
  painter.fillRect(rect(), palette().color(QPalette::AlternateBase));
  QStyleOptionFrame frame;
  frame.initFrom(this);
  frame.lineWidth = 1;
  style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
  painter.setPen(palette().color(QPalette::Text));
  DrawGlyphText(painter, rect().adjusted(6, 2, -6, -2), text_, font_);
}

}  // namespace tqm5::gui
