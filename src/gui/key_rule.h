// A typing rule on a text box or a list: every key that would type a character (and every paste)
// is put to a rule of the library, and refused keys are dropped silently.
#ifndef TQM5_GUI_KEY_RULE_H_
#define TQM5_GUI_KEY_RULE_H_

#include <QObject>
#include <functional>
#include <string>

namespace tqm5::gui {

// `accepts(current text, character)`: the library rule. Paste keys are put to it as the
// character 22 (Ctrl+V), Backspace as 8.
using KeyRuleFunction = std::function<bool(const std::string& current, char32_t c)>;

class KeyRule : public QObject {
  Q_OBJECT

 public:
  KeyRule(KeyRuleFunction accepts, QObject* parent)
      : QObject(parent), accepts_(std::move(accepts)) {}

  // Installs a rule on a QLineEdit (its text is the current text) or any other widget (whose
  // current text is empty, so a rule that refuses everything discards typing on a list).
  static void Install(QObject* target, KeyRuleFunction accepts);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  KeyRuleFunction accepts_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_KEY_RULE_H_
