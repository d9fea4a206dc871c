#include "model/banks.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "image/channel_numbering.h"

namespace tqm5 {
namespace {

TEST(ChannelNumberingTest, SlotsAddressesAndFixedLabels) {
  // clang-format off
  for (auto [number, slot, address] : {std::tuple{1, 1, 0x01200}, {1100, 1100, 0x124C0},
       {1101, 1101, 0x12500}, {1102, 1201, 0x13E00}, {1103, 1102, 0x12540},
       {1299, 1200, 0x13DC0}, {1300, 1300, 0x156C0}, {1623, 1623, 0x1A780}}) {
    EXPECT_EQ(std::pair(ChannelSlot(number), ChannelAddress(number)), std::pair(slot, address));
  }
  for (auto [number, label] : {std::pair{1001, "PRG - 0A"}, {1002, "PRG - 0B"},
       {1100, "PRG - 49B"}, {1101, "Dual0(Main) "}, {1102, "Dual0(Sub) "}, {1300, "Dual99(Sub) "},
       {1301, "PRIO - 0"}, {1400, "PRIO - 99"}, {1401, "CALL-VHF"}, {1402, "CALL-UHF"},
       {1403, "CALL-1.2"}, {1404, "PASS - 0"}, {1503, "PASS - 99"}, {1504, "TSF - 0"},
       {1603, "TSF - 99"}, {1604, "BUG - 0"}, {1623, "BUG - 19"}}) {
    EXPECT_EQ(FixedRowLabel(number), label) << number;
  }
  // clang-format on
}

// Banks and their sizes; every other bank is empty.
MemoryImage WithBanks(const std::map<int, int>& sizes) {
  MemoryImage image;
  image.bank_sizes.fill(0);
  for (auto [bank, size] : sizes) image.bank_sizes[static_cast<size_t>(bank)] = size;
  RebuildUsedBanks(image);
  return image;
}

TEST(BanksTest, RowLabelsFollowTheBankSizesOnlyWhenTheyAddUpTo1000) {
  using Labels = std::vector<std::pair<int, const char*>>;
  // clang-format off
  for (const auto& [sizes, labels] : {std::pair<std::map<int, int>, Labels>{{{0, 100}, {1, 100},
       {2, 100}, {3, 100}, {4, 100}, {5, 100}, {6, 100}, {7, 100}, {8, 100}, {9, 100}},
       {{1, "Bank00-000"}, {100, "Bank00-099"}, {101, "Bank01-000"}, {1000, "Bank09-099"},
        {1001, "PRG - 0A"}}}, {{{49, 1000}}, {{1, "Bank49-000"}, {1000, "Bank49-999"}}},
      {{{0, 1}, {2, 998}, {49, 1}},
       {{1, "Bank00-000"}, {2, "Bank02-000"}, {999, "Bank02-997"}, {1000, "Bank49-000"}}},
      {{{0, 100}, {2, 899}}, {{1, "old"}, {1000, "old"}, {1001, "old"}}}}) {  // 999 in all
    // clang-format on
    MemoryImage image = WithBanks(sizes);
    for (Channel& channel : image.channels) channel.label = "old";
    RebuildRowLabels(image);
    for (auto [number, label] : labels) {
      EXPECT_EQ(image.channel(number).label, label) << number;
    }
  }
}

// Used banks 0, 2 and 5 (500, 300 and 200 channels): byte 0 of a key is the bank, bytes 1-2
// the channel position, big-endian.
TEST(OneTouchTest, BytesSelectBankAndChannelThroughTheUsedBankTable) {
  // Read as: no setting, bank position, channel position; then written back.
  // clang-format off
  for (auto [key_bytes, read, written] : {std::tuple{"050003", std::tuple{false, 2, 3}, "050003"},
       {"FFFFFF", {true, 0, 0}, "FFFFFF"}, {"FF0003", {true, 0, 0}, "FFFFFF"},
       {"020000", {false, 1, 0}, "020000"}, {"00012B", {false, 0, 299}, "00012B"},
       {"0500C8", {false, 2, 0}, "050000"},  // position 200 is beyond bank 5's 200 channels
       {"030004", {false, 0, 0}, "000000"},  // bank 3 is empty
       {"640000", {false, 0, 0}, "000000"}}) {  // the table's end mark is not a bank
    // clang-format on
    MemoryImage image = WithBanks({{0, 500}, {2, 300}, {5, 200}});
    std::string area = key_bytes + std::string(6 * (kOneTouchKeyCount - 1), 'F');
    DecodeOneTouch(area, image);
    const OneTouchKey& key = image.one_touch[0];
    EXPECT_EQ(std::tuple(key.no_setting, key.bank_position, key.channel_position), read)
        << key_bytes;
    EXPECT_EQ(EncodeOneTouch(image), written + area.substr(6)) << key_bytes;
  }
}

TEST(OneTouchTest, RefreshKeepsBankAndChannelWhileTheyStillExist) {
  // Key 4 on bank 7, channel position 12; then bank 7 shrinks to the given size.
  for (auto [bank7_size, bank, channel] : {std::tuple{20, 7, 12}, {12, 7, 0}, {0, 0, 0}}) {
    MemoryImage image = WithBanks({{0, 500}, {7, 500}});
    image.one_touch[4].no_setting = false;
    SelectOneTouchBank(image, 4, UsedBankPosition(image, 7));
    image.one_touch[4].channel_position = 12;
    image.bank_sizes[7] = bank7_size;
    image.bank_sizes[3] = 500 - bank7_size;
    RefreshOneTouchLists(image);
    const OneTouchKey& key = image.one_touch[4];
    EXPECT_EQ(std::tuple(OneTouchBank(image, 4), key.channel_position, key.no_setting),
              std::tuple(bank, channel, false))
        << bank7_size;
  }
}

TEST(BankSizesTest, AreaIsLittleEndianAndOversizedBanksAreRefused) {
  MemoryImage image = WithBanks({{0, 1000}, {49, 0x0102}});
  std::string hex = "E803" + std::string(192, '0') + "0201";
  EXPECT_EQ(ExportBankSizes(image), hex);
  MemoryImage read;
  ASSERT_TRUE(ImportBankSizes(hex + std::string(kBankSizeTail), read));
  EXPECT_EQ(read.bank_sizes, image.bank_sizes);
  MemoryImage blank;
  EXPECT_FALSE(ImportBankSizes(std::string(256, 'F'), blank));
  EXPECT_EQ(blank.bank_sizes, MemoryImage().bank_sizes);
}

}  // namespace
}  // namespace tqm5
