// The project file (".M5"): the whole edit state kept as CP932 text lines, one record per line,
// each begun by a fixed key. Written in this order:
//
//   header               "Save Date and Time ..." (the loader checks only that it starts so)
//   CH...                one per used channel, ascending
//   BK0000..BK0004       bank sizes, only while they add up to 1000; the single line
//    or ALLBANKnn        "ALLBANK" + bank instead when that bank holds all 1000 memories
//   ONETOUCH_BANK/_CHDA  one-touch keys, only while the bank sizes add up to 1000
//   NUM_DTMF...          one per non-empty DTMF memory
//   SET_DTMF, TITLE
//   SLIDE0/SLIDE1        the title's scroll choice
//   GRD00..GRD10, GRI, SD01..SD11
//   SD12                 the channel display mode (`Set_Mode_Ch_Mode`)
//   FONT0..FONT7         the user glyphs (64 hex digits each)
//   LINK00..LINK10       the bank-link groups (16 hex digits each)
//   COMPORT..            the serial port, read back only from "com.ini"
//   File End
//
// The loader refuses a file without the header or the end line, and otherwise dispatches on the
// first two characters of a line and ignores lines it does not know, so files without the SLIDE,
// SD12, FONT and LINK lines (older saves) still load, and older programs skip those lines. They
// keep what a read from the radio brought in and an older file would lose on the way back to the
// radio.
#ifndef TQM5_FILES_PROJECT_FILE_H_
#define TQM5_FILES_PROJECT_FILE_H_

#include <string>
#include <string_view>
#include <vector>

#include "image/outcome.h"
#include "model/memory_image.h"

namespace tqm5 {

// `BuildChannelLine`: the line of channel c + 1 (c = 0..1622): "CH", c in 4 digits, the
// 36-character fixed part (frequency, mode, step, carrier, tone mode, tones, DCS, shift, offset,
// skip), then the name as the grid shows it. The frequency and offset fields hold the value
// their texts mean, whatever the number of decimals ("145MHz" is written 0145.00000). A text that
// is not a frequency, or one its field cannot hold (below 10 Hz or from 10000 MHz; an offset
// below 1 kHz or from 1000 MHz), gives "" and `error` names the channel and the text.
std::string BuildChannelLine(const MemoryImage& image, int c, std::string* error = nullptr);

// Every line of the project file of `image`, in the written order, `header` first; no lines at
// all, with `error` set, when a channel line cannot be built.
std::vector<std::string> ProjectLines(const MemoryImage& image, const std::string& header,
                                      std::string* error = nullptr);

// `SaveProject`: writes the project file of `image` to `path`, replacing it, with the current
// date and time in the header. A channel whose frequency cannot be written as it is refuses the
// save (see `BuildChannelLine`) and nothing is written. The write is atomic: on failure the old
// file stays whole, the result is false and `error` says why. Shows no message.
bool SaveProject(const MemoryImage& image, const std::string& path, std::string& error);

// The save command after its dialog: "Save File" titled "Finish", or on failure "Error" titled
// " Error" with the critical icon and the reason in `detail`.
Outcome SaveProjectCommand(const MemoryImage& image, const std::string& path);

// `LoadProject` after its open dialog. A path not ending in ".M5" (any case) gives "This File
// don't Open" titled "Error" and changes nothing; an unreadable file changes nothing and gives a
// silent outcome. Otherwise see `LoadProjectLines`.
Outcome LoadProject(MemoryImage& image, const std::string& path);

// The load proper, on the lines of a file. A file that does not start with the "Save Date and
// Time" header or does not end with "File End" (empty lines may follow) is not a whole project
// file: "This File don't Open" titled "Error", `detail` says what is missing, nothing changes.
// Otherwise channels 1..1603 but the call channels are cleared, every line after the header is
// applied by its key, the row labels are rebuilt and "Read File" titled "Finish" is returned.
// The load is all or nothing: a line that cannot be loaded (a channel line whose fixed fields are
// not digits with the two decimal points in place, a channel number above 1623, a carrier, tone
// or DCS index beyond its list, a bank line above 4, a group above 10, a DTMF memory outside
// 1..9, a list position beyond its list) leaves the image exactly as it was, and the silent
// outcome's detail names the line ("line 12: DCS index 104 is out of range"). Lines of unknown
// keys, and lines of other keys with the wrong length, are ignored.
Outcome LoadProjectLines(MemoryImage& image, const std::vector<std::string>& lines);

// `ParseChannelLine`: applies one "CH" line to the channel it names. The line must hold at least
// the 38 characters of the fixed fields: digits at positions 3-10, 12-33 and 35-38, "." at 11 and
// 34 (positions count characters). Columns 1..11 are set in column order; a name of more than 32
// CP932 bytes leaves the name as it was and the channel unmarked, any other line marks the channel
// used. Returns false with `error` (without the line number) for a line of another shape, which
// changes nothing, or at an index beyond its list, with the columns before it already set.
bool ParseChannelLine(MemoryImage& image, std::string_view line, std::string& error);

}  // namespace tqm5

#endif  // TQM5_FILES_PROJECT_FILE_H_
