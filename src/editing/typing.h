// Text that reaches a box other than by one key at a time: a paste, or the text an input method
// commits. It is taken as if typed, so the box's typing rule decides about every character.
#ifndef TQM5_EDITING_TYPING_H_
#define TQM5_EDITING_TYPING_H_

#include <functional>
#include <string>
#include <string_view>

namespace tqm5 {

// A box's typing rule: whether it takes character `c` typed into its text `current`.
using TypingRule = std::function<bool(std::string_view current, char32_t c)>;

struct TypedText {
  std::string kept;  // the characters the box takes, in order (UTF-8)
  int dropped = 0;   // the characters it refused
};

// Takes `text` (UTF-8) as if its characters were typed one after another at the insertion point,
// between `before` and `after`: each character is put to `accepts` with the box's text as it
// stands by then, and a refused one is left out. Control characters (line breaks, tabs) type
// nothing and are left out as well.
TypedText TypeText(std::string_view before, std::string_view text, std::string_view after,
                   const TypingRule& accepts);

}  // namespace tqm5

#endif  // TQM5_EDITING_TYPING_H_
