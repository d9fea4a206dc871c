#include "sim/sim_radio.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "image/hex.h"

namespace tqm5 {
namespace {

std::string Hex(const SimRadio::Memory& memory, int address, int bytes) {
  return BytesToHex(
      std::span(memory).subspan(static_cast<size_t>(address), static_cast<size_t>(bytes)));
}

std::string Repeat(std::string_view text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

// The echo of the line, then the payload between CR LF pairs.
std::string Reply(std::string_view command, std::string_view payload) {
  return std::string(command) + "\r\r\n" + std::string(payload) + "\r\n";
}

TEST(SimRadioTest, EachVariantAnswersOnlyItsOwnIdentification) {
  for (SimVariant radio_variant : kAllSimVariants) {
    for (SimVariant asked : kAllSimVariants) {
      SimRadio radio(radio_variant);
      const std::string command = "ZR~" + std::string(SimVariantName(asked));
      const std::string expected = radio_variant == asked ? Reply(command, "OK") : "";
      EXPECT_EQ(radio.Receive(command + "\r"), expected)
          << SimVariantName(radio_variant) << " asked " << command;
    }
  }
}

TEST(SimRadioTest, VariantNamesParseBackAndNothingElseParses) {
  for (SimVariant variant : kAllSimVariants) {
    EXPECT_EQ(ParseSimVariant(SimVariantName(variant)), variant);
  }
  for (const char* name : {"", "TQ-M5X", "tq-m5j", "TQ-M5 ", "ZR~TQ-M5"}) {
    EXPECT_FALSE(ParseSimVariant(name).has_value()) << name;
  }
}

TEST(SimRadioTest, RepliesByteForByte) {
  const std::string data64 = [] {
    std::string hex;
    for (int i = 0; i < 64; ++i) hex += HexPad(0xC0 + i % 16, 2);
    return hex;
  }();
  struct Case {
    const char* what;
    std::string sent;
    std::string reply;
  };
  const Case cases[] = {
      {"identify", "ZR~TQ-M5\r", Reply("ZR~TQ-M5", "OK")},
      {"reset is silent", "ZR~RESET\r", ""},
      {"read", "ZR~F01000R\r", Reply("ZR~F01000R", std::string(128, '0'))},
      {"unaligned read", "ZR~F1FE01R\r", Reply("ZR~F1FE01R", "00" + std::string(126, 'F'))},
      {"read at the end", "ZR~F1FFF0R\r",
       Reply("ZR~F1FFF0R", "000102030405060708090A0B0C0D0E0F" + std::string(96, 'F'))},
      {"read past the end", "ZR~FFFFFFR\r", Reply("ZR~FFFFFFR", std::string(128, 'F'))},
      {"one-byte write", "ZR~F1FFFFWAB\r", Reply("ZR~F1FFFFWAB", "OK")},
      {"64-byte write", "ZR~F00C00W" + data64 + "\r", Reply("ZR~F00C00W" + data64, "OK")},
      {"empty line", "\r", ""},
      {"lower-case command", "zr~TQ-M5\r", ""},
      {"trailing blank", "ZR~TQ-M5 \r", ""},
      {"LF instead of CR", "ZR~TQ-M5\n", ""},
      {"unknown model", "ZR~TQ-M6\r", ""},
      {"four address digits", "ZR~F0100R\r", ""},
      {"lower-case address", "ZR~F0100aR\r", ""},
      {"lower-case operation", "ZR~F01000r\r", ""},
      {"read with data", "ZR~F01000R00\r", ""},
      {"unknown operation", "ZR~F01000X\r", ""},
      {"write without data", "ZR~F01000W\r", ""},
      {"odd digit count", "ZR~F01000W123\r", ""},
      {"65 bytes", "ZR~F01000W" + data64 + "00\r", ""},
      {"lower-case data", "ZR~F01000Wab\r", ""},
      {"not hex data", "ZR~F01000WGG\r", ""},
      {"write past the end", "ZR~F1FFFFWABCD\r", ""},
  };
  for (const Case& c : cases) {
    SimRadio radio;
    for (int i = 0; i < 16; ++i) radio.memory()[static_cast<size_t>(0x1FFF0 + i)] = uint8_t(i);
    const SimRadio::Memory before = radio.memory();
    EXPECT_EQ(radio.Receive(c.sent), c.reply) << c.what;
    if (c.sent.find('W') == std::string::npos || c.reply.empty()) {
      EXPECT_TRUE(radio.memory() == before) << c.what << ": memory changed";
    }
  }
}

TEST(SimRadioTest, WritesStoreExactlyTheirBytes) {
  SimRadio radio;
  SimRadio::Memory expected = radio.memory();
  ASSERT_EQ(radio.Receive("ZR~F00C01W0102030405060708\r"),
            Reply("ZR~F00C01W0102030405060708", "OK"));
  for (int i = 0; i < 8; ++i) expected[static_cast<size_t>(0xC01 + i)] = uint8_t(i + 1);
  EXPECT_TRUE(radio.memory() == expected);
  EXPECT_EQ(radio.Receive("ZR~F00C00R\r"),
            Reply("ZR~F00C00R", "FF0102030405060708" + std::string(110, 'F')));
}

TEST(SimRadioTest, LinesArriveInPiecesOrSeveralAtOnce) {
  SimRadio radio;
  EXPECT_EQ(radio.Receive("ZR~F0"), "");
  EXPECT_EQ(radio.Receive("1000"), "");
  EXPECT_EQ(radio.Receive("R"), "");
  EXPECT_EQ(radio.Receive("\r"), Reply("ZR~F01000R", std::string(128, '0')));
  EXPECT_EQ(radio.Receive("ZR~TQ-M5\rZR~F1FE01W01\rZR~RES"),
            Reply("ZR~TQ-M5", "OK") + Reply("ZR~F1FE01W01", "OK"));
  EXPECT_EQ(radio.Receive("ET\rZR~TQ-M5\r"), Reply("ZR~TQ-M5", "OK"));
  EXPECT_EQ(radio.commands(), (std::vector<std::string>{"ZR~F01000R", "ZR~TQ-M5", "ZR~F1FE01W01",
                                                        "ZR~RESET", "ZR~TQ-M5"}));
}

TEST(SimRadioTest, FaultsChangeTheReplies) {
  struct Case {
    const char* what;
    SimFaults faults;
    std::string sent;
    std::string reply;
    int changed_address;  // -1: the memory must stay as it was
  };
  SimFaults stop_after_three;
  stop_after_three.stop_after = 3;
  SimFaults stop_at_once;
  stop_at_once.stop_after = 0;
  SimFaults refuse;
  refuse.refuse_write_at = {0x00200, 0x1FE01};
  SimFaults no_read;
  no_read.no_read_reply_at = {0x00200};
  SimFaults drop;
  drop.drop_leading_crlf = true;
  const Case cases[] = {
      // The malformed first line counts towards the limit; the write is not stored.
      {"stop after three", stop_after_three, "ZR~X\rZR~TQ-M5\rZR~TQ-M5\rZR~F1FE01W01\r",
       Reply("ZR~TQ-M5", "OK") + Reply("ZR~TQ-M5", "OK"), -1},
      {"stop at once", stop_at_once, "ZR~TQ-M5\r", "", -1},
      {"refused write", refuse, "ZR~F00200W0102\r", Reply("ZR~F00200W0102", "NG"), -1},
      {"refused write protection", refuse, "ZR~F1FE01W01\r", Reply("ZR~F1FE01W01", "NG"), -1},
      {"write elsewhere", refuse, "ZR~F00240W0102\r", Reply("ZR~F00240W0102", "OK"), 0x240},
      {"unanswered read", no_read, "ZR~F00200R\r", "", -1},
      {"read elsewhere", no_read, "ZR~F00201R\r",
       Reply("ZR~F00201R", "0064006400640064006400640064006400640000" + std::string(88, '0')), -1},
      {"writes still answered", no_read, "ZR~F00200W0102\r", Reply("ZR~F00200W0102", "OK"), 0x200},
      {"no leading CR LF", drop, "ZR~TQ-M5\r", "ZR~TQ-M5\rOK\r\n", -1},
  };
  for (const Case& c : cases) {
    SimRadio radio;
    radio.set_faults(c.faults);
    const SimRadio::Memory before = radio.memory();
    EXPECT_EQ(radio.Receive(c.sent), c.reply) << c.what;
    SimRadio::Memory expected = before;
    if (c.changed_address >= 0) {
      expected[static_cast<size_t>(c.changed_address)] = 0x01;
      expected[static_cast<size_t>(c.changed_address) + 1] = 0x02;
    }
    EXPECT_TRUE(radio.memory() == expected) << c.what;
  }
}

TEST(SimRadioTest, ImageFilesKeepTheMemoryAndRejectOtherSizes) {
  const std::string dir = ::testing::TempDir();
  const std::string good = dir + "/sim_radio_test_image.bin";
  const std::string short_file = dir + "/sim_radio_test_short.bin";
  SimRadio writer;
  writer.memory()[0] = 0x5A;
  writer.memory()[0x1FFFF] = 0xA5;
  ASSERT_TRUE(writer.SaveImage(good));
  std::ofstream(short_file, std::ios::binary) << std::string(1000, '\0');

  SimRadio reader(kTqM5E);
  ASSERT_TRUE(reader.LoadImage(good));
  EXPECT_TRUE(reader.memory() == writer.memory());

  SimRadio untouched;
  std::string error;
  EXPECT_FALSE(untouched.LoadImage(short_file, &error));
  EXPECT_NE(error.find("1000 bytes, expected 131072"), std::string::npos) << error;
  EXPECT_FALSE(untouched.LoadImage(dir + "/sim_radio_test_missing.bin", &error));
  EXPECT_TRUE(untouched.memory() == SimRadio::FactoryMemory(kTqM5));
  EXPECT_FALSE(writer.SaveImage(dir + "/no such directory/image.bin"));
  std::remove(good.c_str());
  std::remove(short_file.c_str());
}

// Factory memory: spot checks against records worked out by hand from the area layouts.
TEST(SimRadioFactoryTest, AreasHoldTheStartUpImage) {
  const std::string zeros22(22, '0');
  const std::string name_units(64, '0');
  struct Case {
    const char* what;
    int address;
    std::string hex;
  };
  const Case cases[] = {
      {"channel 1 is empty", 0x01200, std::string(128, '0')},
      {"call channel 1401, 145 MHz", 0x17000,
       "02"
       "4086A408"
       "01"
       "00"
       "00000000"
       "00"
       "00"
       "09"
       "09"
       "00"
       "14"
       "003E000A" +
           zeros22 + name_units},
      {"bug channel 1604, status 01", 0x1A2C0,
       "01"
       "C83AC217"
       "01"
       "00"
       "00000000"
       "00"
       "00"
       "09"
       "09"
       "00"
       "14"
       "003E000A" +
           zeros22 + name_units},
      {"after the last channel", 0x1A7C0, "FFFF"},
      {"bank sizes and tail", 0x00200,
       Repeat("6400", 10) + std::string(160, '0') +
           "6400C800640003006400640014000000000000000000000000000000"},
      {"after the bank sizes", 0x00280, "FF"},
      {"bank-link groups", 0x00100, std::string(160, '0') + "0000000000000080" + "FF"},
      {"one-touch keys and the gap", 0x00180, std::string(54, 'F') + "FFFFFFFFFF"},
      {"title, scroll and pad", 0x001A0, std::string(64, '0') + "0000" + "FF"},
      {"unowned settings bytes", 0x00000, "FFFF"},
      {"unowned settings bytes 8, 9", 0x00008, "FFFF"},
      {"after the settings", 0x000C0, "FF"},
      {"write protection", 0x1FE00, "FF00FF"},
      {"DTMF choices and unowned bytes", 0x01100, "010505" + std::string(32, 'F') + "1111"},
      {"DTMF dial channel, pause, unowned", 0x011A2, "110102FF"},
      {"end of DTMF", 0x011BF, "FFFF"},
      {"glyphs", 0x01000, std::string(512, '0')},
      {"unused order table", 0x00C00, std::string(1616, 'F')},
  };
  const SimRadio::Memory memory = SimRadio::FactoryMemory(kTqM5);
  for (const Case& c : cases) {
    EXPECT_EQ(Hex(memory, c.address, static_cast<int>(c.hex.size() / 2)), c.hex) << c.what;
  }
}

TEST(SimRadioFactoryTest, VariantDecidesTheLanguageAndCrossBandBytes) {
  struct Case {
    SimVariant variant;
    uint8_t language;  // 0x01 Japanese, 0x00 English
  };
  for (const Case& c : {Case{kTqM5, 0x01}, Case{kTqM5J, 0x01}, Case{kTqM5T, 0x00},
                        Case{kTqM5E, 0x00}, Case{kTqM5EG, 0x00}, Case{kTqM5K, 0x00}}) {
    const SimRadio radio(c.variant);
    EXPECT_TRUE(radio.memory() == SimRadio::FactoryMemory(c.variant));
    EXPECT_EQ(radio.memory()[0x3E], c.language) << SimVariantName(c.variant);
    EXPECT_EQ(radio.memory()[0x48], 0x00) << SimVariantName(c.variant);
  }
}

}  // namespace
}  // namespace tqm5
