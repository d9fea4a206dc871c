#include "serial/serial_transport.h"

#include <QtSerialPort/QSerialPort>
#include <algorithm>
#include <cctype>
#include <cerrno>

#include "serial/serial_ports.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#if defined(__linux__)
#include <sys/sysmacros.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#endif

namespace tqm5 {
namespace {

// The device a port name stands for, symbolic links resolved ("/dev/serial/by-id/usb-..." is
// "/dev/ttyUSB0"), so that every name of one device locks the same device. The name as given
// when it does not resolve (opening it then says why).
std::string RealDevicePath(const std::string& name) {
#if defined(_WIN32)
  return name;
#else
  char resolved[PATH_MAX];
  return realpath(name.c_str(), resolved) != nullptr ? std::string(resolved) : name;
#endif
}

// Takes an exclusive lock on the open device that every copy of this program respects, under
// any name of the device; false when another program holds it.
bool LockDevice(QSerialPort& port) {
#if defined(_WIN32)
  (void)port;
  return true;  // Windows opens a COM port for one program only
#else
  return flock(port.handle(), LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
#endif
}

// The program holding the lock of LockDevice on `device`, as "tqm5 (process 1234)"; empty when
// no program holds it or it cannot be known.
std::string LockHolder(const std::string& device) {
#if defined(__linux__)
  struct stat info {};
  if (stat(device.c_str(), &info) != 0) return "";
  // The kernel lists every lock: "3: FLOCK  ADVISORY  WRITE 1234 00:18:4 0 EOF", the file as
  // the major and minor number (hex) of its file system and its inode; waiting locks have "->"
  // after the number.
  char file[64];
  std::snprintf(file, sizeof(file), "%02x:%02x:%lu", major(info.st_dev), minor(info.st_dev),
                static_cast<unsigned long>(info.st_ino));
  std::ifstream locks("/proc/locks");
  std::string line;
  while (std::getline(locks, line)) {
    std::istringstream fields(line);
    std::string number, kind, advisory, access, pid, where;
    fields >> number >> kind >> advisory >> access >> pid >> where;
    if (kind != "FLOCK" || where != file) continue;
    std::string name;
    std::getline(std::ifstream("/proc/" + pid + "/comm"), name);
    return name.empty() ? "process " + pid : name + " (process " + pid + ")";
  }
#else
  (void)device;
#endif
  return "";
}

// `given` is the name the user gave, `device` the device it stands for.
std::string BusyText(const std::string& given, const std::string& device) {
  std::string name = given == device ? given : given + " (" + device + ")";
  std::string holder = LockHolder(device);
  return holder.empty() ? name + " is in use by another program: close it and try again"
                        : name + " is in use by " + holder +
                              ": wait for it to finish or stop it, then try again";
}

// Plain words for why a port did not open, with what the user can do about it.
std::string OpenFailureText(const QSerialPort& port, const std::string& given,
                            const std::string& device) {
  switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
      return "no serial port " + given +
             ": check that the cable is plugged in and the port is right";
    case QSerialPort::PermissionError:
      if (std::string problem = AccessProblem(given, device); !problem.empty()) return problem;
      return BusyText(given, device);
    default:
      return "cannot open " + given + ": " + port.errorString().toStdString();
  }
}

// True when `device` exists but cannot be a serial port: a file or folder rather than a
// character device, or (with `look_inside`, after the port refused to open) a character device
// that is not a terminal, such as /dev/null. Opening a real port only to look would toggle its
// control lines, so that is left until the port has failed anyway.
bool IsNotASerialPort(const std::string& device, bool look_inside) {
#if defined(_WIN32)
  (void)device;
  (void)look_inside;
  return false;
#else
  struct stat info {};
  if (stat(device.c_str(), &info) != 0) return false;
  if (!S_ISCHR(info.st_mode)) return true;
  if (!look_inside) return false;
  int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  bool terminal = isatty(fd) != 0;
  close(fd);
  return !terminal;
#endif
}

std::string NotASerialPortText(const std::string& device) {
  return device + " is not a serial port: give the radio cable's device, such as /dev/ttyUSB0";
}

}  // namespace

std::string DevicePathForPort(int number) {
#if defined(_WIN32)
  return "COM" + std::to_string(number);
#elif defined(__APPLE__)
  return "/dev/cu.usbserial-" + std::to_string(number);
#else
  return "/dev/ttyUSB" + std::to_string(number - 1);
#endif
}

int PortNumber(std::string_view port) {
  // "COM3", as the port menu and Windows name it, in any case.
  if (port.size() > 3 && std::toupper(static_cast<unsigned char>(port[0])) == 'C' &&
      std::toupper(static_cast<unsigned char>(port[1])) == 'O' &&
      std::toupper(static_cast<unsigned char>(port[2])) == 'M') {
    port.remove_prefix(3);
  }
  if (port.empty() || port.size() > 2) return 0;
  if (port.find_first_not_of("0123456789") != std::string_view::npos) return 0;
  int number = std::stoi(std::string(port));
  return number >= 1 && number <= 16 ? number : 0;
}

bool IsPortArgument(std::string_view port) {
  return port == "sim" || port.find('/') != std::string_view::npos || PortNumber(port) != 0;
}

std::string ResolvePortName(std::string_view port) {
  if (port.find('/') != std::string_view::npos) return std::string(port);
  int number = PortNumber(port);
  return number != 0 ? DevicePathForPort(number) : "";
}

SerialTransport::SerialTransport(std::string device) : device_(std::move(device)) {}

bool SerialTransport::CheckLost() {
  if (lost_ || !port_) return lost_;
  // A timeout is the normal end of a wait; these mean the device itself failed. A pseudo-
  // terminal whose other end closed gives a read error; an unplugged USB adapter a resource
  // error.
  switch (port_->error()) {
    case QSerialPort::ReadError:
      error_ = device_ + ": read error";
      break;
    case QSerialPort::WriteError:
      error_ = device_ + ": write error";
      break;
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
      error_ = device_ + ": device gone";
      break;
    default:
      return false;
  }
  lost_ = true;
  return true;
}

SerialTransport::~SerialTransport() { Close(); }

bool SerialTransport::Open() {
  if (IsNotASerialPort(device_, false)) {
    error_ = NotASerialPortText(device_);
    return false;
  }
  // The port's own lock goes by the name it is given: the device's real name makes every
  // name of it one port. A device another copy of this program holds is refused untouched.
  const std::string device = RealDevicePath(device_);
  if (!LockHolder(device).empty()) {
    error_ = BusyText(device_, device);
    return false;
  }
  port_ = std::make_unique<QSerialPort>();
  port_->setPortName(QString::fromStdString(device));
  if (!port_->open(QIODevice::ReadWrite)) {
    error_ = IsNotASerialPort(device_, true) ? NotASerialPortText(device_)
                                             : OpenFailureText(*port_, device_, device);
    port_.reset();
    return false;
  }
  if (!LockDevice(*port_)) {
    error_ = BusyText(device_, device);
    port_->close();
    port_.reset();
    return false;
  }
  bool configured = port_->setBaudRate(57600) && port_->setDataBits(QSerialPort::Data8) &&
                    port_->setParity(QSerialPort::NoParity) &&
                    port_->setStopBits(QSerialPort::OneStop) &&
                    port_->setFlowControl(QSerialPort::NoFlowControl);
  if (!configured) {
    error_ = "cannot set " + device_ + " to 57600 baud 8N1: " + port_->errorString().toStdString();
    port_->close();
    port_.reset();
    return false;
  }
  // Cables that draw power from the control lines need them raised. Pseudo-terminals and some
  // adapters have no such lines; their refusal is harmless.
  port_->setDataTerminalReady(true);
  port_->setRequestToSend(true);
  port_->clearError();
  error_.clear();
  lost_ = false;
  return true;
}

void SerialTransport::Close() {
  if (port_) {
    port_->close();
    port_.reset();
  }
}

bool SerialTransport::IsOpen() const { return port_ && port_->isOpen(); }

bool SerialTransport::Write(std::string_view bytes) {
  if (!IsOpen() || lost_) return false;
  qint64 written = port_->write(bytes.data(), static_cast<qint64>(bytes.size()));
  if (written != static_cast<qint64>(bytes.size())) return CheckLost(), false;
  while (port_->bytesToWrite() > 0) {
    if (!port_->waitForBytesWritten(1000)) return CheckLost(), false;
  }
  return !CheckLost();
}

std::string SerialTransport::ReadAvailable() {
  if (!IsOpen()) return "";
  if (port_->bytesAvailable() == 0 && !lost_) port_->waitForReadyRead(0);
  QByteArray data = port_->readAll();
  CheckLost();
  return std::string(data.constData(), static_cast<size_t>(data.size()));
}

bool SerialTransport::WaitForData(Clock::time_point deadline) {
  if (!IsOpen()) return false;
  if (port_->bytesAvailable() > 0) return true;
  if (lost_) return false;
  auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  if (left <= 0) return false;
  if (port_->waitForReadyRead(static_cast<int>(left))) return true;
  CheckLost();
  return false;
}

void SerialTransport::DiscardInput() {
  if (!IsOpen()) return;
  port_->waitForReadyRead(0);
  port_->clear(QSerialPort::Input);
  port_->readAll();
}

}  // namespace tqm5
