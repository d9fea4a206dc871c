// `tqm5 ports`: which serial port is the radio's.
#include <ostream>

#include "cli/verbs.h"
#include "serial/serial_ports.h"

namespace tqm5::cli {

int Ports(std::ostream& out) {
  std::vector<SerialPortEntry> ports = ListSerialPorts();
  if (ports.empty()) {
    out << "No serial port found: plug in the radio's cable (a USB adapter shows up as "
           "/dev/ttyUSB0 or /dev/ttyACM0), then run tqm5 ports again\n";
  }
  for (const SerialPortEntry& port : ports) {
    out << SerialPortSummary(port) << "\n";
    if (!port.access_problem.empty()) out << "  " << port.access_problem << "\n";
  }
  return 0;
}

}  // namespace tqm5::cli
