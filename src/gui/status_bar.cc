#include "gui/status_bar.h"

#include <QPainter>
#include <QStyleOption>

namespace tqm5::gui {

MessageStatusBar::MessageStatusBar(QWidget* parent) : QStatusBar(parent) {
  connect(this, &QStatusBar::messageChanged, this, [this](const QString& message) {
    setToolTip(message);
    update();
  });
}

void MessageStatusBar::paintEvent(QPaintEvent* event) {
  const QString message = currentMessage();
  if (message.isEmpty()) {
    QStatusBar::paintEvent(event);
    return;
  }
  // As the status bar paints itself while a message shows, with the message elided to the room
  // left of the permanent widgets.
  QPainter painter(this);
  QStyleOption option;
  option.initFrom(this);
  style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, this);
  int right = width() - 12;
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isVisible() || child->inherits("QSizeGrip")) continue;
    right = std::min(right, child->x() - 8);
    QStyleOption frame;
    frame.rect = child->geometry().adjusted(-2, -1, 2, 1);
    frame.palette = palette();
    frame.state = QStyle::State_None;
    style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &frame, &painter, child);
  }
  const QRect room(6, 0, std::max(0, right - 6), height());
  painter.setPen(palette().windowText().color());
  painter.drawText(room, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
                   fontMetrics().elidedText(message, Qt::ElideRight, room.width()));
}

}  // namespace tqm5::gui
