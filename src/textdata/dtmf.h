// The DTMF memories and settings: the captions of the five DTMF choice boxes, the encoder that
// merges the boxes into the raw DTMF area, its decoder, and the typing rules of the memory
// boxes.
//
// DTMF area (192 bytes, `DtmfHex` = 384 hex digits):
//   byte 0          wait position        byte 1     head position
//   byte 2          burst position       bytes 3..18  sixteen 0x11, not owned by the program
//   bytes 19 + 16(i - 1) .. 34 + 16(i - 1)  memory i = 1..9: digit codes, then 0x11 to 16 bytes
//   byte 163        dial channel position + 1
//   byte 164        pause position       bytes 165..191  not owned by the program
#ifndef TQM5_TEXTDATA_DTMF_H_
#define TQM5_TEXTDATA_DTMF_H_

#include <array>
#include <string>
#include <string_view>

namespace tqm5 {

// `DtmfDigits`: digit code c (0..16) stands for character c of this text.
inline constexpr std::string_view kDtmfDigits = "0123456789ABCD*#-";
inline constexpr int kDtmfUnusedDigitCode = 0x11;  // a position after the memory's last digit
inline constexpr int kDtmfMemoryLength = 16;       // digits in one memory

inline constexpr int kDtmfAreaHexDigits = 384;     // `DtmfHex`
inline constexpr int kDtmfEncodedHexDigits = 330;  // bytes 0..164, built by `EncodeDtmf`

inline constexpr int kDtmfMemoryCount = 9;

// The DTMF memories ("Ch1".."Ch9") and the list positions of the five DTMF choice boxes.
struct DtmfState {
  std::array<std::string, kDtmfMemoryCount> memories;
  int wait = 1;     // `COMMON_WAIT`
  int head = 5;     // `COMMON_HEAD`
  int burst = 5;    // `COMMON_BURST`
  int pause = 2;    // `COMMON_PAUSE`
  int dial_ch = 0;  // `COMMON_DIAL_CH`
  friend bool operator==(const DtmfState&, const DtmfState&) = default;
};

inline constexpr int kDtmfWaitCount = 11;
inline constexpr int kDtmfTimeCount = 23;  // head, burst and pause share one list
inline constexpr int kDtmfDialChCount = 9;

inline constexpr std::array<std::string_view, kDtmfWaitCount> kDtmfWaitChoices = {
    "50ms",  "100ms", "200ms", "300ms", "400ms", "500ms",
    "600ms", "700ms", "800ms", "900ms", "1000ms"};

inline constexpr std::array<std::string_view, kDtmfTimeCount> kDtmfTimeChoices = {
    "20ms",  "40ms",  "60ms",  "80ms",  "100ms", "120ms", "140ms", "160ms",
    "180ms", "200ms", "300ms", "400ms", "500ms", "600ms", "700ms", "800ms",
    "900ms", "1.0s",  "1.2s",  "1.4s",  "1.6s",  "1.8s",  "2.0s"};
inline constexpr const auto& kDtmfHeadChoices = kDtmfTimeChoices;
inline constexpr const auto& kDtmfBurstChoices = kDtmfTimeChoices;
inline constexpr const auto& kDtmfPauseChoices = kDtmfTimeChoices;

inline constexpr std::array<std::string_view, kDtmfDialChCount> kDtmfDialChChoices = {
    "1Ch", "2Ch", "3Ch", "4Ch", "5Ch", "6Ch", "7Ch", "8Ch", "9Ch"};

// `EncodeDtmf`: bytes 0..164 of the DTMF area from the boxes, as 330 upper-case hex digits.
// Characters of a memory that are not DTMF digits are skipped; digits past the 16th do not fit
// and are dropped. List positions are written as their low byte.
std::string EncodeDtmf(const DtmfState& dtmf);

// Merges the encoded boxes into the area as last read from the radio: bytes 0..2 and 19..164
// are replaced, bytes 3..18 and 165..191 keep the radio's values. A text shorter than 384
// digits is first padded with "0".
void MergeDtmf(const DtmfState& dtmf, std::string& dtmf_hex);

// `ShowDtmfArea`: sets the boxes from the raw area. Digit codes 17 and above (0xFF included)
// add nothing to a memory; a dial channel byte outside 1..9 selects "1Ch"; a pause byte of 23
// or more selects position 2. A wait, head or burst byte beyond its list leaves that box as it
// was, as the settings decoder does for out-of-range choices. Bytes missing from a short text
// read as 0.
void ShowDtmfArea(std::string_view dtmf_hex, DtmfState& dtmf);

// Memory box key press: may `c` be typed after `current`? Only the DTMF digits (upper-case
// A-D), and only while the memory holds fewer than 16 characters. Backspace is the caller's.
bool DtmfAcceptsChar(std::string_view current, char32_t c);

// Memory box focus loss: keeps the DTMF digits of the text, in order.
std::string FilterDtmf(std::string_view text);

}  // namespace tqm5

#endif  // TQM5_TEXTDATA_DTMF_H_
