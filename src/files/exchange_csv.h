// The channel list that hobbyist radio programs exchange: a CSV file whose header row names the
// columns "Location", "Name", "Frequency", "Duplex", "Offset", "Tone", "rToneFreq", "cToneFreq",
// "DtcsCode", "DtcsPolarity", "Mode", "TStep", "Skip", "Comment" (other columns, such as
// "RxDtcsCode", "CrossMode", "Power" or digital-voice ones, are not read). Frequencies are in MHz
// with up to six decimals, tones in Hz without a unit ("88.5"), the step in kHz ("12.50").
//
// The export writes the used memories 1..1000, UTF-8 without a byte-order mark, lines ended by CR
// LF. This radio's carrier, the tone modes "Train" and "SQ" the list has no name for, and the
// transmit tone of a TSQ channel that sends another tone than it receives, go to the Comment as
// "carrier=ＪＲ", "tone=Train" and "tx-tone=100.0"; the import reads them back from there.
//
// The import puts the rows into consecutive memories. A row holding a value this radio cannot
// keep exactly is not imported: it is reported, with every such value, and its memory keeps what
// it held. Nothing is cut or rounded. A tone or DCS code the row's tone mode does not use, and
// this radio lacks, is reported with the value the channel holds instead.
#ifndef TQM5_FILES_EXCHANGE_CSV_H_
#define TQM5_FILES_EXCHANGE_CSV_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_problem.h"
#include "image/outcome.h"
#include "model/memory_image.h"

namespace tqm5 {

inline constexpr std::array<std::string_view, 14> kExchangeColumns = {
    "Location",  "Name",     "Frequency",    "Duplex", "Offset", "Tone", "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "Mode",   "TStep",  "Skip", "Comment"};

// The file's text: the header row, then one row per used memory, each line ended by CR LF.
std::string ExchangeCsvText(const MemoryImage& image);

// Writes `ExchangeCsvText` to `path`, replacing it as a whole. Ends with "Save File" titled
// "Finish"; a failed write with "Error" titled " Error", the reason in `detail`.
Outcome ExportExchangeCsv(const MemoryImage& image, const std::string& path);

// The memory the import starts at by default: the first unused memory 1..1000, or 0 when every
// memory is used.
int FirstEmptyMemory(const MemoryImage& image);

// Imports the rows of a channel list into memories `start`, `start` + 1, ... (row k of the file
// to memory `start` + k - 1, whether or not an earlier row was refused); `start` 0 means
// `FirstEmptyMemory`. Rows beyond memory 1000 are refused. Reported in `problems` (line and
// channel set): every value a row's memory cannot hold (the row is then not imported), every
// memory whose earlier contents a row replaced, and the first row that goes on into another bank
// than the row before it (it is imported). A first line without a "Frequency" column, a `start`
// outside 1..1000 and an image without an empty memory are refused, the image unchanged. Ends
// with "Import Channel List" titled " Finish"; `detail` says which rows went where.
Outcome ImportExchangeCsvBytes(MemoryImage& image, std::string_view bytes, const std::string& name,
                               int start, std::vector<FileProblem>* problems = nullptr);
Outcome ImportExchangeCsv(MemoryImage& image, const std::string& path, int start,
                          std::vector<FileProblem>* problems = nullptr);

}  // namespace tqm5

#endif  // TQM5_FILES_EXCHANGE_CSV_H_
