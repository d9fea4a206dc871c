#include "serial/serial_ports.h"

#include <QtSerialPort/QSerialPortInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "serial/serial_transport.h"

#if !defined(_WIN32)
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tqm5 {
namespace {

namespace fs = std::filesystem;

std::string HexId(int id) {
  char text[8];
  std::snprintf(text, sizeof(text), "%04x", id & 0xFFFF);
  return text;
}

}  // namespace

std::vector<SerialPortEntry> ListSerialPorts() {
  std::vector<SerialPortEntry> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    SerialPortEntry port;
    port.device = info.systemLocation().toStdString();
    port.description = info.description().toStdString();
    port.manufacturer = info.manufacturer().toStdString();
    if (info.hasVendorIdentifier()) port.vendor_id = info.vendorIdentifier();
    if (info.hasProductIdentifier()) port.product_id = info.productIdentifier();
    port.serial_number = info.serialNumber().toStdString();
    port.stable_path = StablePortPath(port.device);
    port.com_number = ComNumberOfDevice(port.device);
    port.access_problem = AccessProblem(port.device, port.device);
    ports.push_back(std::move(port));
  }
  std::sort(ports.begin(), ports.end(),
            [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.device < b.device; });
  return ports;
}

std::string StablePortPath(const std::string& device, const std::string& root) {
  const fs::path folder = fs::path(root + "/dev/serial/by-id");
  std::error_code ec;
  std::vector<fs::path> links;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    if (entry.is_symlink(ec)) links.push_back(entry.path());
  }
  std::sort(links.begin(), links.end());
  const fs::path wanted = fs::path(root + device).lexically_normal();
  for (const fs::path& link : links) {
    fs::path target = fs::read_symlink(link, ec);
    if (ec) continue;
    // The system's links are relative ("../../ttyUSB0"); an absolute one lies under the root.
    target = target.is_absolute() ? fs::path(root + target.string()) : folder / target;
    if (target.lexically_normal() == wanted) {
      return "/dev/serial/by-id/" + link.filename().string();
    }
  }
  return "";
}

int ComNumberOfDevice(const std::string& device) {
  for (int number = 1; number <= 16; ++number) {
    if (DevicePathForPort(number) == device) return number;
  }
  return 0;
}

std::string SerialPortSummary(const SerialPortEntry& port) {
  std::string text =
      (port.com_number > 0 ? "COM" + std::to_string(port.com_number) + " " : "") + port.device;
  std::vector<std::string> parts;
  if (!port.description.empty()) parts.push_back(port.description);
  std::string maker = port.manufacturer;
  if (port.vendor_id && port.product_id) {
    maker += (maker.empty() ? "" : " ") + HexId(*port.vendor_id) + ":" + HexId(*port.product_id);
  }
  if (!port.serial_number.empty())
    maker += (maker.empty() ? "serial " : " serial ") + port.serial_number;
  if (!maker.empty()) parts.push_back(maker);
  if (!port.stable_path.empty()) parts.push_back(port.stable_path);
  for (size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? ": " : ", ") + parts[i];
  return text;
}

std::string NotAllowedText(const std::string& given, const std::string& group) {
  const std::string name = group.empty() || group == "root" ? "dialout" : group;
  return "you are not allowed to open " + given + ": add yourself to the group " + name +
         " that may use serial ports (sudo usermod -aG " + name +
         " $USER), then log out and in again";
}

std::string AccessProblem(const std::string& given, const std::string& device) {
#if defined(_WIN32)
  (void)given;
  (void)device;
  return "";
#else
  if (access(device.c_str(), R_OK | W_OK) == 0 || errno != EACCES) return "";
  struct stat info {};
  std::string group;
  if (stat(device.c_str(), &info) == 0) {
    if (const struct group* entry = getgrgid(info.st_gid)) group = entry->gr_name;
  }
  return NotAllowedText(given, group);
#endif
}

}  // namespace tqm5
