// Text files as the project, CSV and font files are kept: 8-bit CP932 text, one record per line,
// lines ended by CR LF. In the program the lines are UTF-8.
#ifndef TQM5_FILES_TEXT_FILE_H_
#define TQM5_FILES_TEXT_FILE_H_

#include <string>
#include <string_view>
#include <vector>

namespace tqm5 {

// How a file's bytes were read.
enum class TextEncoding { kCp932, kUtf8 };

// The encoding of a file's bytes, decided once for the whole file. A UTF-8 byte-order mark, or
// bytes that are all valid UTF-8 and hold at least one sequence of three or more bytes, mean
// UTF-8 (an editor or spreadsheet saved it so: Japanese text in UTF-8 takes three bytes a
// character). Anything else is CP932: there, pairs of half-width kana are often valid two-byte
// UTF-8 ("ﾃｱ" is C3 B1), so valid UTF-8 of two-byte sequences alone proves nothing.
TextEncoding DetectTextEncoding(std::string_view bytes);

// Reads the whole file at `path` into `bytes`. A folder, a pipe, a device or anything else that
// is not a regular file is refused, and so is a file above 16 MB, far larger than any project,
// CSV or font file, unread. On failure returns false and `error` says why in plain words.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);

// A CP932 or UTF-8 file's bytes (see `DetectTextEncoding`; a byte-order mark is dropped) as UTF-8
// lines. Bytes that begin with a byte-order mark but hold bytes that are not UTF-8 are refused,
// the error naming the file as `name` and the line of the first such byte. A line ends at CR LF,
// and also at a lone LF or CR, so that files a spreadsheet or another system saved still read
// line by line. On failure returns false and `error` says why in plain words.
bool TextLinesFromBytes(std::string_view bytes, const std::string& name,
                        std::vector<std::string>& lines, std::string& error,
                        TextEncoding* encoding = nullptr);

// `ReadFileBytes`, then `TextLinesFromBytes` with the path as the file's name.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, std::string& error,
                   TextEncoding* encoding = nullptr);

// Writes the lines as CP932, each ended by CR LF, through `ReplaceFile`: an old file stays whole
// when the save fails, a symbolic link stays a link and a file keeps its permission bits. On
// failure returns false and `error` says why.
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    std::string& error);

// The first line of project and font files: "Save Date and Time " + date + " " + time, in the
// short forms "2026/12/05" and "18:45:22" of the current local time.
std::string SaveDateTimeLine();

// True when the last characters of `path`, in upper case, are `ending` ("CSV", ".M5", "FM5").
bool PathEndsWith(std::string_view path, std::string_view ending);

// The extension a file dialog's filter stands for: "M5" for "TQ-M5 Files (*.M5)". Empty for a
// filter that takes every file ("All Files (*)", "(*.*)") or that names no single extension.
std::string FilterExtension(std::string_view filter);

// `path` with "." and `extension` added when its file name has no extension at all, so that a
// file saved as "my-radio" is "my-radio.M5" and opens again. A name with an extension
// ("my.radio") and an empty `extension` leave the path as it is.
std::string WithExtension(std::string_view path, std::string_view extension);

}  // namespace tqm5

#endif  // TQM5_FILES_TEXT_FILE_H_
