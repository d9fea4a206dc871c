#include "files/text_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "files/file_ops.h"
#include "image/hex.h"
#include "textdata/cp932.h"

namespace tqm5 {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A full project file is about 100 KB, a CSV file about 150 KB, a font file 2 KB. A file far
// larger is not one of them and is refused before it is read whole.
constexpr std::uintmax_t kMaxTextFileBytes = 16 << 20;

std::string ErrnoText(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

// Length of the well-formed UTF-8 sequence at the start of `bytes` (2 to 4), or 0 when there is
// none: a stray continuation byte, an overlong form, a surrogate or a code above U+10FFFF.
size_t Utf8SequenceLength(std::string_view bytes) {
  auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  unsigned char lead = at(0);
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || bytes.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((at(i) & 0xC0) != 0x80) return 0;
  }
  if (lead == 0xE0 && at(1) < 0xA0) return 0;   // overlong
  if (lead == 0xED && at(1) >= 0xA0) return 0;  // surrogate
  if (lead == 0xF0 && at(1) < 0x90) return 0;   // overlong
  if (lead == 0xF4 && at(1) >= 0x90) return 0;  // above U+10FFFF
  return length;
}

// Offset of the first byte of `bytes` that is not part of well-formed UTF-8, or npos when there
// is none. `long_sequence` tells whether a sequence of three or four bytes was seen.
size_t FirstNonUtf8Byte(std::string_view bytes, bool& long_sequence) {
  long_sequence = false;
  for (size_t i = 0; i < bytes.size();) {
    i += AsciiRunLength(bytes.substr(i));  // most of a file is ASCII
    if (i == bytes.size()) break;
    size_t length = Utf8SequenceLength(bytes.substr(i));
    if (length == 0) return i;
    long_sequence = long_sequence || length >= 3;
    i += length;
  }
  return std::string_view::npos;
}

// Line of the byte at `offset` (1 = the first), with lines ended as `TextLinesFromBytes` ends them.
size_t LineOfOffset(std::string_view text, size_t offset) {
  size_t line = 1;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++line;
    }
  }
  return line;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return TextEncoding::kUtf8;
  bool long_sequence = false;
  bool valid = FirstNonUtf8Byte(bytes, long_sequence) == std::string_view::npos;
  return valid && long_sequence ? TextEncoding::kUtf8 : TextEncoding::kCp932;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error) {
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (std::filesystem::is_directory(status)) {
    error = path + " is a folder, not a file";
    return false;
  }
  // A pipe or a device would block the read or never end; files are regular files.
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    error = path + " is not a regular file";
    return false;
  }
  std::uintmax_t size =
      std::filesystem::is_regular_file(status) ? std::filesystem::file_size(path, ec) : 0;
  if (!ec && size > kMaxTextFileBytes) {
    error = path + " is " + std::to_string((size + (1 << 20) - 1) >> 20) +
            " MB, far larger than any project, CSV or font file (at most " +
            std::to_string(kMaxTextFileBytes >> 20) + " MB are read)";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = ErrnoText("cannot open", path);
    return false;
  }
  bytes.clear();
  // The stream reports a failed read through its state, never by throwing.
  char buffer[1 << 16];
  while (in.read(buffer, sizeof(buffer)) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<size_t>(in.gcount()));
    if (in.eof()) break;
  }
  if (in.bad()) {
    error = ErrnoText("cannot read", path);
    return false;
  }
  return true;
}

bool TextLinesFromBytes(std::string_view bytes, const std::string& name,
                        std::vector<std::string>& lines, std::string& error,
                        TextEncoding* encoding) {
  TextEncoding found = DetectTextEncoding(bytes);
  if (encoding != nullptr) *encoding = found;
  std::string_view text(bytes);
  if (text.starts_with(kUtf8Bom)) {
    // The mark promises UTF-8; reading broken bytes as something else would garble the file.
    text.remove_prefix(kUtf8Bom.size());
    bool long_sequence = false;
    size_t bad = FirstNonUtf8Byte(text, long_sequence);
    if (bad != std::string_view::npos) {
      error = name + " line " + std::to_string(LineOfOffset(text, bad)) + ": byte 0x" +
              HexPad(static_cast<unsigned char>(text[bad]), 2) +
              " is not UTF-8, though the file begins with a UTF-8 byte-order mark; save it again "
              "as UTF-8 or Shift-JIS";
      return false;
    }
  }
  auto decode = [found](std::string_view line) {
    return found == TextEncoding::kUtf8 ? std::string(line) : Cp932ToUtf8(line);
  };
  // One allocation for the list: there is at most a line per CR or LF, and one after the last.
  lines.clear();
  lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n') +
                                    std::count(text.begin(), text.end(), '\r')) +
                1);
  auto line_end = [](char c) { return c == '\r' || c == '\n'; };
  auto start = text.begin();
  for (auto end = std::find_if(start, text.end(), line_end); end != text.end();
       end = std::find_if(start, text.end(), line_end)) {
    lines.push_back(decode(std::string_view(start, end)));
    if (*end == '\r' && end + 1 != text.end() && end[1] == '\n') ++end;
    start = end + 1;
  }
  if (start != text.end()) lines.push_back(decode(std::string_view(start, text.end())));
  return true;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, std::string& error,
                   TextEncoding* encoding) {
  std::string bytes;
  return ReadFileBytes(path, bytes, error) &&
         TextLinesFromBytes(bytes, path, lines, error, encoding);
}

bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    std::string& error) {
  std::string text;
  for (const std::string& line : lines) {
    text += Utf8ToCp932(line);
    text += "\r\n";
  }
  return ReplaceFile(path, text, error);
}

std::string SaveDateTimeLine() { return LocalTimeText("Save Date and Time %Y/%m/%d %H:%M:%S"); }

bool PathEndsWith(std::string_view path, std::string_view ending) {
  if (path.size() < ending.size()) return false;
  std::string_view tail = path.substr(path.size() - ending.size());
  for (size_t i = 0; i < ending.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(tail[i])) !=
        std::toupper(static_cast<unsigned char>(ending[i]))) {
      return false;
    }
  }
  return true;
}

std::string FilterExtension(std::string_view filter) {
  const size_t open = filter.rfind('(');
  const size_t close = filter.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) return "";
  std::string_view pattern = filter.substr(open + 1, close - open - 1);
  if (!pattern.starts_with("*.") || pattern.size() == 2) return "";
  std::string_view extension = pattern.substr(2);
  // "*.*" takes every file; "*.a *.b" names more than one.
  if (extension.find_first_of("*? ") != std::string_view::npos) return "";
  return std::string(extension);
}

std::string WithExtension(std::string_view path, std::string_view extension) {
  std::string result(path);
  const size_t slash = path.find_last_of("/\\");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  // A leading dot makes a hidden name, not an extension.
  if (extension.empty() || name.empty() || name.find('.', 1) != std::string_view::npos) {
    return result;
  }
  return result + "." + std::string(extension);
}

}  // namespace tqm5
