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

// Demo memory: bytes worked out by hand from the record, title, bank and glyph layouts.
TEST(SimRadioDemoTest, AreasHoldTheDemoImage) {
  // Channel 7, bank 1's first: status 02, 439.5 MHz (1A323CE0), FM, 20KHz, 5 MHz (004C4B40),
  // "-", Tone, 88.5Hz twice, DCS 023, carrier JR, the fixed bytes, then the name units:
  // 東 938C, 京 8B9E, ﾚ ﾋ ﾟ ｰ ﾀ.
  auto hex = [](std::string spaced, size_t zeros, std::string after = "") {
    std::erase(spaced, ' ');
    return spaced + std::string(zeros, '0') + after;
  };
  const std::string channel_7 = hex("02 E03C321A 01 06 404B4C00 02 02 0909 00 1C 003E000A", 22,
                                    hex("8C93 9E8B DA00 CB00 DF00 B000 C000", 36));
  // Channel 10's name "70CM RPT " and user glyph 1 (8740), whatever form the variant holds it in.
  const std::string name_10 = hex("3700 3000 4300 4D00 2000 5200 5000 5400 2000 4087", 24);
  // "ＴＱ－Ｍ５ " and glyph 1, or "TQ-M5 DEMO " and glyph 1; then scroll on and the pad byte.
  const std::string title_j = hex("7382 7082 7C81 6C82 5482 2000 4087", 36, "0100");
  const std::string title_other =
      hex("5400 5100 2D00 4D00 3500 2000 4400 4500 4D00 4F00 2000 4087", 16, "0100");
  struct Case {
    SimVariant variant;
    int address;
    std::string hex;
  };
  const Case cases[] = {
      {kTqM5, 0x01380, channel_7},
      {kTqM5T, 0x01380, channel_7},
      {kTqM5J, 0x01460, name_10},
      {kTqM5E, 0x01460, name_10},
      {kTqM5, 0x001A0, title_j},
      {kTqM5K, 0x001A0, title_other},
      {kTqM5, 0x00200, hex("0600 0600 0500 0500 D203", 16)},  // banks 0..4, then 0
      {kTqM5, 0x01004, "080402FF"},                           // glyph 1, columns 4..7, rows 0..7
      {kTqM5, 0x01014, "4060707F"},                           // the same columns, rows 8..15
      {kTqM5, 0x01780, "02"},    // channel 23, the train-tone channel of the J radios
      {kTqM5EG, 0x01780, "00"},  // absent where the radio has no train tones
  };
  for (const Case& c : cases) {
    const SimRadio::Memory memory = SimRadio::DemoMemory(c.variant);
    EXPECT_EQ(
        BytesToHex(std::span(memory).subspan(static_cast<size_t>(c.address), c.hex.size() / 2)),
        c.hex)
        << SimVariantName(c.variant) << " " << std::hex << c.address;
  }
  // Every demo channel reaches every variant: none lies in a band the "T" radio may not hold.
  for (SimVariant variant : kAllSimVariants) {
    const SimRadio radio(variant, SimContent::kDemo);
    int used = 0;
    for (int slot = 0; slot < 1623; ++slot)
      used += (radio.memory()[0x1200 + 64 * slot] & 0x0F) != 0;
    EXPECT_EQ(used, variant == kTqM5 || variant == kTqM5J ? 48 : 47) << SimVariantName(variant);
  }
}

}  // namespace
}  // namespace tqm5
