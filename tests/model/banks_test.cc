#include "model/banks.h"

#include <gtest/gtest.h>

#include "image/channel_numbering.h"

namespace tqm5 {
namespace {

TEST(ChannelNumberingTest, SlotsAndAddressesFollowTheDualPairRemap) {
  struct Case {
    int number;
    int slot;
    int address;
  };
  for (const Case& c :
       {Case{1, 1, 0x01200}, Case{1100, 1100, 0x124C0}, Case{1101, 1101, 0x12500},
        Case{1102, 1201, 0x13E00}, Case{1103, 1102, 0x12540}, Case{1299, 1200, 0x13DC0},
        Case{1300, 1300, 0x156C0}, Case{1623, 1623, 0x1A780}}) {
    EXPECT_EQ(ChannelSlot(c.number), c.slot) << c.number;
    EXPECT_EQ(ChannelAddress(c.number), c.address) << c.number;
  }
}

TEST(ChannelNumberingTest, FixedRowLabels) {
  struct Case {
    int number;
    const char* label;
  };
  for (const Case& c : {Case{1001, "PRG - 0A"}, Case{1002, "PRG - 0B"}, Case{1100, "PRG - 49B"},
                        Case{1101, "Dual0(Main) "}, Case{1102, "Dual0(Sub) "},
                        Case{1300, "Dual99(Sub) "}, Case{1301, "PRIO - 0"}, Case{1400, "PRIO - 99"},
                        Case{1401, "CALL-VHF"}, Case{1402, "CALL-UHF"}, Case{1403, "CALL-1.2"},
                        Case{1404, "PASS - 0"}, Case{1503, "PASS - 99"}, Case{1504, "TSF - 0"},
                        Case{1603, "TSF - 99"}, Case{1604, "BUG - 0"}, Case{1623, "BUG - 19"}}) {
    EXPECT_EQ(FixedRowLabel(c.number), c.label) << c.number;
  }
}

TEST(BanksTest, RowLabelsFollowTheBankSizesOnlyWhenTheyAddUpTo1000) {
  struct Case {
    const char* what;
    std::array<int, kBankCount> sizes;
    std::vector<std::pair<int, const char*>> labels;
  };
  std::array<int, kBankCount> factory{};
  for (int b = 0; b < 10; ++b) factory[static_cast<size_t>(b)] = 100;
  std::array<int, kBankCount> last_bank{};
  last_bank[49] = 1000;
  std::array<int, kBankCount> short_by_one = factory;
  short_by_one[3] = 99;
  std::array<int, kBankCount> uneven{};
  uneven[0] = 1;
  uneven[2] = 998;
  uneven[49] = 1;
  const Case cases[] = {
      {"factory",
       factory,
       {{1, "Bank00-000"},
        {100, "Bank00-099"},
        {101, "Bank01-000"},
        {1000, "Bank09-099"},
        {1001, "PRG - 0A"}}},
      {"one bank", last_bank, {{1, "Bank49-000"}, {1000, "Bank49-999"}}},
      {"uneven",
       uneven,
       {{1, "Bank00-000"}, {2, "Bank02-000"}, {999, "Bank02-997"}, {1000, "Bank49-000"}}},
      {"999 in all", short_by_one, {{1, "old"}, {1000, "old"}, {1001, "old"}}},
  };
  for (const Case& c : cases) {
    MemoryImage image;
    for (Channel& channel : image.channels) channel.row[kColLabel] = "old";
    image.bank_sizes = c.sizes;
    RebuildRowLabels(image);
    for (auto [number, label] : c.labels) {
      EXPECT_EQ(image.channel(number).row[kColLabel], label) << c.what << " row " << number;
    }
  }
}

// Image whose used banks are 0, 2 and 5 (sizes 500, 300, 200).
MemoryImage ImageWithBanks025() {
  MemoryImage image;
  image.bank_sizes.fill(0);
  image.bank_sizes[0] = 500;
  image.bank_sizes[2] = 300;
  image.bank_sizes[5] = 200;
  RebuildUsedBanks(image);
  return image;
}

TEST(OneTouchTest, BytesSelectBankAndChannelThroughTheUsedBankTable) {
  struct Case {
    const char* key_bytes;
    bool no_setting;
    int bank_position;
    int channel_position;
    const char* written_back;
  };
  // clang-format off
  const Case cases[] = {
      {"050003", false, 2, 3, "050003"}, {"FFFFFF", true, 0, 0, "FFFFFF"},
      {"FF0003", true, 0, 0, "FFFFFF"}, {"020000", false, 1, 0, "020000"},
      {"00012B", false, 0, 299, "00012B"},
      {"0500C8", false, 2, 0, "050000"},  // position 200 is beyond bank 5's 200 channels
      {"030004", false, 0, 0, "000000"},  // bank 3 is empty
      {"640000", false, 0, 0, "000000"},  // the table's end mark is not a bank
  };
  // clang-format on
  for (const Case& c : cases) {
    MemoryImage image = ImageWithBanks025();
    std::string area = c.key_bytes;
    for (int k = 1; k < kOneTouchKeyCount; ++k) area += "FFFFFF";
    DecodeOneTouch(area, image);
    const OneTouchKey& key = image.one_touch[0];
    EXPECT_EQ(key.no_setting, c.no_setting) << c.key_bytes;
    EXPECT_EQ(key.bank_position, c.bank_position) << c.key_bytes;
    EXPECT_EQ(key.channel_position, c.channel_position) << c.key_bytes;
    EXPECT_EQ(EncodeOneTouch(image).substr(0, 6), c.written_back) << c.key_bytes;
    EXPECT_EQ(EncodeOneTouch(image).substr(6), area.substr(6)) << c.key_bytes;
  }
}

TEST(OneTouchTest, RefreshKeepsBankAndChannelWhileTheyStillExist) {
  struct Case {
    const char* what;
    int bank7_size;
    int expected_bank;
    int expected_channel;
  };
  for (const Case& c : {Case{"bank 7 still large", 20, 7, 12}, Case{"bank 7 too small", 12, 7, 0},
                        Case{"bank 7 emptied", 0, 0, 0}}) {
    MemoryImage image;
    image.bank_sizes.fill(0);
    image.bank_sizes[0] = 500;
    image.bank_sizes[7] = 500;
    RefreshOneTouchLists(image);
    image.one_touch[4].no_setting = false;
    SelectOneTouchBank(image, 4, UsedBankPosition(image, 7));
    image.one_touch[4].channel_position = 12;

    image.bank_sizes[7] = c.bank7_size;
    image.bank_sizes[3] = 1000 - 500 - c.bank7_size;
    RefreshOneTouchLists(image);
    EXPECT_EQ(OneTouchBank(image, 4), c.expected_bank) << c.what;
    EXPECT_EQ(image.one_touch[4].channel_position, c.expected_channel) << c.what;
    EXPECT_FALSE(image.one_touch[4].no_setting) << c.what;
  }
}

TEST(BankSizesTest, AreaIsLittleEndianAndOversizedBanksAreRefused) {
  MemoryImage image;
  image.bank_sizes.fill(0);
  image.bank_sizes[0] = 1000;
  image.bank_sizes[49] = 0x0102;
  std::string hex = ExportBankSizes(image);
  ASSERT_EQ(hex.size(), 200u);
  EXPECT_EQ(hex.substr(0, 4), "E803");
  EXPECT_EQ(hex.substr(196, 4), "0201");

  MemoryImage read;
  ASSERT_TRUE(ImportBankSizes(hex + std::string(kBankSizeTail), read));
  EXPECT_EQ(read.bank_sizes, image.bank_sizes);

  MemoryImage blank;
  EXPECT_FALSE(ImportBankSizes(std::string(256, 'F'), blank));
  EXPECT_EQ(blank.bank_sizes, MemoryImage().bank_sizes);
}

}  // namespace
}  // namespace tqm5
