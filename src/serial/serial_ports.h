// The serial ports present on the machine, with what the system says of each: its description,
// maker and product ids, the stable name that stays the same whichever socket the cable is in
// (/dev/serial/by-id/... on Linux), the port number 1..16 it is, and why the user may not open
// it. `tqm5 ports` and the window's port menu name the ports the same way.
#ifndef TQM5_SERIAL_SERIAL_PORTS_H_
#define TQM5_SERIAL_SERIAL_PORTS_H_

#include <optional>
#include <string>
#include <vector>

namespace tqm5 {

struct SerialPortEntry {
  std::string device;  // "/dev/ttyUSB0"
  std::string description;
  std::string manufacturer;
  std::optional<int> vendor_id;
  std::optional<int> product_id;
  std::string serial_number;
  std::string stable_path;     // "/dev/serial/by-id/usb-..."; "" when the system has none
  int com_number = 0;          // the "COM" number 1..16 whose device this is, else 0
  std::string access_problem;  // why the user may not open it and what to do; "" when they may
};

// The ports present, ordered by device.
std::vector<SerialPortEntry> ListSerialPorts();

// The stable name of `device` among the links in `root` + "/dev/serial/by-id" (root "" is the
// machine's own file system, a test's folder otherwise): "/dev/serial/by-id/NAME" of the first
// link, by name, that leads to `device`; "" when none does.
std::string StablePortPath(const std::string& device, const std::string& root = "");

// The port number 1..16 whose device is `device`, else 0.
int ComNumberOfDevice(const std::string& device);

// One line naming the port: "COM1 /dev/ttyUSB0: FT232R USB UART, FTDI 0403:6001 serial
// A50285BI, /dev/serial/by-id/usb-FTDI_...". The parts the system does not give are left out.
std::string SerialPortSummary(const SerialPortEntry& port);

// Why the user may not open `device` (given as `given`) and what to do: on Linux, join the
// group that owns it (usually dialout) and log in again. "" when they may open it.
std::string AccessProblem(const std::string& given, const std::string& device);

// The words of AccessProblem for a device owned by `group` (the group's name; "" when unknown).
std::string NotAllowedText(const std::string& given, const std::string& group);

}  // namespace tqm5

#endif  // TQM5_SERIAL_SERIAL_PORTS_H_
