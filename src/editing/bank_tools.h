// The bank page's rules: what a bank's number box accepts while typing, the value it takes on
// Enter and on leaving it, and setting one bank's size. The sum and its check are `BankTotal`
// and `BankTotalValid`; "Reset" is `ResetBankSizes`.
#ifndef TQM5_EDITING_BANK_TOOLS_H_
#define TQM5_EDITING_BANK_TOOLS_H_

#include <string_view>

#include "model/memory_image.h"

namespace tqm5 {

// Longest text a bank's number box takes by typing.
inline constexpr int kBankBoxLength = 4;
// What a leaving box holding more than 1000 shows instead (not 1000).
inline constexpr int kBankBoxOverflowValue = 100;

// Typing in a bank's number box: "0".."9" while the box holds fewer than four characters,
// and Backspace (code 8). Everything else, paste (code 22) included, is refused.
bool BankBoxAccepts(std::string_view current, char32_t c);

// Leaving a bank's number box: the number formed by its digits alone ("12a3" is 123), 0 when
// there are none, and 100 when that number is above 1000.
int BankBoxLeaveValue(std::string_view text);

// Enter in a bank's number box: the numeric value of the text (its leading digits, 0 when there
// are none). A value above 1000 follows the leave rule, so a bank never exceeds the memories.
int BankBoxEnterValue(std::string_view text);

// Sets the size of `bank` (0..49) to `size` (0..1000); false, and nothing changed, outside those
// ranges. The row labels are not rebuilt here: they follow when the channel page is shown.
bool SetBankSize(MemoryImage& image, int bank, int size);

}  // namespace tqm5

#endif  // TQM5_EDITING_BANK_TOOLS_H_
