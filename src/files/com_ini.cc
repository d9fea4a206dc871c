#include "files/com_ini.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "files/project_file.h"
#include "files/text_file.h"
#include "image/hex.h"
#include "textdata/cp932.h"

namespace tqm5 {
namespace {

// The line after "File End" that keeps a port chosen by its device path.
constexpr std::string_view kDeviceKey = "PORTDEVICE ";

// The per-user configuration folder. A relative $XDG_CONFIG_HOME is not a valid setting and is
// ignored, as is an empty one.
std::filesystem::path ConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && *xdg != '\0' && std::filesystem::path(xdg).is_absolute()) return xdg;
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') return {};
  return std::filesystem::path(home) / ".config";
}

}  // namespace

std::string GetComIniPath() {
  std::filesystem::path config = ConfigFolder();
  if (config.empty()) return "";
  std::filesystem::path folder = config / "TQ-M5";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!std::filesystem::is_directory(folder, ec)) return "";
  return (folder / "com.ini").string();
}

PortMenuState LoadComPort(const std::string& path) {
  std::vector<std::string> lines;
  std::string error;
  PortMenuState state;  // port 1, nothing checked
  if (!ReadTextLines(path, lines, error)) return state;
  for (const std::string& line : lines) {
    if (line.starts_with(kDeviceKey) && line.size() > kDeviceKey.size()) {
      state.device = line.substr(kDeviceKey.size());
    }
  }
  for (const std::string& line : lines) {
    if (line.rfind("CO", 0) != 0) continue;
    std::u32string chars = Utf8ToU32(line);
    int port = 0;
    if (chars.size() == 9) {
      std::string digits;
      for (char32_t c : chars.substr(7)) digits += c < 0x80 ? static_cast<char>(c) : '?';
      // Their numeric prefix, as numbers in texts are read: "7x" is 7, "x7" is 0. Only the
      // whole part counts: a port has no fraction.
      port = static_cast<int>(NumericPrefix(digits));
    }
    if (port > kPortCount) return {.device = state.device};  // no menu entry: unreadable
    state.port = port > 0 ? port : 1;
    state.checked = state.port;
    return state;
  }
  return state;
}

bool SelectComPort(MemoryImage& image, int k, const std::string& path, std::string& error,
                   const std::string& device) {
  if (k < 1 || k > kPortCount) {
    error = "port " + std::to_string(k) + " has no menu entry";
    return false;
  }
  image.com_port_number = k;
  if (device.empty()) return SaveProject(image, path, error);
  std::vector<std::string> lines = ProjectLines(image, SaveDateTimeLine(), &error);
  if (lines.empty()) return false;
  lines.push_back(std::string(kDeviceKey) + device);
  return WriteTextLines(path, lines, error);
}

}  // namespace tqm5
