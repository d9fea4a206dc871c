#include "serial/serial_transport.h"

#include <QtSerialPort/QSerialPort>
#include <algorithm>
#include <cctype>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tqm5 {
namespace {

// Plain words for why a port did not open, with what the user can do about it.
std::string OpenFailureText(const QSerialPort& port, const std::string& device) {
  switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
      return "no serial port " + device +
             ": check that the cable is plugged in and the port is right";
    case QSerialPort::PermissionError:
#if !defined(_WIN32)
      if (access(device.c_str(), R_OK | W_OK) != 0) {
        return "permission denied on " + device + ": add your user to the dialout group";
      }
#endif
      return device + " is in use by another program: close it and try again";
    default:
      return "cannot open " + device + ": " + port.errorString().toStdString();
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

bool IsPortArgument(std::string_view port) {
  if (port == "sim" || port.find('/') != std::string_view::npos || port.starts_with("COM")) {
    return true;
  }
  if (port.empty() || port.size() > 2) return false;
  if (port.find_first_not_of("0123456789") != std::string_view::npos) return false;
  int number = std::stoi(std::string(port));
  return number >= 1 && number <= 16;
}

std::string ResolvePortName(std::string_view port) {
  if (port.empty()) return "";
  bool digits = std::all_of(port.begin(), port.end(),
                            [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  if (!digits) return std::string(port);
  if (port.size() > 2) return "";
  int number = std::stoi(std::string(port));
  return number >= 1 && number <= 16 ? DevicePathForPort(number) : "";
}

SerialTransport::SerialTransport(std::string device) : device_(std::move(device)) {}

bool SerialTransport::CheckLost() {
  if (lost_ || !port_) return lost_;
  // A timeout is the normal end of a wait; these mean the device itself failed. A pseudo-
  // terminal whose other end closed gives a read error; an unplugged USB adapter a resource
  // error.
  switch (port_->error()) {
    case QSerialPort::ReadError:
      error_ = "read error on " + device_;
      break;
    case QSerialPort::WriteError:
      error_ = "write error on " + device_;
      break;
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
      error_ = device_ + " is gone";
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
  port_ = std::make_unique<QSerialPort>();
  port_->setPortName(QString::fromStdString(device_));
  if (!port_->open(QIODevice::ReadWrite)) {
    error_ = IsNotASerialPort(device_, true) ? NotASerialPortText(device_)
                                             : OpenFailureText(*port_, device_);
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
