// A typing rule on a text box or a list: every key that would type a character is put to a rule
// of the library, and refused keys are dropped silently. Text that arrives in a text box other
// than by one key (a paste by the keyboard, the context menu or the middle button, and the text
// an input method commits) is taken as if typed, so the same rule decides about each character;
// what it leaves out is said in the main window's status bar.
#ifndef TQM5_GUI_KEY_RULE_H_
#define TQM5_GUI_KEY_RULE_H_

#include <QClipboard>
#include <QObject>

#include "editing/typing.h"

class QLineEdit;

namespace tqm5::gui {

class KeyRule : public QObject {
  Q_OBJECT

 public:
  KeyRule(TypingRule accepts, QObject* parent) : QObject(parent), accepts_(std::move(accepts)) {}

  // Installs a rule on a QLineEdit (its text is the current text; Backspace is put to the rule
  // as the character 8) or any other widget (whose current text is empty).
  static void Install(QObject* target, TypingRule accepts);
  // A list that changes only by selection: typing would jump to an entry.
  static void RefuseTyping(QObject* list);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Paste(QLineEdit* box, QClipboard::Mode mode);
  void ShowContextMenu(QLineEdit* box, const QPoint& global_position);

  TypingRule accepts_;
};

// A right-aligned box `width` pixels wide that takes up to `max_digits` digits, as the channel
// dialogs' frequency and offset boxes do.
QLineEdit* DigitBox(const QString& name, int max_digits, int width);

}  // namespace tqm5::gui

#endif  // TQM5_GUI_KEY_RULE_H_
