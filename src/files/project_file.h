// The project file (".M5"): the whole edit state kept as CP932 text lines, one record per line,
// each begun by a fixed key. Written in this order:
//
//   header               "Save Date and Time ..." (the loader checks only that it starts so)
//   CH...                one per used channel, ascending
//   BK0000..BK0004       bank sizes, whatever their total; the single line
//    or ALLBANKnn        "ALLBANK" + bank instead when that bank holds all 1000 memories
//   ONETOUCH_BANK/_CHDA  one-touch keys
//   NUM_DTMF...          one per non-empty DTMF memory
//   SET_DTMF, TITLE
//   SLIDE0/SLIDE1        the title's scroll choice
//   GRD00..GRD10, GRI, SD01..SD11
//   SD12                 the channel display mode (`Set_Mode_Ch_Mode`)
//   FONT0..FONT7         the user glyphs (64 hex digits each)
//   LINK00..LINK10       the bank-link groups (16 hex digits each)
//   SNAPSHOT..           the radio snapshot the image was last read from or written to (see
//                        files/snapshot_store.h), when one is known
//   COMPORT..            the serial port, read back only from "com.ini"
//   File End
//
// The loader refuses a file without the header or the end line, and a file that lacks a line
// the writer always writes (SD01..SD11, the bank and one-touch lines, SET_DTMF, TITLE): applied,
// such a file would send the radio start-up values in place of the missing ones. Files without
// the SLIDE, SD12, FONT and LINK lines (older saves) still load, each missing line reported, and
// older programs skip those lines; they keep what a read from the radio brought in and an older
// file would lose on the way back to the radio.
//
// Every line the loader cannot take exactly as it stands is reported (`FileProblem`), so that
// nothing the file says is changed without a word on its way to the radio.
#ifndef TQM5_FILES_PROJECT_FILE_H_
#define TQM5_FILES_PROJECT_FILE_H_

#include <string>
#include <string_view>
#include <vector>

#include "files/file_problem.h"
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
// all, with `error` set, when a channel line cannot be built. A `snapshot_digest` gives the
// "SNAPSHOT" line.
std::vector<std::string> ProjectLines(const MemoryImage& image, const std::string& header,
                                      std::string* error = nullptr,
                                      std::string_view snapshot_digest = {});

// `SaveProject`: writes the project file of `image` to `path`, replacing it, with the current
// date and time in the header. A channel whose frequency cannot be written as it is refuses the
// save (see `BuildChannelLine`) and nothing is written. The write is atomic: on failure the old
// file stays whole, the result is false and `error` says why. Shows no message.
bool SaveProject(const MemoryImage& image, const std::string& path, std::string& error,
                 std::string_view snapshot_digest = {});

// The save command after its dialog: "Save File" titled "Finish", or on failure "Error" titled
// " Error" with the critical icon and the reason in `detail`.
Outcome SaveProjectCommand(const MemoryImage& image, const std::string& path,
                           std::string_view snapshot_digest = {});

// `LoadProject` after its open dialog. A path not ending in ".M5" (any case) gives "This File
// don't Open" titled "Error" and changes nothing; an unreadable file changes nothing and gives a
// silent outcome. Otherwise see `LoadProjectBytes`.
// `snapshot_digest`, when given, receives the digest of the radio snapshot the file names ("" for
// none).
Outcome LoadProject(MemoryImage& image, const std::string& path,
                    std::vector<FileProblem>* problems = nullptr,
                    std::string* snapshot_digest = nullptr);

// The load of a project file's bytes, `name` naming the file in messages: bytes that cannot be
// read as text (see `TextLinesFromBytes`) change nothing and give a silent outcome, `detail`
// saying why. Otherwise see `LoadProjectLines`.
Outcome LoadProjectBytes(MemoryImage& image, std::string_view bytes, const std::string& name,
                         std::vector<FileProblem>* problems = nullptr,
                         std::string* snapshot_digest = nullptr);

// The load proper, on the lines of a file. A file that does not start with the "Save Date and
// Time" header, does not end with "File End" (empty lines may follow), or lacks a line the
// writer always writes, is not a whole project file: "This File don't Open" titled "Error",
// `detail` says what is missing, nothing changes. Otherwise channels 1..1603 but the call
// channels are cleared and the DTMF memories emptied (the writer writes every one that holds
// something), every line after the header is applied by its key, the row labels are rebuilt
// for the loaded bank sizes whatever their total, and "Read File" titled "Finish" is returned.
// Each line that could not be taken exactly as it stands goes to `problems` with what was taken
// instead (see `ApplyProjectLine`); the image then differs from the file there, and nothing
// may send it to the radio before the user has seen that and agreed.
Outcome LoadProjectLines(MemoryImage& image, const std::vector<std::string>& lines,
                         std::vector<FileProblem>* problems = nullptr,
                         std::string* snapshot_digest = nullptr);

// `ParseChannelLine`: applies one "CH" line to the channel it names, as a load does; the
// line's problems (without a line number) go to `problems`.
void ParseChannelLine(MemoryImage& image, std::string_view line,
                      std::vector<FileProblem>& problems);

}  // namespace tqm5

#endif  // TQM5_FILES_PROJECT_FILE_H_
