#include "settings/settings_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

#include "image/hex.h"
#include "settings/catalogue.h"

namespace tqm5 {
namespace {

using enum SettingGroup;
using ByteList = std::vector<std::pair<int, uint8_t>>;

// Bytes 0x00-0xBF that belong to no item.
std::set<int> UnownedAddresses() {
  const std::vector<std::pair<int, int>> ranges = {
      {0x00, 0x01}, {0x08, 0x09}, {0x0C, 0x0C}, {0x14, 0x16}, {0x18, 0x18}, {0x1A, 0x1F},
      {0x21, 0x22}, {0x2B, 0x2B}, {0x32, 0x33}, {0x36, 0x38}, {0x3A, 0x3C}, {0x42, 0x42},
      {0x46, 0x47}, {0x4F, 0x4F}, {0x51, 0x51}, {0x53, 0x57}, {0x5B, 0x5C}, {0x63, 0x63},
      {0x66, 0x67}, {0x69, 0x73}, {0x78, 0x79}, {0x7D, 0x80}, {0x82, 0x83}, {0x85, 0x8C},
      {0x8E, 0x90}, {0x94, 0xBF}};
  std::set<int> addresses;
  for (auto [first, last] : ranges) {
    for (int a = first; a <= last; ++a) addresses.insert(a);
  }
  return addresses;
}

// A settings area of `fill` digits with the given bytes set.
std::string Area(const ByteList& bytes, char fill = '0') {
  std::string hex(kSettingsHexLength, fill);
  for (auto [address, value] : bytes) SetHexByteAt(hex, address, value);
  return hex;
}

std::string RandomArea(std::mt19937& random) {
  std::string hex(kSettingsHexLength, '0');
  for (char& digit : hex) digit = "0123456789ABCDEF"[random() % 16];
  return hex;
}

SettingsChoices RandomValidChoices(std::mt19937& random) {
  SettingsChoices settings;
  for (const SettingItem& item : SettingsCatalogue()) {
    settings[item.id] = static_cast<int16_t>(random() % item.choices_en.size());
  }
  return settings;
}

SettingsChoices Defaults() {
  SettingsChoices settings;
  ApplySettingsDefaults(settings);
  return settings;
}

TEST(SettingsCodecTest, FieldsAndUnownedBytesSplitTheAreaExactly) {
  const std::set<int> unowned = UnownedAddresses();
  std::set<int> owned;
  std::set<int> items;
  for (const SettingField& field : kSettingFields) {
    owned.insert(field.address);
    items.insert(SettingIndex(field.id));
    EXPECT_EQ(unowned.count(field.address), 0u) << "field at unowned byte " << field.address;
  }
  EXPECT_EQ(owned.size() + unowned.size(), static_cast<size_t>(kSettingsAreaBytes));
  // Every item lives in the area except the write protection, which has its own byte.
  EXPECT_EQ(items.size(), static_cast<size_t>(kSettingCount - 1));
  EXPECT_EQ(items.count(SettingIndex(kWriteProtectItem)), 0u);
}

TEST(SettingsCodecTest, DecodeTurnsStoredBytesIntoChoices) {
  struct Case {
    const char* name;
    ByteList bytes;
    SettingId id;
    int16_t start;
    int16_t expected;
  };
  const std::vector<Case> cases = {
      {"language 0x02", {{0x3E, 0x02}}, kLanguageItem, kEnglish, kJapanese},
      {"language 0x00", {{0x3E, 0x00}}, kLanguageItem, kJapanese, kEnglish},
      {"ch mode reads 0x07", {{0x06, 0x00}, {0x07, 0x0D}}, {kChMode, 0}, 0, 1},
      {"ch mode ignores 0x06", {{0x06, 0x0D}, {0x07, 0x00}}, {kChMode, 0}, 1, 0},
      {"sensitivity 1", {{0x30, 0x01}}, {kToutyou, 1}, 3, 0},
      {"sensitivity 5", {{0x30, 0x05}}, {kToutyou, 1}, 0, 4},
      {"preset band 4", {{0x0E, 0x04}}, {kDisplay, 14}, 0, 1},
      {"preset band 1 as is", {{0x0E, 0x01}}, {kDisplay, 14}, 0, 1},
      {"preset band 2, no such choice", {{0x0E, 0x02}}, {kDisplay, 14}, 1, 1},
      {"tv ch 0", {{0x0D, 0x00}}, {kDisplay, 13}, 9, 0},
      {"tv ch 0x3E", {{0x0D, 0x3E}}, {kDisplay, 13}, 0, 61},
      {"wild key 0x68", {{0x35, 0x68}}, {kKey, 6}, 7, 50},
      {"wild key, no match", {{0x35, 0x00}}, {kKey, 6}, 7, 7},
      {"dial ring 02 07", {{0x5D, 0x02}, {0x5F, 0x07}}, {kKey, 5}, 0, 2},
      {"dial ring 01 00", {{0x5D, 0x01}, {0x5F, 0x00}}, {kKey, 5}, 0, 3},
      {"scan lamp flag", {{0x93, 0x07}}, {kScan, 8}, 0, 1},
      {"scan mode, too big", {{0x26, 0x28}}, {kScan, 0}, 5, 5},
      {"blank radio 0xFF", {{0x2C, 0xFF}}, {kDisplay, 1}, 4, 4},
      {"volume, write only", {{0x02, 0x05}}, {kSound, 4}, 3, 3},
      {"preset mode, write only", {{0x7B, 0x00}}, {kPreset, 0}, 1, 1},
  };
  for (const Case& c : cases) {
    SettingsChoices settings = Defaults();
    settings[c.id] = c.start;
    int language = settings[kLanguageItem];
    DecodeSettings(Area(c.bytes), settings, language);
    EXPECT_EQ(settings[c.id], c.expected) << c.name;
    // The caller learns the language, to switch the views before it shows the other items.
    EXPECT_EQ(language, settings[kLanguageItem]) << c.name;
  }
}

// Neighbouring bytes whose items are easily swapped: look-alike pairs, and pairs stored in the
// reverse of their item order.
TEST(SettingsCodecTest, NeighbouringFieldsBelongToTheirOwnItems) {
  struct Case {
    int address_a;
    SettingId a;
    int address_b;
    SettingId b;
  };
  const std::vector<Case> cases = {
      {0x04, {kRecv, 6}, 0x05, {kRecv, 7}}, {0x24, {kScan, 3}, 0x25, {kScan, 2}},
      {0x28, {kKey, 2}, 0x29, {kKey, 1}},   {0x31, {kToutyou, 0}, 0x30, {kToutyou, 1}},
      {0x49, {kSend, 4}, 0x4A, {kSend, 3}}, {0x4B, {kDisplay, 9}, 0x4C, {kDisplay, 10}},
      {0x92, {kScan, 9}, 0x93, {kScan, 8}},
  };
  for (const Case& c : cases) {
    SettingsChoices settings = Defaults();
    int language = kJapanese;
    DecodeSettings(Area({{c.address_a, 0x01}, {c.address_b, 0x00}}), settings, language);
    EXPECT_EQ(settings[c.a], 1) << "byte " << c.address_a;
    EXPECT_EQ(settings[c.b], 0) << "byte " << c.address_b;
  }
}

TEST(SettingsCodecTest, DecodeChangesNothingForDigitsThatAreNotHexOrAShortText) {
  std::string hex = Area({{0x3E, 0x01}});
  hex.replace(2 * 0x04, 2, "G1");  // squelch
  hex.replace(2 * 0x5F, 2, "--");  // second dial-ring flag
  SettingsChoices settings = Defaults();
  settings[{kRecv, 6}] = 4;
  settings[{kKey, 5}] = 3;
  int language = kEnglish;
  DecodeSettings(hex, settings, language);
  EXPECT_EQ(settings[(SettingId{kRecv, 6})], 4);
  EXPECT_EQ(settings[(SettingId{kKey, 5})], 3);

  const SettingsChoices before = settings;
  language = kEnglish;
  DecodeSettings(Area({{0x3E, 0x01}}).substr(2), settings, language);
  EXPECT_EQ(settings, before);
  EXPECT_EQ(language, kEnglish);
}

TEST(SettingsCodecTest, EncodeWritesTheFieldsOfAnItem) {
  struct Case {
    const char* name;
    SettingId id;
    int16_t choice;
    ModelOption model;
    ByteList expected;
  };
  const std::vector<Case> cases = {
      {"ch mode on", {kChMode, 0}, 1, ModelOption::kT, {{0x06, 0x0D}, {0x07, 0x0D}}},
      {"sensitivity", {kToutyou, 1}, 2, ModelOption::kT, {{0x30, 0x03}}},
      {"preset band", {kDisplay, 14}, 1, ModelOption::kT, {{0x0E, 0x04}}},
      {"tv ch", {kDisplay, 13}, 0, ModelOption::kT, {{0x0D, 0x01}}},
      {"wild key", {kKey, 6}, 33, ModelOption::kT, {{0x35, 0x1C}}},
      {"dial ring 2", {kKey, 5}, 2, ModelOption::kT, {{0x5D, 0x01}, {0x5F, 0x01}}},
      {"dial ring 3", {kKey, 5}, 3, ModelOption::kT, {{0x5D, 0x01}, {0x5F, 0x00}}},
      {"japanese", kLanguageItem, kJapanese, ModelOption::kT, {{0x3E, 0x01}}},
      {"cross band under J", kCrossBandItem, 1, ModelOption::kJ, {{0x48, 0x00}}},
      {"cross band under T", kCrossBandItem, 1, ModelOption::kT, {{0x48, 0x01}}},
      {"volume", {kSound, 4}, 5, ModelOption::kT, {{0x02, 0x05}}},
      {"mic gain", {kSound, 3}, 0, ModelOption::kT, {{0x44, 0x01}}},
      {"preset mode", {kPreset, 0}, 1, ModelOption::kT, {{0x7B, 0x01}}},
  };
  for (const Case& c : cases) {
    SettingsChoices settings = Defaults();
    settings[c.id] = c.choice;
    std::string hex = Area({}, 'E');
    EncodeSettings(settings, c.model, hex);
    for (auto [address, value] : c.expected) {
      EXPECT_EQ(HexByteAt(hex, address), value) << c.name << " at " << address;
    }
  }
}

TEST(SettingsCodecTest, EncodeLeavesUnownedDigitsExactlyAsRead) {
  std::mt19937 random(11);
  const std::set<int> unowned = UnownedAddresses();
  for (int round = 0; round < 20; ++round) {
    // Lower-case digits are not normalised either.
    std::string read = round == 0 ? Area({}, 'f') : RandomArea(random);
    std::string hex = read;
    EncodeSettings(RandomValidChoices(random), ModelOption::kT, hex);
    ASSERT_EQ(hex.size(), read.size());
    for (int a : unowned) {
      EXPECT_EQ(hex.substr(2 * a, 2), read.substr(2 * a, 2)) << "byte " << a << ", round " << round;
    }
  }
}

TEST(SettingsCodecTest, DecodeOfEncodeGivesTheChoicesBack) {
  std::mt19937 random(5);
  for (ModelOption model : {ModelOption::kT, ModelOption::kJ}) {
    for (int round = 0; round < 100; ++round) {
      SettingsChoices written = RandomValidChoices(random);
      std::string hex = RandomArea(random);
      EncodeSettings(written, model, hex);

      SettingsChoices read = RandomValidChoices(random);
      const SettingsChoices before = read;
      int language = 1 - written[kLanguageItem];
      DecodeSettings(hex, read, language);

      EXPECT_EQ(language, written[kLanguageItem]);
      for (const SettingItem& item : SettingsCatalogue()) {
        int16_t expected = written[item.id];
        // Write-only items and the write protection are not read from the area.
        if (item.id.group == kPreset || item.id.group == kMem ||
            (item.id.group == kSound && item.id.item >= 3)) {
          expected = before[item.id];
        }
        if (item.id == kCrossBandItem && model == ModelOption::kJ) expected = 0;
        EXPECT_EQ(read[item.id], expected) << item.caption_en << ", round " << round;
      }
    }
  }
}

TEST(SettingsCodecTest, EncodeSkipsChoicesOutsideTheirListAndPadsAShortText) {
  SettingsChoices settings = Defaults();
  settings[{kScan, 0}] = 40;
  settings[{kKey, 6}] = -1;
  settings[{kKey, 7}] = 51;
  settings[{kKey, 5}] = 4;
  settings[kCrossBandItem] = 7;
  std::string hex = Area({}, 'C');
  EncodeSettings(settings, ModelOption::kJ, hex);
  for (int address : {0x26, 0x35, 0x60, 0x5D, 0x5F}) {
    EXPECT_EQ(HexByteAt(hex, address), 0xCC) << address;
  }
  EXPECT_EQ(HexByteAt(hex, 0x48), 0x00);  // the "J" variant writes 0 whatever the choice

  hex = "ABCD";
  EncodeSettings(Defaults(), ModelOption::kT, hex);
  ASSERT_EQ(hex.size(), static_cast<size_t>(kSettingsHexLength));
  EXPECT_EQ(hex.substr(0, 4), "ABCD");
  EXPECT_EQ(HexByteAt(hex, 0x2F), 0x02);  // beep level default
}

TEST(SettingsCodecTest, WriteProtectionByte) {
  struct Case {
    const char* reply;
    int16_t start;
    int16_t expected;
  };
  for (const Case& c : {Case{"00FFFF", 2, 0}, Case{"01", 0, 1}, Case{"02", 0, 2}, Case{"03", 1, 1},
                        Case{"FF", 2, 2}, Case{"", 1, 1}, Case{"Z1", 2, 2}}) {
    SettingsChoices settings;
    settings[kWriteProtectItem] = c.start;
    DecodeMemFlag(c.reply, settings);
    EXPECT_EQ(settings[kWriteProtectItem], c.expected) << '"' << c.reply << '"';
  }
  for (auto [choice, expected] :
       std::vector<std::pair<int16_t, std::string>>{{0, "00"}, {1, "01"}, {2, "01"}}) {
    SettingsChoices settings;
    settings[kWriteProtectItem] = choice;
    EXPECT_EQ(EncodeMemFlag(settings), expected) << choice;
  }
}

}  // namespace
}  // namespace tqm5
