#include "editing/bank_tools.h"

#include "image/channel_numbering.h"

namespace tqm5 {
namespace {

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// The number a run of digits forms, stopping to grow once it is above 1000 (a pasted long run
// must not overflow).
class DigitNumber {
 public:
  void Add(char c) {
    if (value_ <= kMemoryChannelCount) value_ = value_ * 10 + (c - '0');
  }
  int value() const { return value_ > kMemoryChannelCount ? kBankBoxOverflowValue : value_; }

 private:
  int value_ = 0;
};

}  // namespace

bool BankBoxAccepts(std::string_view current, char32_t c) {
  if (c == 8) return true;
  if (!IsDigit(c)) return false;
  // The box holds digits only, so its bytes are its characters; count characters anyway, so a
  // text put there by other means is measured the same way.
  int characters = 0;
  for (char byte : current) characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  return characters < kBankBoxLength;
}

int BankBoxLeaveValue(std::string_view text) {
  DigitNumber number;
  for (char c : text) {
    if (IsDigit(static_cast<unsigned char>(c))) number.Add(c);
  }
  return number.value();
}

int BankBoxEnterValue(std::string_view text) {
  DigitNumber number;
  for (char c : text) {
    if (!IsDigit(static_cast<unsigned char>(c))) break;
    number.Add(c);
  }
  return number.value();
}

bool SetBankSize(MemoryImage& image, int bank, int size) {
  if (bank < 0 || bank >= kBankCount || size < 0 || size > kMemoryChannelCount) return false;
  image.bank_sizes[static_cast<size_t>(bank)] = size;
  return true;
}

}  // namespace tqm5
