#include "gui/key_rule.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace tqm5::gui {

void KeyRule::Install(QObject* target, KeyRuleFunction accepts) {
  target->installEventFilter(new KeyRule(std::move(accepts), target));
  // Pasting from the context menu would pass by the rule: the boxes have no such menu.
  if (auto* box = qobject_cast<QLineEdit*>(target)) box->setContextMenuPolicy(Qt::NoContextMenu);
}

bool KeyRule::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  std::string current;
  if (auto* box = qobject_cast<QLineEdit*>(watched)) current = box->text().toStdString();
  if (key->matches(QKeySequence::Paste)) return !accepts_(current, 22);
  if (key->key() == Qt::Key_Backspace) return !accepts_(current, 8);
  QString text = key->text();
  if (text.isEmpty() || !text.at(0).isPrint()) return false;  // moves, Enter, Tab: not typing
  for (char32_t c : text.toUcs4()) {
    if (!accepts_(current, c)) return true;
  }
  return false;
}

}  // namespace tqm5::gui
