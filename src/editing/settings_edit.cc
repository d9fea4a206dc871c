#include "editing/settings_edit.h"

#include <string>

#include "model/banks.h"
#include "settings/catalogue.h"
#include "textdata/title_code.h"

namespace tqm5 {
namespace {

constexpr char32_t kBackspace = 8;
constexpr char32_t kPaste = 22;  // Ctrl+V

bool ValidKey(int key) { return key >= 0 && key < kOneTouchKeyCount; }

OneTouchKey& Key(MemoryImage& image, int key) { return image.one_touch[static_cast<size_t>(key)]; }

}  // namespace

bool ChooseSetting(MemoryImage& image, SettingId id, int choice) {
  if (choice < 0 || choice >= SettingChoiceCount(id)) return false;
  image.settings[id] = static_cast<int16_t>(choice);
  if (id == kLanguageItem) image.language = choice;
  return true;
}

bool SettingShown(const MemoryImage& image, SettingId id) {
  return !(id == kCrossBandItem && image.model_option == ModelOption::kJ);
}

bool SetOneTouchNoSetting(MemoryImage& image, int key, bool no_setting) {
  if (!ValidKey(key)) return false;
  Key(image, key).no_setting = no_setting;
  return true;
}

bool ChooseOneTouchBank(MemoryImage& image, int key, int bank_position) {
  if (!ValidKey(key) || bank_position < 0 || bank_position >= UsedBankCount(image)) return false;
  SelectOneTouchBank(image, key, bank_position);
  return true;
}

bool ChooseOneTouchChannel(MemoryImage& image, int key, int channel_position) {
  if (!ValidKey(key) || channel_position < 0 ||
      channel_position >= OneTouchChannelCount(image, key)) {
    return false;
  }
  Key(image, key).channel_position = channel_position;
  return true;
}

bool TitleBoxAccepts(std::string_view current, char32_t c, bool model_j) {
  if (c == kBackspace) return true;
  if (c == kPaste) return false;
  return TitleAcceptsChar(current, c, model_j);
}

bool TitleBoxFits(std::string_view text, bool model_j) {
  return TitleByteCount(text, model_j) <= kTitleMaxBytes;
}

void LeaveTitleBox(MemoryImage& image) { image.title = FilterRadioText(image.title); }

void ClearTitle(MemoryImage& image) {
  image.title.clear();
  image.title_scroll = 0;
}

bool ChooseTitleScroll(MemoryImage& image, int choice) {
  if (choice != 0 && choice != 1) return false;
  image.title_scroll = choice;
  return true;
}

bool DtmfBoxAccepts(std::string_view current, char32_t c) {
  return c == kBackspace || DtmfAcceptsChar(current, c);
}

bool DtmfBoxFits(std::string_view text) {
  size_t characters = 0;
  for (char byte : text) characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  return characters <= kDtmfMemoryLength;
}

void LeaveDtmfBox(MemoryImage& image, int memory) {
  if (memory < 0 || memory >= kDtmfMemoryCount) return;
  std::string& text = image.dtmf.memories[static_cast<size_t>(memory)];
  text = FilterDtmf(text);
}

bool ChooseDtmf(MemoryImage& image, DtmfList list, int position) {
  int count = list == DtmfList::kWait     ? kDtmfWaitCount
              : list == DtmfList::kDialCh ? kDtmfDialChCount
                                          : kDtmfTimeCount;
  if (position < 0 || position >= count) return false;
  DtmfState& dtmf = image.dtmf;
  int& box = list == DtmfList::kWait    ? dtmf.wait
             : list == DtmfList::kHead  ? dtmf.head
             : list == DtmfList::kBurst ? dtmf.burst
             : list == DtmfList::kPause ? dtmf.pause
                                        : dtmf.dial_ch;
  box = position;
  return true;
}

}  // namespace tqm5
