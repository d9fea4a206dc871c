// The line layouts the project writer and loader share, and the loader's work on the lines of
// one file. Only the project file's own sources include this.
#ifndef TQM5_FILES_PROJECT_PARSERS_H_
#define TQM5_FILES_PROJECT_PARSERS_H_

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_problem.h"
#include "model/memory_image.h"

namespace tqm5 {

inline constexpr int kChannelFixedLength = 38;  // "CH" .. skip flag; the name follows
inline constexpr int kBankLineCount = 5;        // "BK0000" .. "BK0004"
inline constexpr int kBanksPerLine = 10;
inline constexpr int kOneTouchNoSetting = 255;  // one-touch bank entry of a "No Setting" key

inline constexpr std::string_view kOneTouchBankKey = "ONETOUCH_BANK";
inline constexpr std::string_view kOneTouchChannelKey = "ONETOUCH_CHDA";
// The whole-bank layout (one bank holding all 1000 memories), written instead of the "BK" lines.
inline constexpr std::string_view kAllBankKey = "ALLBANK";
inline constexpr std::string_view kFontKey = "FONT";  // + glyph 0..7 + 64 hex digits
inline constexpr std::string_view kLinkKey = "LINK";  // + group 00..10 + 16 hex digits
// The opening title's scroll choice: "SLIDE" + 0 or 1.
inline constexpr std::string_view kSlideKey = "SLIDE";
// `Set_Mode_Ch_Mode` as a twelfth set-mode record, "SD12" + 3 digits: the loaders that know
// only eleven records skip a record number they do not know.
inline constexpr int kChModeRecord = 12;

// What one load has gathered from the lines applied so far.
struct ProjectLoadState {
  // Every line not taken exactly as it stands, in the order of the lines.
  std::vector<FileProblem> problems;
  // The key of every record a line gave ("BK0002", "TITLE", "SD03") and its line, channels aside.
  std::map<std::string, int> line_of_key;
  // The line of each channel's "CH" line, by channel number (0: none yet). Apart from the other
  // keys because a file holds up to 1623 of them; sized on the first channel line.
  std::vector<int> line_of_channel;
  // The one-touch lines, applied after the last line: their entries name banks, so they must
  // meet the bank sizes of the whole file whatever the order of the lines.
  std::map<std::string, std::pair<int, std::u32string>> one_touch_lines;
  // The digest of the radio snapshot the file names ("SNAPSHOT" line), empty when none.
  std::string snapshot_digest;
};

// What the parsers share. Positions count characters from 1, so that Japanese characters in a
// name or the title do not shift the fields.
namespace project_line {

using Line = std::u32string_view;

inline constexpr std::string_view kNotLoaded = "; not loaded";

// The characters from `position` on, at most `width` of them, as far as the line reaches.
Line Slice(Line line, size_t position, size_t width = Line::npos);
std::string TextAt(Line line, size_t position, size_t width = Line::npos);
// The decimal number of the `width` characters at `position`, when all of them are there and
// are digits.
std::optional<int> DigitsAt(Line line, size_t position, size_t width);
// A field whose shape the caller has checked: its digits' value.
int NumberAt(Line line, size_t position, size_t width);
// True when the line is exactly `length` characters and those from `position` on are digits.
bool DigitsTo(Line line, size_t position, size_t length);
bool StartsWith(Line line, std::string_view key);
// A character of a line as a message shows it: printable characters in quotes, control
// characters by their code.
std::string Shown(char32_t c);
std::string Quote(const std::string& text);
// The range of a list of `count` entries: "(0..28)".
std::string ListRange(int count);

// One line being applied: the image, the line and its number, and where its problems go.
struct LineLoad {
  MemoryImage& image;
  Line line;
  int number;
  ProjectLoadState& state;

  void Report(std::string column, std::string value, std::string what, int channel = 0,
              bool emptied = false) const;
  // Notes that this line gives the record `key`; a record given twice is reported on the later
  // line, which counts (`whose` names the record for the user).
  void Key(const std::string& key, const std::string& whose, int channel = 0) const;
  // The same for the line of channel `channel` (1..1623).
  void ChannelKey(int channel) const;

 private:
  // Reports this line as the second for a record first given on line `first_line`, which this
  // line then replaces.
  void Repeated(int& first_line, const std::string& whose, int channel) const;
};

// `ParseChannelLine` of a load: a "CH" line.
void ParseChannel(const LineLoad& l);

}  // namespace project_line

// Applies line `number` of a file (the header, line 1, is not applied), dispatched on its key.
// A line that cannot be taken exactly is reported in `state` with what was taken instead: a
// field the radio cannot hold gets the nearest value it can (a name cut to 16 characters, an
// unknown code its list's default), a channel whose frequency or offset is out of range is
// emptied, a malformed line is not loaded, and an unknown line is ignored.
void ApplyProjectLine(MemoryImage& image, int number, std::u32string_view line,
                      ProjectLoadState& state);

// After the last line: applies the one-touch lines, reports the sections the writer always
// writes but a file from an older program may lack (SLIDE, SD12, FONT, LINK), and puts the
// problems in the order of the lines.
void FinishProjectLoad(MemoryImage& image, ProjectLoadState& state);

// What keeps the lines after the header from being a whole project, "" when nothing does: the
// lines the writer always writes and the file lacks ("incomplete project file: no line for
// SD01..SD11, BK0000..BK0004, TITLE"; an ALLBANK line stands for the BK lines). A line counts by
// its key as the parsers read it, whether or not the rest of it loads. It reads only the lines,
// so that the loader refuses such a file before it changes anything.
std::string MissingRequiredLines(const std::vector<std::string>& lines);

}  // namespace tqm5

#endif  // TQM5_FILES_PROJECT_PARSERS_H_
