#include "settings/settings_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "image/hex.h"
#include "settings/catalogue.h"

namespace tqm5 {
namespace {

using enum SettingGroup;
using enum FieldKind;
using ByteList = std::vector<std::pair<int, uint8_t>>;

// Field kinds: P plain, P1 plus-one, P3 plus-three, F flag, W / W1 write only (plain, plus-one),
// K key code, L language, X cross band, C6 / C7 channel display mode (copy, read as text),
// D1 / D2 dial-ring flags.
constexpr FieldKind P = kPlain, P1 = kPlusOne, P3 = kPlusThree, F = kFlag, W = kWriteOnly,
                    W1 = kWriteOnlyPlusOne, K = kKeyCode, L = kLanguage, X = kCrossBand,
                    C6 = kChModeCopy, C7 = kChModeText, D1 = kDialRingFirst, D2 = kDialRingSecond;
// Every owned byte of the settings area, in address order, as the radio's memory map lists it.
// clang-format off
const SettingField kFields[] = {
    {0x02, {kSound, 4}, W}, {0x03, {kSound, 5}, W}, {0x04, {kRecv, 6}, P}, {0x05, {kRecv, 7}, P},
    {0x06, {kChMode, 0}, C6}, {0x07, {kChMode, 0}, C7}, {0x0A, {kDisplay, 11}, P},
    {0x0B, {kDisplay, 12}, P}, {0x0D, {kDisplay, 13}, P1}, {0x0E, {kDisplay, 14}, P3},
    {0x0F, {kDisplay, 15}, P}, {0x10, {kScan, 4}, P}, {0x11, {kScan, 5}, P}, {0x12, {kScan, 6}, P},
    {0x13, {kScan, 7}, P}, {0x17, {kSend, 6}, P}, {0x19, {kSend, 7}, P}, {0x20, {kSound, 1}, P},
    {0x23, {kScan, 1}, P}, {0x24, {kScan, 3}, P}, {0x25, {kScan, 2}, P}, {0x26, {kScan, 0}, P},
    {0x27, {kKey, 8}, P}, {0x28, {kKey, 2}, P}, {0x29, {kKey, 1}, P}, {0x2A, {kSend, 8}, P},
    {0x2C, {kDisplay, 1}, P}, {0x2D, {kPower, 0}, P}, {0x2E, {kPower, 1}, P},
    {0x2F, {kSound, 0}, P}, {0x30, {kToutyou, 1}, P1}, {0x31, {kToutyou, 0}, P},
    {0x34, {kKey, 12}, P}, {0x35, {kKey, 6}, K}, {0x39, {kKey, 9}, P}, {0x3D, {kKey, 10}, P},
    {0x3E, {kDisplay, 0}, L}, {0x3F, {kSend, 0}, P}, {0x40, {kRecv, 4}, P}, {0x41, {kSend, 2}, P},
    {0x43, {kDisplay, 2}, P1}, {0x44, {kSound, 3}, W1}, {0x45, {kDisplay, 7}, P},
    {0x48, {kRepeater, 1}, X}, {0x49, {kSend, 4}, P}, {0x4A, {kSend, 3}, P},
    {0x4B, {kDisplay, 9}, P}, {0x4C, {kDisplay, 10}, P}, {0x4D, {kSound, 2}, P},
    {0x4E, {kRepeater, 0}, P}, {0x50, {kRecv, 2}, P}, {0x52, {kDisplay, 3}, P1},
    {0x58, {kSend, 10}, P}, {0x59, {kSend, 11}, P}, {0x5A, {kSend, 12}, P}, {0x5D, {kKey, 5}, D1},
    {0x5E, {kKey, 4}, P}, {0x5F, {kKey, 5}, D2}, {0x60, {kKey, 7}, K}, {0x61, {kSend, 1}, P},
    {0x62, {kPower, 2}, P}, {0x64, {kKey, 0}, P}, {0x65, {kRecv, 0}, P}, {0x68, {kRecv, 3}, P},
    {0x74, {kRecv, 1}, P}, {0x75, {kDisplay, 4}, P}, {0x76, {kRecv, 5}, P},
    {0x77, {kDisplay, 5}, P}, {0x7A, {kKey, 3}, P}, {0x7B, {kPreset, 0}, W}, {0x7C, {kSend, 5}, P},
    {0x81, {kDisplay, 6}, P}, {0x84, {kDisplay, 8}, P}, {0x8D, {kKey, 11}, P},
    {0x91, {kSend, 9}, P}, {0x92, {kScan, 9}, F}, {0x93, {kScan, 8}, F}};

// The key functions a key can be assigned to: texts and the code the radio stores.
struct KeyFunction { const char* en; const char* ja; uint8_t code; };
const KeyFunction kKeyFunctions[] = {
    {"Language", "language／言語", 0x82}, {"Illumination", "照明設定", 0x15}, {"Dimmer", "明るさ設定", 0x8A},
    {"Screen contrast", "コントラスト設定", 0xBC}, {"Font size", "非操作側表示サイズ", 0xCA}, {"Font Bold", "フォント設定", 0xDA},
    {"Opening string", "ｵｰﾌﾟﾆﾝｸﾞﾒｯｾｰｼﾞ", 0xF1}, {"Auto-power-off", "ｵｰﾄﾊﾟﾜｰｵﾌ", 0x19},
    {"BS ratio", "ﾊﾞｯﾃﾘｰｾｰﾌﾞ", 0x1A}, {"Battery type", "電池の設定", 0xC3}, {"Beep Sound Lv.", "ビープ音量設定", 0x1D},
    {"Pager", "ベル機能設定", 0x1E}, {"End-beep", "エンドピー音", 0xB2}, {"VOX", "VOX設定", 0x83}, {"TOT", "TOT設定", 0x87},
    {"TOT penalty", "TOTペナルティ機能", 0xA6}, {"BCLO", "BCLO機能", 0xA5}, {"Tone-burst", "トーンコール", 0x94},
    {"Full-duplex", "同時送受信設定", 0xF0}, {"Auto rpt. set", "ｵｰﾄﾚﾋﾟｰﾀｰ設定", 0xB4},
    {"Auto-dialer", "DTMFｵｰﾄﾀﾞｲﾔﾗｰ", 0x97}, {"WAIT timing", "DTMF WAIT時間", 0x98},
    {"First-digit time", "DTMF一桁目ﾊﾞｰｽﾄ", 0x99}, {"DTMF burst time", "DTMFﾊﾞｰｽﾄ時間", 0x9A},
    {"DTMF pause time", "DTMFﾎﾟｰｽﾞ時間", 0xED}, {"AM antenna", "バーアンテナ", 0x0B},
    {"Clk noise shift", "クロックシフト", 0xA0}, {"Tone SQ pri", "TSQ･DCS優先設定", 0xB6},
    {"DCS operation", "DCSタイプ設定", 0xC7}, {"TSF operation", "発信器探索音設定", 0x86},
    {"Receiver range", "運用周波数限定", 0xD4}, {"Preset mode", "ﾌﾟﾘｾｯﾄﾓｰﾄﾞ設定", 0xDF},
    {"Bank-link", "ﾘﾝｸ設定", 0xBA}, {"Overwrite", "ライトプロテクト", 0x1C}, {"Scan mode", "スキャンタイプ", 0x66},
    {"Scan skip", "スキップ設定", 0x33}, {"Pri interval", "ﾌﾟﾗｲｵﾘﾃｨ待受時間", 0x78},
    {"Pri duration", "ﾌﾟﾗｲｵﾘﾃｨ停止時間", 0x67}, {"Activate", "盗聴器発見機能", 0x2E},
    {"Detect mode", "探索ﾓｰﾄﾞの種類", 0x2F}, {"Sensitivity", "検出感度", 0x18}, {"Key lock mode", "キーロックモード", 0xC5},
    {"Moni key mode", "MONIキー設定", 0x14}, {"Moni operation", "MONIキー動作", 0x13},
    {"Moni active on", "MONIキー操作対象", 0xDB}, {"Mainband dial", "ダイヤル左右", 0x9D},
    {"Dial ring", "ダイヤル上下", 0x9E}, {"Wild key assign", "WILDｷｰ設定", 0x70},
    {"Lamp key assign", "LAMPｷｰ設定", 0x6E}, {"Band transition", "バンド移動", 0x30},
    {"Set mode exit", "セットモード復帰時間", 0x68}};
// clang-format on

// A settings area of `fill` digits with the given bytes set.
std::string Area(const ByteList& bytes, char fill = '0') {
  std::string hex(kSettingsHexLength, fill);
  for (auto [address, value] : bytes) SetHexByteAt(hex, address, value);
  return hex;
}

SettingsChoices Defaults() {
  SettingsChoices settings;
  ApplySettingsDefaults(settings);
  return settings;
}

// Every item set to its own choice, written over a radio's area and read back: each owned byte
// holds the choice in its field's coding, every other byte stays as the radio sent it.
TEST(SettingsCodecTest, WholeAreaWrittenAndReadByTheFieldTable) {
  std::mt19937 random(11);
  for (int round = 0; round < 4; ++round) {
    SettingsChoices written, decoded;
    decoded.choice.fill(-1);
    for (const SettingField& f : kFields) {
      written[f.id] = int16_t((SettingIndex(f.id) * 7 + round) % SettingChoiceCount(f.id));
    }
    std::string read(kSettingsHexLength, 'f');  // lower-case digits are not normalised either
    for (char& digit : read) digit = round ? "0123456789ABCDEF"[random() % 16] : digit;
    std::string hex = read;
    EncodeSettings(written, ModelOption::kT, hex);
    int language = -1;
    DecodeSettings(hex, decoded, language);
    EXPECT_EQ(language, written[kLanguageItem]);
    for (const SettingField& f : kFields) {
      int c = written[f.id], b = c;
      if (f.kind == P1 || f.kind == W1) b = c + 1;
      if (f.kind == P3) b = c + 3;
      if (f.kind == L) b = c == 0;
      if (f.kind == K) b = kKeyFunctions[c].code;
      if (f.kind == C6 || f.kind == C7) b = c == 1 ? 0x0D : 0;
      if (f.kind == D1) b = c == 2 || c == 3;
      if (f.kind == D2) b = c == 1 || c == 2;
      EXPECT_EQ(HexByteAt(hex, f.address), b) << "byte " << f.address << " choice " << c;
      EXPECT_EQ(decoded[f.id], f.kind == W || f.kind == W1 ? -1 : c) << "byte " << f.address;
      read.replace(2 * static_cast<size_t>(f.address), 2, hex, 2 * static_cast<size_t>(f.address),
                   2);
    }
    EXPECT_EQ(hex, read);  // every byte that belongs to no item as the radio sent it
  }
}

TEST(SettingsCodecTest, KeyFunctionsAndTheirCodes) {
  ASSERT_EQ(SettingChoiceCount({kKey, 6}), 51);
  ASSERT_EQ(SettingChoiceCount({kKey, 7}), 51);
  for (int16_t i = 0; i < 51; ++i) {
    const KeyFunction& k = kKeyFunctions[i];
    for (auto [id, address] : {std::pair{SettingId{kKey, 6}, 0x35}, {SettingId{kKey, 7}, 0x60}}) {
      EXPECT_EQ(SettingChoices(id, kEnglish)[static_cast<size_t>(i)], k.en);
      EXPECT_EQ(SettingChoices(id, kJapanese)[static_cast<size_t>(i)], k.ja);
      SettingsChoices settings = Defaults();
      settings[id] = i;
      std::string hex = Area({});
      EncodeSettings(settings, ModelOption::kT, hex);
      EXPECT_EQ(HexByteAt(hex, address), k.code) << k.en;
      int language = 0;
      settings[id] = -1;
      DecodeSettings(Area({{address, k.code}}), settings, language);
      EXPECT_EQ(settings[id], i) << k.en;
    }
  }
}

// Stored bytes the encoder never writes (in-range bytes: the whole-area test).
TEST(SettingsCodecTest, DecodeTurnsStoredBytesIntoChoices) {
  struct Case {
    ByteList bytes;
    SettingId id;
    int16_t start, expected;
  };
  // clang-format off
  const Case cases[] = {
      {{{0x3E, 0x02}}, kLanguageItem, kEnglish, kJapanese}, {{{0x3E, 0x00}}, kLanguageItem, kJapanese, kEnglish},
      {{{0x06, 0x00}, {0x07, 0x0D}}, {kChMode, 0}, 0, 1}, {{{0x06, 0x0D}, {0x07, 0x00}}, {kChMode, 0}, 1, 0},
      // Plus-one and plus-three bytes below their first choice: toutyou, dimmer, contrast.
      {{{0x30, 0x01}}, {kToutyou, 1}, 3, 0}, {{{0x43, 0x00}}, {kDisplay, 2}, 3, 0},
      {{{0x52, 0x00}}, {kDisplay, 3}, 5, 0}, {{{0x0E, 0x01}}, {kDisplay, 14}, 0, 1},
      {{{0x0E, 0x02}}, {kDisplay, 14}, 1, 1}, {{{0x0D, 0x00}}, {kDisplay, 13}, 9, 0},
      {{{0x35, 0x00}}, {kKey, 6}, 7, 7}, {{{0x5D, 0x02}, {0x5F, 0x07}}, {kKey, 5}, 0, 2},
      {{{0x5D, 0x01}, {0x5F, 0x00}}, {kKey, 5}, 0, 3}, {{{0x5D, 0x00}, {0x5F, 0x03}}, {kKey, 5}, 0, 1},
      {{{0x93, 0x07}}, {kScan, 8}, 0, 1}, {{{0x26, 0x28}}, {kScan, 0}, 5, 5}, {{{0x2C, 0xFF}}, {kDisplay, 1}, 4, 4},
      {{{0x02, 0x05}}, {kSound, 4}, 3, 3}, {{{0x7B, 0x00}}, {kPreset, 0}, 1, 1}};
  // clang-format on
  for (const Case& c : cases) {
    SettingsChoices settings = Defaults();
    settings[c.id] = c.start;
    int language = settings[kLanguageItem];
    DecodeSettings(Area(c.bytes), settings, language);
    EXPECT_EQ(settings[c.id], c.expected) << "byte " << c.bytes[0].first;
    // The caller learns the language, to switch the views before it shows the other items.
    EXPECT_EQ(language, settings[kLanguageItem]);
  }
  std::string hex = Area({{0x3E, 0x01}});
  hex.replace(2 * 0x04, 2, "G1");  // squelch: not hex
  hex.replace(2 * 0x5F, 2, "--");  // second dial-ring flag: not hex
  SettingsChoices settings = Defaults();
  settings[{kRecv, 6}] = 4;
  settings[{kKey, 5}] = 3;
  const SettingsChoices before = settings;
  int language = kEnglish;
  DecodeSettings(hex.substr(2), settings, language);  // too short: nothing changes
  EXPECT_EQ(settings, before);
  EXPECT_EQ(language, kEnglish);
  DecodeSettings(hex, settings, language);
  EXPECT_EQ(settings[(SettingId{kRecv, 6})] * 10 + settings[(SettingId{kKey, 5})], 43);
}

// Cross band under "J", and choices outside their list (the byte is left as it was).
TEST(SettingsCodecTest, EncodeCrossBandUnderJAndChoicesOutsideTheirList) {
  struct Case {
    SettingId id;
    int16_t choice;
    int address;
    uint8_t byte;
  };
  // clang-format off
  const Case cases[] = {
      {kCrossBandItem, 1, 0x48, 0x00},
      {{kScan, 0}, 40, 0x26, 0xCC}, {{kKey, 6}, -1, 0x35, 0xCC}, {{kKey, 7}, 51, 0x60, 0xCC},
      {{kKey, 5}, 4, 0x5D, 0xCC}, {{kKey, 5}, 4, 0x5F, 0xCC}, {kCrossBandItem, 7, 0x48, 0x00}};
  // clang-format on
  for (const Case& c : cases) {
    SettingsChoices settings = Defaults();
    settings[c.id] = c.choice;
    std::string hex = Area({}, 'C');
    EncodeSettings(settings, ModelOption::kJ, hex);  // "J" writes cross band 0 whatever the choice
    EXPECT_EQ(HexByteAt(hex, c.address), c.byte) << "byte " << c.address;
  }
  std::string hex = "ABCD";
  EncodeSettings(Defaults(), ModelOption::kT, hex);
  ASSERT_EQ(hex.size(), static_cast<size_t>(kSettingsHexLength));
  EXPECT_EQ(hex.substr(0, 4), "ABCD");
  EXPECT_EQ(HexByteAt(hex, 0x2F), 0x02);  // beep level default
}

TEST(SettingsCodecTest, WriteProtectionByte) {
  // clang-format off
  for (auto [reply, start, expected] : {std::tuple{"00FFFF", 2, 0}, {"01", 0, 1}, {"02", 0, 2},
       {"03", 1, 1}, {"FF", 2, 2}, {"", 1, 1}, {"Z1", 2, 2}}) {
    // clang-format on
    SettingsChoices settings;
    settings[kWriteProtectItem] = static_cast<int16_t>(start);
    DecodeMemFlag(reply, settings);
    EXPECT_EQ(settings[kWriteProtectItem], expected) << '"' << reply << '"';
  }
  for (auto [choice, expected] : {std::pair{0, "00"}, {1, "01"}, {2, "01"}}) {
    SettingsChoices settings;
    settings[kWriteProtectItem] = static_cast<int16_t>(choice);
    EXPECT_EQ(EncodeMemFlag(settings), expected) << choice;
  }
}

}  // namespace
}  // namespace tqm5
