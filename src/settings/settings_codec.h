// The settings block codec: where each set-mode item lives in the radio's 192-byte settings
// area (0x00000-0x000BF, held as `SettingsHex`) and in the write-protection byte at 0x1FE01, and
// how a stored byte turns into the item's choice index and back. Pure data conversion; the
// transfers read and write the radio.
#ifndef TQM5_SETTINGS_SETTINGS_CODEC_H_
#define TQM5_SETTINGS_SETTINGS_CODEC_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "image/model_option.h"
#include "settings/settings_state.h"

namespace tqm5 {

inline constexpr int kSettingsAreaBytes = 192;
inline constexpr int kSettingsHexLength = 2 * kSettingsAreaBytes;  // `SettingsHex`, 384 digits

// `KeyFunctionCodes`: entry i is the radio's code of the set-mode function that choice i of the
// two key-assignment items (`Set_Mode_Key` 6 and 7) stands for.
inline constexpr int kKeyFunctionCount = 51;
extern const std::array<uint8_t, kKeyFunctionCount> kKeyFunctionCodes;

// How a field's stored byte b and the item's choice c convert into each other.
enum class FieldKind : uint8_t {
  kPlain,             // b = c
  kPlusOne,           // b = c + 1; 0 reads as 0
  kPlusThree,         // b = c + 3; below 3 reads as b
  kFlag,              // b = c; any non-zero byte reads as 1
  kLanguage,          // 0x01 Japanese, 0x00 English; any non-zero byte reads as Japanese
  kKeyCode,           // b = kKeyFunctionCodes[c]; read as the first entry equal to b
  kCrossBand,         // plain, but always written 0x00 for the "J" variant
  kWriteOnly,         // written plain, never read
  kWriteOnlyPlusOne,  // written plus-one, never read
  kChModeCopy,        // 0x0D for choice 1, else 0x00; never read
  kChModeText,        // written like kChModeCopy; read as 1 when its two digits are "0D"
  kDialRingFirst,     // first flag of the dial-ring pair; the pair is read here
  kDialRingSecond,    // second flag of the dial-ring pair; read with the first
};

// One byte of the settings area owned by an item.
struct SettingField {
  int address;  // byte offset in the settings area
  SettingId id;
  FieldKind kind;
};

// Every owned byte, in address order. Each item except the write protection has at least one
// field; the bytes not listed belong to no item and are never read or changed.
inline constexpr int kSettingFieldCount = 77;
extern const std::array<SettingField, kSettingFieldCount> kSettingFields;

// `DecodeSettings`: sets every item that has a readable field from the settings area. The
// language item is decoded first and also stored in `language`, because the views switch
// language before the other items are set. A byte that gives no valid choice for its item
// (outside the item's list, an unknown key code, digits that are not hex) leaves that item's
// choice unchanged. A text shorter than 384 digits changes nothing.
void DecodeSettings(std::string_view settings_hex, SettingsChoices& settings, int& language);

// `EncodeSettings`: overwrites, in the settings area freshly read from the radio, the two digits
// of every owned byte (write-only ones included) and leaves every other digit as it is. An item
// whose choice lies outside its list is not written. A text shorter than 384 digits is first
// padded with "0".
void EncodeSettings(const SettingsChoices& settings, ModelOption model, std::string& settings_hex);

// The write-protection byte (`Set_Mode_Mem` 0).
inline constexpr int kMemFlagAddress = 0x1FE01;
// Sets the write-protection choice from the first byte of the block read at 0x1FE01. A value
// outside the three choices, or a reply without a first byte, leaves the choice unchanged.
void DecodeMemFlag(std::string_view reply_hex, SettingsChoices& settings);
// The byte to write at 0x1FE01: "00" when protection is off, "01" for any other choice.
std::string EncodeMemFlag(const SettingsChoices& settings);

}  // namespace tqm5

#endif  // TQM5_SETTINGS_SETTINGS_CODEC_H_
