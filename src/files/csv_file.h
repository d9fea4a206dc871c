// The channel table as a CSV file, for editing in a spreadsheet: "File(&F)" > "Export...(&E)"
// writes every grid row, "Import...(&I)" reads channels 1..1603 back and checks them.
//
// File form: CP932 text, lines ended by CR LF, every field in double quotes, fields separated
// by ",", quotes inside a field not escaped. Line 1 is the caption row (the empty label caption,
// "Freqency" .. "Name", then "0"); lines 2..1624 are channels 1..1623: the row label, the twelve
// column texts and the channel number. The frequency is written without its "MHz".
#ifndef TQM5_FILES_CSV_FILE_H_
#define TQM5_FILES_CSV_FILE_H_

#include <string>
#include <vector>

#include "image/memory_image.h"
#include "image/outcome.h"

namespace tqm5 {

inline constexpr int kCsvLineCount = kChannelCount + 1;  // caption line and 1623 channels
inline constexpr int kLastCsvImportChannel = 1603;       // bug-detector channels are not read

// The exported lines: the caption line, then channels 1..1623, empty ones included.
std::vector<std::string> CsvLines(const MemoryImage& image);

// Writes `CsvLines` to `path` (replacing it as a whole). Ends with "Save File" titled "Finish";
// a failed write ends with "Error" titled " Error", critical, the reason in `detail`.
Outcome ExportCsv(const MemoryImage& image, const std::string& path);

// Reads channels 1..1603 from the CSV file at `path` into the image, checks every used channel
// and empties those that fail. Ends with "Import CSV File" titled " Finish".
// - A path not ending in "CSV" is not read, but the check and the emptying still run on the
//   image as it is, and the message is shown.
// - A first line that is not the caption line: "CSV File Error" titled " Error"; the image is
//   unchanged.
// - A file that cannot be read, or that ends before row 1603, ends the import without a
//   message (`detail` says where): the rows read so far keep their new texts, nothing is
//   checked or emptied.
struct CsvImportProblem {
  int line = 0;
  int channel = 0;
  std::string column;
  std::string value;
  std::string what;
  bool emptied = false;
};
Outcome ImportCsv(MemoryImage& image, const std::string& path,
                  std::vector<CsvImportProblem>* problems = nullptr);

}  // namespace tqm5

#endif  // TQM5_FILES_CSV_FILE_H_
