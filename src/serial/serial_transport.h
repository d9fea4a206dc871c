// The serial port to a real radio, through QSerialPort, at "57600,n,8,1" with no handshake.
// The port object is created by Open() on the calling thread, which then owns it: a transfer's
// worker thread opens, uses and closes its own port.
#ifndef TQM5_SERIAL_SERIAL_TRANSPORT_H_
#define TQM5_SERIAL_SERIAL_TRANSPORT_H_

#include <memory>
#include <string>
#include <string_view>

#include "link/transport.h"

class QSerialPort;

namespace tqm5 {

// The device of port number 1..16 ("COM1".."COM16" in the port menu): /dev/ttyUSB0 ..
// /dev/ttyUSB15 on Linux (USB cables are what radios are connected with today), COM1..COM16 on
// Windows, /dev/cu.usbserial-1 .. on macOS.
std::string DevicePathForPort(int number);

// The number 1..16 of a port given as a number ("3") or as the port menu names it ("COM3",
// in any case); 0 for any other text.
int PortNumber(std::string_view port);

// A port as the user gives it: a number 1..16 or COM1..COM16 (mapped as above), or a device
// path, used as is. Empty for anything else.
std::string ResolvePortName(std::string_view port);

// A port a user may give on a command line: "sim" (the built-in simulated radio), a number
// 1..16 or COM1..COM16, or a device path.
bool IsPortArgument(std::string_view port);

class SerialTransport : public Transport {
 public:
  explicit SerialTransport(std::string device);
  ~SerialTransport() override;

  bool Open() override;
  void Close() override;
  bool IsOpen() const override;
  bool Write(std::string_view bytes) override;
  std::string ReadAvailable() override;
  bool WaitForData(Clock::time_point deadline) override;
  void DiscardInput() override;
  bool PortLost() const override { return lost_; }
  std::string ErrorText() const override { return error_; }
  std::string PortName() const override { return device_; }

 private:
  // Notes a failure of the open port that leaves it unusable (a read or write error, the device
  // gone) as a lost port; true when the port is lost.
  bool CheckLost();

  std::string device_;
  std::unique_ptr<QSerialPort> port_;
  std::string error_;
  bool lost_ = false;
};

}  // namespace tqm5

#endif  // TQM5_SERIAL_SERIAL_TRANSPORT_H_
