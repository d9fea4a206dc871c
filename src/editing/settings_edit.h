// The edits of the settings pages ("Common Set" and "Set Mode"): choosing an entry of a settings
// list, the one-touch keys, the title box and the DTMF boxes. Each edit either changes the image
// as the user asked or refuses, leaving the image as it was; nothing is rewritten into another
// value.
#ifndef TQM5_EDITING_SETTINGS_EDIT_H_
#define TQM5_EDITING_SETTINGS_EDIT_H_

#include <string_view>

#include "model/memory_image.h"

namespace tqm5 {

// Choosing entry `choice` of an item's list. Choosing the language item also switches the
// language the settings texts are shown in. A choice outside the item's list is refused.
bool ChooseSetting(MemoryImage& image, SettingId id, int choice);

// Whether an item and its caption are shown: "Cross Band set" is hidden under model option "J",
// which always stores it as "OFF".
bool SettingShown(const MemoryImage& image, SettingId id);

// One-touch key `key` (0..8): the "No Setting" box, and choosing a bank list position (which
// selects channel 0 of that bank) or a channel list position. Positions outside the lists as
// they stand, and keys outside 0..8, are refused.
bool SetOneTouchNoSetting(MemoryImage& image, int key, bool no_setting);
bool ChooseOneTouchBank(MemoryImage& image, int key, int bank_position);
bool ChooseOneTouchChannel(MemoryImage& image, int key, int channel_position);

// The title box takes Backspace (8) always, refuses a paste (22), and takes a character while
// the title has room for it and the radio can show it.
bool TitleBoxAccepts(std::string_view current, char32_t c, bool model_j);
// Whether a whole text fits the title box (16 bytes, a glyph counting 2): text that arrives
// other than by a key (an input method) is refused when it does not.
bool TitleBoxFits(std::string_view text, bool model_j);
// Leaving the title box: only the characters the radio can show stay.
void LeaveTitleBox(MemoryImage& image);
// "Reset" of the title: empty title, scroll "OFF".
void ClearTitle(MemoryImage& image);
// The title's scroll choice: 0 "OFF", 1 "ON".
bool ChooseTitleScroll(MemoryImage& image, int choice);

// A DTMF memory box takes Backspace (8) always and a DTMF digit while the memory has room; a
// paste (22) is no digit and is refused.
bool DtmfBoxAccepts(std::string_view current, char32_t c);
// Whether a whole text fits a DTMF memory box (16 characters).
bool DtmfBoxFits(std::string_view text);
// Leaving DTMF memory box `memory` (0..8): only the DTMF digits stay.
void LeaveDtmfBox(MemoryImage& image, int memory);

// The five DTMF choice boxes.
enum class DtmfList { kWait, kHead, kBurst, kPause, kDialCh };
// Choosing a position of a DTMF choice box; a position outside its list is refused.
bool ChooseDtmf(MemoryImage& image, DtmfList list, int position);

}  // namespace tqm5

#endif  // TQM5_EDITING_SETTINGS_EDIT_H_
