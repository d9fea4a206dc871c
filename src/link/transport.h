// The byte stream to the radio, as the command exchange needs it. The serial port implements
// it for a real radio; the simulated radio implements it in memory for tests and demos.
#ifndef TQM5_LINK_TRANSPORT_H_
#define TQM5_LINK_TRANSPORT_H_

#include <chrono>
#include <string>
#include <string_view>

namespace tqm5 {

class Transport {
 public:
  using Clock = std::chrono::steady_clock;

  virtual ~Transport() = default;

  // Opens the port at 57600 baud, 8 data bits, no parity, 1 stop bit, no handshake. On failure
  // returns false and ErrorText() says why in plain words ("permission denied on
  // /dev/ttyUSB0: add your user to the dialout group").
  virtual bool Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // Sends the bytes; false when the port refused them.
  virtual bool Write(std::string_view bytes) = 0;
  // Everything that has arrived since the last read, without waiting (possibly empty).
  virtual std::string ReadAvailable() = 0;
  // Blocks until data can be read or the deadline passes; true when data is there. Never
  // busy-waits.
  virtual bool WaitForData(Clock::time_point deadline) = 0;
  // Drops whatever has arrived and not been read.
  virtual void DiscardInput() = 0;

  // True once the open port has failed for good: the device was unplugged, or closed at its
  // other end. ErrorText() then says what happened.
  virtual bool PortLost() const { return false; }

  // Why the last Open() failed, or how the port was lost.
  virtual std::string ErrorText() const = 0;
  // The port as the user named it ("/dev/ttyUSB0", "COM3", "simulated radio").
  virtual std::string PortName() const = 0;
};

}  // namespace tqm5

#endif  // TQM5_LINK_TRANSPORT_H_
