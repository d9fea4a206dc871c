// The simulated radio stands in for the real one in the transfer and command-line tests: its
// factory memory is checked here against bytes worked out by hand. Its fault options are
// checked where they are used: the transfer tests expect each one's exact failure text.
#include "sim/sim_radio.h"

#include <gtest/gtest.h>

#include <string>

#include "image/hex.h"

namespace tqm5 {
namespace {

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
