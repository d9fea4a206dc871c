#include "gui/key_rule.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolTip>

#include "editing/channel_edit.h"
#include "gui/message_boxes.h"

namespace tqm5::gui {
namespace {

// The text around the insertion point `from`, once the `remove` characters there are gone.
struct Around {
  std::string before;
  std::string after;
};
Around TextAround(const QString& text, int from, int remove) {
  from = std::clamp(from, 0, static_cast<int>(text.size()));
  return {text.left(from).toStdString(), text.mid(from + std::max(remove, 0)).toStdString()};
}

// Says what a box left out, so that no part of the user's text disappears unnoticed: in the
// main window's status bar, or beside the box when it has no main window.
void ReportLeftOut(QLineEdit* box, const QString& how, int dropped, int total) {
  const QString message =
      QString(
          "%1 of %2 %3 characters were left out: this box keeps only the characters and the "
          "length that it allows.")
          .arg(dropped)
          .arg(total)
          .arg(how);
  for (QWidget* widget = box; widget != nullptr; widget = widget->parentWidget()) {
    if (auto* main = qobject_cast<QMainWindow*>(widget)) {
      main->statusBar()->showMessage(message);
      return;
    }
  }
  QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), message, box);
}

}  // namespace

void KeyRule::Install(QObject* target, TypingRule accepts) {
  target->installEventFilter(new KeyRule(std::move(accepts), target));
  // A drop would bring text past the rule; the boxes take text by typing and pasting only.
  if (auto* box = qobject_cast<QLineEdit*>(target)) box->setAcceptDrops(false);
}

void KeyRule::RefuseTyping(QObject* list) {
  Install(list, [](std::string_view, char32_t) { return false; });
}

bool KeyRule::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      const std::string current = box != nullptr ? box->text().toStdString() : std::string();
      if (key->matches(QKeySequence::Paste)) {
        if (box != nullptr) Paste(box, QClipboard::Clipboard);
        return true;
      }
      if (key->key() == Qt::Key_Backspace) return !accepts_(current, 8);
      QString text = key->text();
      if (text.isEmpty() || !text.at(0).isPrint()) return false;  // moves, Enter, Tab: no typing
      for (char32_t c : text.toUcs4()) {
        if (!accepts_(current, c)) return true;
      }
      return false;
    }
    case QEvent::ContextMenu:
      if (box == nullptr) return false;
      ShowContextMenu(box, static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    case QEvent::MouseButtonRelease:
      // The middle button pastes the selection where the system has one (X11).
      if (box == nullptr || static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton ||
          !QGuiApplication::clipboard()->supportsSelection()) {
        return false;
      }
      box->deselect();  // the selection is pasted at the cursor, not over itself
      Paste(box, QClipboard::Selection);
      return true;
    case QEvent::InputMethod: {
      auto* input = static_cast<QInputMethodEvent*>(event);
      if (box == nullptr || input->commitString().isEmpty()) return false;
      // The committed text replaces the selection, then the input method's own range.
      QString text = box->text();
      int at = box->cursorPosition();
      if (box->hasSelectedText()) {
        at = box->selectionStart();
        text.remove(at, box->selectionLength());
      }
      const QString committed = input->commitString();
      Around around = TextAround(text, at + input->replacementStart(), input->replacementLength());
      TypedText typed = TypeText(around.before, committed.toStdString(), around.after, accepts_);
      if (typed.dropped > 0) {
        input->setCommitString(Utf8(typed.kept), input->replacementStart(),
                               input->replacementLength());
        ReportLeftOut(box, "typed", typed.dropped, static_cast<int>(committed.toUcs4().size()));
      }
      return false;
    }
    default:
      return false;
  }
}

void KeyRule::Paste(QLineEdit* box, QClipboard::Mode mode) {
  if (box->isReadOnly()) return;
  const QString pasted = QGuiApplication::clipboard()->text(mode);
  if (pasted.isEmpty()) return;
  const int from = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
  Around around = TextAround(box->text(), from, box->selectionLength());
  TypedText typed = TypeText(around.before, pasted.toStdString(), around.after, accepts_);
  if (!typed.kept.empty()) box->insert(Utf8(typed.kept));
  if (typed.dropped > 0) {
    ReportLeftOut(box, "pasted", typed.dropped, static_cast<int>(pasted.toUcs4().size()));
  }
}

void KeyRule::ShowContextMenu(QLineEdit* box, const QPoint& global_position) {
  QMenu* menu = box->createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The menu's "Paste" (the entry showing the paste shortcut) pastes through the rule.
  const QString paste_key = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
  bool rerouted = false;
  for (QAction* action : menu->actions()) {
    if (paste_key.isEmpty() || !action->text().endsWith("\t" + paste_key)) continue;
    disconnect(action, &QAction::triggered, box, nullptr);
    connect(action, &QAction::triggered, box, [this, box] { Paste(box, QClipboard::Clipboard); });
    rerouted = true;
  }
  if (!rerouted) {
    delete menu;  // a menu whose paste would pass by the rule is not shown
    return;
  }
  menu->popup(global_position);
}

QLineEdit* DigitBox(const QString& name, int max_digits, int width) {
  auto* box = new QLineEdit;
  box->setObjectName(name);
  box->setFixedWidth(width);
  box->setAlignment(Qt::AlignRight);
  KeyRule::Install(box, [max_digits](std::string_view current, char32_t c) {
    return DigitBoxAccepts(current, c, max_digits);
  });
  return box;
}

}  // namespace tqm5::gui
