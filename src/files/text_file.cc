#include "files/text_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "textdata/cp932.h"

namespace tqm5 {
namespace {

std::string ErrnoText(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = ErrnoText("cannot open", path);
    return false;
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = ErrnoText("cannot read", path);
    return false;
  }
  lines.clear();
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    lines.push_back(Cp932ToUtf8(std::string_view(bytes).substr(start, i - start)));
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(Cp932ToUtf8(std::string_view(bytes).substr(start)));
  return true;
}

bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    std::string& error) {
  namespace fs = std::filesystem;
  std::string text;
  for (const std::string& line : lines) {
    text += Utf8ToCp932(line);
    text += "\r\n";
  }
  fs::path target(path);
  std::random_device random;
  fs::path temporary = target;
  temporary += ".tmp" + std::to_string(random() % 1000000);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = ErrnoText("cannot write", path);
      return false;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      error = ErrnoText("cannot write", path);
      out.close();
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temporary, target, ec);
  if (ec) {
    error = "cannot write " + path + ": " + ec.message();
    fs::remove(temporary, ec);
    return false;
  }
  return true;
}

std::string SaveDateTimeLine() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  std::strftime(text, sizeof(text), "Save Date and Time %Y/%m/%d %H:%M:%S", &local);
  return text;
}

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

}  // namespace tqm5
