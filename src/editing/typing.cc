#include "editing/typing.h"

#include "textdata/cp932.h"

namespace tqm5 {

TypedText TypeText(std::string_view before, std::string_view text, std::string_view after,
                   const TypingRule& accepts) {
  TypedText typed;
  for (char32_t c : Utf8ToU32(text)) {
    const bool control = c < 0x20 || c == 0x7F;
    if (!control && accepts(std::string(before) + typed.kept + std::string(after), c)) {
      AppendUtf8(typed.kept, c);
    } else {
      ++typed.dropped;
    }
  }
  return typed;
}

}  // namespace tqm5
