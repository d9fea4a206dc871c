// The simulated radio stands in for the real one in the transfer and command-line tests: its
// factory memory and its fault options are checked here against bytes worked out by hand.
#include "sim/sim_radio.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "image/hex.h"

namespace tqm5 {
namespace {

// The echo of the line, then the payload between CR LF pairs.
std::string Reply(std::string_view command, std::string_view payload) {
  return std::string(command) + "\r\r\n" + std::string(payload) + "\r\n";
}

TEST(SimRadioTest, FaultsChangeTheReplies) {
  // A changed address of -1: the memory must stay as it was.
  // clang-format off
  struct Case { const char* what; std::function<void(SimFaults&)> set; std::string sent, reply; int changed_address; };
  // clang-format on
  const auto refuse = [](SimFaults& f) { f.refuse_write_at = {0x00200, 0x1FE01}; };
  const auto no_read = [](SimFaults& f) { f.no_read_reply_at = {0x00200}; };
  const Case cases[] = {
      {"no fault", [](SimFaults&) {}, "ZR~TQ-M5\rZR~F1FFF0R\r",
       Reply("ZR~TQ-M5", "OK") + Reply("ZR~F1FFF0R", std::string(128, 'F')), -1},
      // The malformed first line counts towards the limit; the write is not stored.
      {"stop after three", [](SimFaults& f) { f.stop_after = 3; },
       "ZR~X\rZR~TQ-M5\rZR~TQ-M5\rZR~F1FE01W01\r",
       Reply("ZR~TQ-M5", "OK") + Reply("ZR~TQ-M5", "OK"), -1},
      {"stop at once", [](SimFaults& f) { f.stop_after = 0; }, "ZR~TQ-M5\r", "", -1},
      {"refused write", refuse, "ZR~F00200W0102\r", Reply("ZR~F00200W0102", "NG"), -1},
      {"refused write protection", refuse, "ZR~F1FE01W01\r", Reply("ZR~F1FE01W01", "NG"), -1},
      {"write elsewhere", refuse, "ZR~F00240W0102\r", Reply("ZR~F00240W0102", "OK"), 0x240},
      {"unanswered read", no_read, "ZR~F00200R\r", "", -1},
      {"read elsewhere", no_read, "ZR~F00201R\r",
       Reply("ZR~F00201R", "0064006400640064006400640064006400640000" + std::string(88, '0')), -1},
      {"writes still answered", no_read, "ZR~F00200W0102\r", Reply("ZR~F00200W0102", "OK"), 0x200},
      {"no leading CR LF", [](SimFaults& f) { f.drop_leading_crlf = true; }, "ZR~TQ-M5\r",
       "ZR~TQ-M5\rOK\r\n", -1},
  };
  for (const Case& c : cases) {
    SimRadio radio;
    SimFaults faults;
    c.set(faults);
    radio.set_faults(faults);
    SimRadio::Memory expected = radio.memory();
    EXPECT_EQ(radio.Receive(c.sent), c.reply) << c.what;
    if (c.changed_address >= 0)
      expected[size_t(c.changed_address)] = 1, expected[size_t(c.changed_address) + 1] = 2;
    EXPECT_TRUE(radio.memory() == expected) << c.what;
  }
}

// Factory memory: spot checks against records worked out by hand from the area layouts.
TEST(SimRadioFactoryTest, AreasHoldTheStartUpImage) {
  // Status, frequency, step, mode, offset, flags, tones 9 and 9, DCS, carrier 20, fixed bytes.
  const std::string call_fields = "0000000000000009090014003E000A" + std::string(86, '0');
  const std::pair<int, std::string> cases[] = {
      {0x01200, std::string(128, '0')},         // channel 1 is empty
      {0x17000, "024086A40801" + call_fields},  // call channel 1401, 145 MHz
      {0x1A2C0, "01C83AC21701" + call_fields},  // bug channel 1604, status 01
      {0x1A7C0, "FFFF"},                        // after the last channel
      {0x00200,
       "64006400640064006400640064006400640064"
       "00" +
           std::string(160, '0') + "6400C800640003006400640014000000000000000000000000000000FF"},
      {0x00100, std::string(160, '0') + "0000000000000080" + "FF"},  // bank-link groups
      {0x00180, std::string(64, 'F')},                               // one-touch keys and the gap
      {0x001A0, std::string(68, '0') + "FF"},                        // title, scroll and pad
      {0x00000, "FFFF"},
      {0x00008, "FFFF"},                                    // unowned settings bytes
      {0x000C0, "FF"},                                      // after the settings
      {0x1FE00, "FF00FF"},                                  // write protection
      {0x01100, "010505" + std::string(32, 'F') + "1111"},  // DTMF choices, unowned bytes
      {0x011A2, "110102FF"},                                // DTMF dial channel, pause, unowned
      {0x011BF, "FFFF"},                                    // end of DTMF
      {0x01000, std::string(512, '0')},                     // glyphs
      {0x00C00, std::string(1616, 'F')},                    // unused order table
  };
  const SimRadio::Memory memory = SimRadio::FactoryMemory(kTqM5);
  for (const auto& [address, hex] : cases) {
    EXPECT_EQ(BytesToHex(std::span(memory).subspan(static_cast<size_t>(address), hex.size() / 2)),
              hex)
        << std::hex << address;
  }
  // The language byte (0x01 Japanese) follows the variant; the cross-band byte is 0.
  for (SimVariant variant : kAllSimVariants) {
    const SimRadio radio(variant);
    EXPECT_EQ(radio.memory()[0x3E] * 256 + radio.memory()[0x48],
              variant == kTqM5 || variant == kTqM5J ? 256 : 0);
  }
}

}  // namespace
}  // namespace tqm5
