// The channel table as a CSV file, for editing in a spreadsheet: "File(&F)" > "Export...(&E)"
// writes every grid row, "Import...(&I)" reads channels 1..1603 back and checks them.
//
// File form: CP932 text, lines ended by CR LF, every field in double quotes (a quote inside a
// field doubled), fields separated by ",". Line 1 is the caption row (the empty label caption,
// "Freqency" .. "Name", then "0"); lines 2..1624 are channels 1..1623: the row label, the twelve
// column texts and the channel number. The frequency is written without its "MHz".
#ifndef TQM5_FILES_CSV_FILE_H_
#define TQM5_FILES_CSV_FILE_H_

#include <string>
#include <string_view>
#include <vector>

#include "files/file_problem.h"
#include "image/outcome.h"
#include "model/channel.h"
#include "model/memory_image.h"

namespace tqm5 {

inline constexpr int kCsvLineCount = kChannelCount + 1;  // caption line and 1623 channels
inline constexpr int kLastCsvImportChannel = 1603;       // bug-detector channels are not read

// The exported lines: the caption line, then channels 1..1623, empty ones included.
std::vector<std::string> CsvLines(const MemoryImage& image);
// The exported line of channel `number` (1..1623), as `CsvLines` writes it.
std::string CsvChannelLine(const MemoryImage& image, int number);

// Writes `CsvLines` to `path` (replacing it as a whole). Ends with "Save File" titled "Finish";
// a failed write ends with "Error" titled " Error", critical, the reason in `detail`.
Outcome ExportCsv(const MemoryImage& image, const std::string& path);

// One row the import emptied, or one line it skipped or refused, for the user to see.
using CsvImportProblem = FileProblem;

// Reads channels 1..1603 from the CSV file at `path` into the image, checks every used channel
// and empties those that fail. Ends with "Import CSV File" titled " Finish".
// - Fields are read the CSV way (a quoted field may hold "," and doubled quotes); a file saved
//   as UTF-8 is read as UTF-8.
// - Each line goes to the channel named by its last field (leading zeros allowed: "00002" is
//   2). Lines are expected in ascending order: a blank line is skipped; a line whose field count
//   is not 14, whose last field is no channel number 1..1623, or whose number is repeated or out
//   of order is refused and its channel keeps what it held, as does a channel without a line.
//   Lines of the bug-detector channels 1604..1623 are not read; one whose texts differ from what
//   its channel holds (numbers compared by value) is reported.
// - A frequency or offset may end in "MHz" as the grid shows it; one with fewer decimals is
//   completed ("145" gives "145.00000MHz", "0.6" gives "0.600MHz"); one out of range
//   (0.53099..1299.99999 MHz, offset up to 999.995 MHz), with more decimals or other characters,
//   and a name wider than 16 bytes, empty the channel.
// - A path not ending in "CSV" is not read, but the check and the emptying still run on the
//   image as it is, and the message is shown.
// - A first line that is not the caption line: "CSV File Error" titled " Error"; the image is
//   unchanged.
// - A file that cannot be read, or that ends before channel 1603, ends the import without a
//   message (`detail` says where): the rows read so far keep their new texts, nothing is
//   checked or emptied.
// Every emptied channel and every skipped or refused line goes to `problems` when given, in
// the order of the file's lines.
Outcome ImportCsv(MemoryImage& image, const std::string& path,
                  std::vector<CsvImportProblem>* problems = nullptr);

// The per-cell rules of an imported channel, shared by every path that takes channels from text
// (this file, the channel exchange file, pasted rows).

// The fields of one CSV line: a quoted field may hold "," and a doubled quote; a lone quote inside
// a quoted field is kept.
std::vector<std::string> SplitCsvFields(std::string_view line);
// The same for fields between any `separator` (a tab for rows pasted from a spreadsheet).
std::vector<std::string> SplitFields(std::string_view line, char separator);
// Appends `field` as a spreadsheet expects it: quoted, with quotes doubled, when it holds the
// separator, a quote or a line break.
void AppendField(std::string& line, std::string_view field, char separator);

// The frequency field of a grid text: the text without its last three characters ("MHz"); a text
// of three characters or fewer as it is.
std::string CsvFrequencyField(std::string_view frequency);

// Why a megahertz text (optionally ending in "MHz") is not a value of at most `decimals` decimals
// within `low`..`high` hertz, `range` naming the range in the message; "" when it is one, and
// then `hertz` holds its value.
std::string MegahertzFieldFault(std::string_view text, int decimals, int64_t low, int64_t high,
                                std::string_view range, int64_t& hertz);

// Index of the DCS code with the text's whole-number value ("23", "023"), or -1.
int DcsIndexOfText(std::string_view text);

// The name check: a name wider than the radio's 16 bytes (once the characters it cannot show are
// left out) is a problem that empties; a name that loses characters the radio cannot show is
// kept without them, and returned as a problem that does not empty. No problem: empty `column`.
CsvImportProblem CheckChannelName(std::string& name);

// Reads the twelve column texts `fields[1..12]` (`fields[0]`, the label, is not used) into
// `channel` as a used channel, column by column. At the first column that fails, returns its
// caption, its text and why; otherwise returns the name's problem, or one with an empty column.
// The frequency and offset may have fewer decimals ("145", "0.6") and end in "MHz"; an empty
// offset is no shift width.
CsvImportProblem ReadChannelFields(Channel& channel, const std::vector<std::string>& fields);

// `ReadChannelFields` for a line of the file: the frequency must first have the file's shape (1
// to 4 digits, optionally "." and 1 to 5 decimals, optionally "MHz"). `fields[kColFreq]` is not
// empty.
CsvImportProblem ReadChannelLine(Channel& channel, const std::vector<std::string>& fields);

// The import of a CSV file's bytes, as `ImportCsv` reads them from a file with a CSV name; `name`
// names the file in messages.
Outcome ImportCsvBytes(MemoryImage& image, std::string_view bytes, const std::string& name,
                       std::vector<CsvImportProblem>* problems = nullptr);

}  // namespace tqm5

#endif  // TQM5_FILES_CSV_FILE_H_
