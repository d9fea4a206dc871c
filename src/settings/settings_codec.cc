#include "settings/settings_codec.h"

#include <optional>

#include "image/hex.h"
#include "settings/catalogue.h"

namespace tqm5 {
namespace {

constexpr int kDialRingFirstAddress = 0x5D;
constexpr int kDialRingSecondAddress = 0x5F;
constexpr uint8_t kChModeOn = 0x0D;

// The owned bytes of the settings area in address order, each commented with its item's English
// caption.
constexpr std::array<SettingField, kSettingFieldCount> MakeSettingFields() {
  using enum SettingGroup;
  using enum FieldKind;
  return {{
      {0x02, {kSound, 4}, kWriteOnly},                       // "VOL(Main)"
      {0x03, {kSound, 5}, kWriteOnly},                       // "VOL(Sub)"
      {0x04, {kRecv, 6}, kPlain},                            // "Squelch(Main)"
      {0x05, {kRecv, 7}, kPlain},                            // "Squelch(Sub)"
      {0x06, {kChMode, 0}, kChModeCopy},                     // "CH.Display Mode"
      {0x07, {kChMode, 0}, kChModeText},                     // "CH.Display Mode"
      {0x0A, {kDisplay, 11}, kPlain},                        // "Bank No.(Main)"
      {0x0B, {kDisplay, 12}, kPlain},                        // "Bank No.(Sub)"
      {0x0D, {kDisplay, 13}, kPlusOne},                      // "TV CH"
      {0x0E, {kDisplay, 14}, kPlusThree},                    // "Preset band(Main)"
      {0x0F, {kDisplay, 15}, kPlain},                        // "Preset band(Sub)"
      {0x10, {kScan, 4}, kPlain},                            // "VFO SCAN(Main)"
      {0x11, {kScan, 5}, kPlain},                            // "VFO SCAN(Sub)"
      {0x12, {kScan, 6}, kPlain},                            // "Memory SCAN(Main)"
      {0x13, {kScan, 7}, kPlain},                            // "Memory SCAN(Sub)"
      {0x17, {kSend, 6}, kPlain},                            // "Modulation Mode"
      {0x19, {kSend, 7}, kPlain},                            // "Freq Step"
      {0x20, {kSound, 1}, kPlain},                           // "Pager"
      {0x23, {kScan, 1}, kPlain},                            // "Scan skip"
      {0x24, {kScan, 3}, kPlain},                            // "Pri duration"
      {0x25, {kScan, 2}, kPlain},                            // "Pri interval"
      {0x26, {kScan, 0}, kPlain},                            // "Scan mode"
      {0x27, {kKey, 8}, kPlain},                             // "Band transition"
      {0x28, {kKey, 2}, kPlain},                             // "Moni operation"
      {0x29, {kKey, 1}, kPlain},                             // "Moni key mode"
      {0x2A, {kSend, 8}, kPlain},                            // "ATT"
      {0x2C, {kDisplay, 1}, kPlain},                         // "Illumination"
      {0x2D, {kPower, 0}, kPlain},                           // "Auto-power-off"
      {0x2E, {kPower, 1}, kPlain},                           // "BS ratio"
      {0x2F, {kSound, 0}, kPlain},                           // "Beep sound Lv."
      {0x30, {kToutyou, 1}, kPlusOne},                       // "Sensitivity"
      {0x31, {kToutyou, 0}, kPlain},                         // "Detect mode"
      {0x34, {kKey, 12}, kPlain},                            // "Set Mode Resume"
      {0x35, {kKey, 6}, kKeyCode},                           // "Wild key assign"
      {0x39, {kKey, 9}, kPlain},                             // "Key lock Type"
      {0x3D, {kKey, 10}, kPlain},                            // "Op. band"
      {0x3E, {kDisplay, 0}, kLanguage},                      // "language／言語"
      {0x3F, {kSend, 0}, kPlain},                            // "VOX"
      {0x40, {kRecv, 4}, kPlain},                            // "TSF operation"
      {0x41, {kSend, 2}, kPlain},                            // "TOT"
      {0x43, {kDisplay, 2}, kPlusOne},                       // "Dimmer"
      {0x44, {kSound, 3}, kWriteOnlyPlusOne},                // "Mic Gain"
      {0x45, {kDisplay, 7}, kPlain},                         // "Display Type"
      {0x48, {kRepeater, 1}, kCrossBand},                    // "Cross Band set"
      {0x49, {kSend, 4}, kPlain},                            // "BCLO"
      {0x4A, {kSend, 3}, kPlain},                            // "TOT penalty"
      {0x4B, {kDisplay, 9}, kPlain},                         // "CH scope Display"
      {0x4C, {kDisplay, 10}, kPlain},                        // "CH scope Display"
      {0x4D, {kSound, 2}, kPlain},                           // "End-beep"
      {0x4E, {kRepeater, 0}, kPlain},                        // "Auto rpt. set"
      {0x50, {kRecv, 2}, kPlain},                            // "Tone SQ pri"
      {0x52, {kDisplay, 3}, kPlusOne},                       // "Screen contrast"
      {0x58, {kSend, 10}, kPlain},                           // "144MHz TX Power"
      {0x59, {kSend, 11}, kPlain},                           // "430MHz TX Power"
      {0x5A, {kSend, 12}, kPlain},                           // "1200MHz TX Power"
      {kDialRingFirstAddress, {kKey, 5}, kDialRingFirst},    // "Dial Ring"
      {0x5E, {kKey, 4}, kPlain},                             // "Mainband dial"
      {kDialRingSecondAddress, {kKey, 5}, kDialRingSecond},  // "Dial Ring"
      {0x60, {kKey, 7}, kKeyCode},                           // "Lamp key assign"
      {0x61, {kSend, 1}, kPlain},                            // "VOX LEVEL"
      {0x62, {kPower, 2}, kPlain},                           // "Battery type"
      {0x64, {kKey, 0}, kPlain},                             // "Key lock mode"
      {0x65, {kRecv, 0}, kPlain},                            // "AM antenna"
      {0x68, {kRecv, 3}, kPlain},                            // "DCS operation"
      {0x74, {kRecv, 1}, kPlain},                            // "Clk noise shift"
      {0x75, {kDisplay, 4}, kPlain},                         // "Font size"
      {0x76, {kRecv, 5}, kPlain},                            // "Receiver range"
      {0x77, {kDisplay, 5}, kPlain},                         // "Font Bold"
      {0x7A, {kKey, 3}, kPlain},                             // "Moni active on"
      {0x7B, {kPreset, 0}, kWriteOnly},                      // "Preset mode"
      {0x7C, {kSend, 5}, kPlain},                            // "Tone-burst"
      {0x81, {kDisplay, 6}, kPlain},                         // "Vol display type"
      {0x84, {kDisplay, 8}, kPlain},                         // "S METER"
      {0x8D, {kKey, 11}, kPlain},                            // "Moni key TX"
      {0x91, {kSend, 9}, kPlain},                            // "Full-duplex"
      {0x92, {kScan, 9}, kFlag},                             // "Scan Data output"
      {0x93, {kScan, 8}, kFlag},                             // "Scan lamp"
  }};
}

// The byte at `address` of a settings text, or nothing when its two digits are not hex.
std::optional<uint8_t> StoredByte(std::string_view hex, int address) {
  std::string_view digits = hex.substr(static_cast<size_t>(address) * 2, 2);
  if (digits.size() != 2 || !IsHexText(digits)) return std::nullopt;
  return HexByteAt(hex, address);
}

// Dial-ring choices 0..3 by their two flags: 0 = (0, 0), 1 = (0, 1), 2 = (1, 1), 3 = (1, 0).
int DialRingChoice(bool first, bool second) {
  if (!first) return second ? 1 : 0;
  return second ? 2 : 3;
}
bool DialRingFirstFlag(int choice) { return choice == 2 || choice == 3; }
bool DialRingSecondFlag(int choice) { return choice == 1 || choice == 2; }

// The choice a field's stored byte stands for; nothing for fields that are not read, for a key
// code that names no function and for digits that are not hex.
std::optional<int> DecodedChoice(const SettingField& field, std::string_view hex) {
  if (field.kind == FieldKind::kChModeText) {
    // Compared as text: only "0D" switches the channel display mode on.
    return hex.substr(static_cast<size_t>(field.address) * 2, 2) == "0D" ? 1 : 0;
  }
  std::optional<uint8_t> stored = StoredByte(hex, field.address);
  if (!stored) return std::nullopt;
  int b = *stored;
  switch (field.kind) {
    case FieldKind::kPlain:
    case FieldKind::kCrossBand:
      return b;
    case FieldKind::kPlusOne:
      return b == 0 ? 0 : b - 1;
    case FieldKind::kPlusThree:
      return b >= 3 ? b - 3 : b;
    case FieldKind::kFlag:
      return b != 0 ? 1 : 0;
    case FieldKind::kLanguage:
      return b != 0 ? kJapanese : kEnglish;
    case FieldKind::kKeyCode:
      for (int i = 0; i < kKeyFunctionCount; ++i) {
        if (kKeyFunctionCodes[static_cast<size_t>(i)] == b) return i;
      }
      return std::nullopt;
    case FieldKind::kDialRingFirst: {
      std::optional<uint8_t> second = StoredByte(hex, kDialRingSecondAddress);
      if (!second) return std::nullopt;
      return DialRingChoice(b != 0, *second != 0);
    }
    case FieldKind::kWriteOnly:
    case FieldKind::kWriteOnlyPlusOne:
    case FieldKind::kChModeCopy:
    case FieldKind::kChModeText:
    case FieldKind::kDialRingSecond:
      return std::nullopt;
  }
  return std::nullopt;
}

bool IsValidChoice(SettingId id, int choice) {
  return choice >= 0 && choice < SettingChoiceCount(id);
}

// The byte a field is written with; nothing when the item's choice is not one of its list.
std::optional<uint8_t> EncodedByte(const SettingField& field, const SettingsChoices& settings,
                                   ModelOption model) {
  // The "J" variant has no cross-band operation; the radio must hold 0 there.
  if (field.kind == FieldKind::kCrossBand && model == ModelOption::kJ) return 0;
  int c = settings[field.id];
  if (!IsValidChoice(field.id, c)) return std::nullopt;
  switch (field.kind) {
    case FieldKind::kPlain:
    case FieldKind::kCrossBand:
    case FieldKind::kFlag:
    case FieldKind::kWriteOnly:
      return static_cast<uint8_t>(c);
    case FieldKind::kPlusOne:
    case FieldKind::kWriteOnlyPlusOne:
      return static_cast<uint8_t>(c + 1);
    case FieldKind::kPlusThree:
      return static_cast<uint8_t>(c + 3);
    case FieldKind::kLanguage:
      return c == kJapanese ? 0x01 : 0x00;
    case FieldKind::kKeyCode:
      return kKeyFunctionCodes[static_cast<size_t>(c)];
    case FieldKind::kChModeCopy:
    case FieldKind::kChModeText:
      return c == 1 ? kChModeOn : 0x00;
    case FieldKind::kDialRingFirst:
      return DialRingFirstFlag(c) ? 0x01 : 0x00;
    case FieldKind::kDialRingSecond:
      return DialRingSecondFlag(c) ? 0x01 : 0x00;
  }
  return std::nullopt;
}

}  // namespace

const std::array<uint8_t, kKeyFunctionCount> kKeyFunctionCodes = {
    0x82, 0x15, 0x8A, 0xBC, 0xCA, 0xDA, 0xF1, 0x19, 0x1A, 0xC3, 0x1D, 0x1E, 0xB2,
    0x83, 0x87, 0xA6, 0xA5, 0x94, 0xF0, 0xB4, 0x97, 0x98, 0x99, 0x9A, 0xED, 0x0B,
    0xA0, 0xB6, 0xC7, 0x86, 0xD4, 0xDF, 0xBA, 0x1C, 0x66, 0x33, 0x78, 0x67, 0x2E,
    0x2F, 0x18, 0xC5, 0x14, 0x13, 0xDB, 0x9D, 0x9E, 0x70, 0x6E, 0x30, 0x68};

const std::array<SettingField, kSettingFieldCount> kSettingFields = MakeSettingFields();

void DecodeSettings(std::string_view settings_hex, SettingsChoices& settings, int& language) {
  if (settings_hex.size() < static_cast<size_t>(kSettingsHexLength)) return;
  // The language first: the views re-fill their lists in the new language before the other
  // choices are selected in them.
  for (const SettingField& field : kSettingFields) {
    if (field.kind != FieldKind::kLanguage) continue;
    std::optional<int> choice = DecodedChoice(field, settings_hex);
    if (!choice) continue;
    settings[field.id] = static_cast<int16_t>(*choice);
    language = *choice;
  }
  for (const SettingField& field : kSettingFields) {
    if (field.kind == FieldKind::kLanguage) continue;
    std::optional<int> choice = DecodedChoice(field, settings_hex);
    // A choice the item's list does not have cannot be shown; the item keeps what it has.
    if (choice && IsValidChoice(field.id, *choice)) {
      settings[field.id] = static_cast<int16_t>(*choice);
    }
  }
}

void EncodeSettings(const SettingsChoices& settings, ModelOption model, std::string& settings_hex) {
  if (settings_hex.size() < static_cast<size_t>(kSettingsHexLength)) {
    settings_hex.resize(static_cast<size_t>(kSettingsHexLength), '0');
  }
  for (const SettingField& field : kSettingFields) {
    std::optional<uint8_t> byte = EncodedByte(field, settings, model);
    if (byte) SetHexByteAt(settings_hex, field.address, *byte);
  }
}

void DecodeMemFlag(std::string_view reply_hex, SettingsChoices& settings) {
  std::optional<uint8_t> stored = StoredByte(reply_hex, 0);
  if (stored && IsValidChoice(kWriteProtectItem, *stored)) {
    settings[kWriteProtectItem] = static_cast<int16_t>(*stored);
  }
}

std::string EncodeMemFlag(const SettingsChoices& settings) {
  // The radio knows only off and on; a temporary release is written as on.
  return settings[kWriteProtectItem] == 0 ? "00" : "01";
}

}  // namespace tqm5
