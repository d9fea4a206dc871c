#include "serial/serial_ports.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace tqm5 {
namespace {

namespace fs = std::filesystem;

// The stable names come from the links of /dev/serial/by-id, relative as the system makes them
// or absolute; a file that is no link names nothing.
TEST(SerialPortsTest, StableNamesFollowTheByIdLinks) {
  const fs::path root = fs::temp_directory_path() / ("tqm5-ports-" + std::to_string(getpid()));
  fs::remove_all(root);
  const fs::path by_id = root / "dev/serial/by-id";
  fs::create_directories(by_id);
  fs::create_symlink("../../ttyUSB1", by_id / "usb-FTDI_FT232R_A50285BI-if00-port0");
  fs::create_symlink("/dev/ttyACM0", by_id / "usb-Arduino_Uno_7523-if00");
  std::ofstream(by_id / "usb-Plain_File-if00") << "";
  struct Case {
    const char* device;
    std::string root;
    const char* stable;
  };
  for (const Case& c :
       {Case{"/dev/ttyUSB1", root.string(),
             "/dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0"},
        Case{"/dev/ttyACM0", root.string(), "/dev/serial/by-id/usb-Arduino_Uno_7523-if00"},
        Case{"/dev/ttyUSB0", root.string(), ""},
        Case{"/dev/ttyUSB1", (root / "none").string(), ""}}) {
    EXPECT_EQ(StablePortPath(c.device, c.root), c.stable) << c.device << " in " << c.root;
  }
  fs::remove_all(root);
}

// `tqm5 ports` and the port menu name a port by its number, device, description, maker and
// stable name, leaving out what the system does not say.
TEST(SerialPortsTest, APortIsNamedByAllItsNames) {
  SerialPortEntry full{"/dev/ttyUSB1",
                       "FT232R USB UART",
                       "FTDI",
                       0x0403,
                       0x6001,
                       "A50285BI",
                       "/dev/serial/by-id/usb-FTDI-if00-port0"};
  SerialPortEntry ids_only{"/dev/ttyACM0"};
  ids_only.vendor_id = 0x2341, ids_only.product_id = 0x43;
  struct Case {
    SerialPortEntry port;
    const char* summary;
  };
  for (Case c : {Case{full,
                      "COM2 /dev/ttyUSB1: FT232R USB UART, FTDI 0403:6001 serial A50285BI, "
                      "/dev/serial/by-id/usb-FTDI-if00-port0"},
                 Case{ids_only, "/dev/ttyACM0: 2341:0043"},
                 Case{SerialPortEntry{"/dev/ttyUSB15"}, "COM16 /dev/ttyUSB15"},
                 Case{SerialPortEntry{"/dev/ttyUSB16"}, "/dev/ttyUSB16"}}) {
    c.port.com_number = ComNumberOfDevice(c.port.device);
    EXPECT_EQ(SerialPortSummary(c.port), c.summary);
  }
}

TEST(SerialPortsTest, APortTheUserMayNotOpenSaysWhichGroupToJoin) {
  EXPECT_EQ(NotAllowedText("/dev/ttyUSB0", "uucp"),
            "you are not allowed to open /dev/ttyUSB0: add yourself to the group uucp that may "
            "use serial ports (sudo usermod -aG uucp $USER), then log out and in again");
  // A device owned by root, or by a group without a name, points to the usual group.
  EXPECT_EQ(NotAllowedText("COM1", "root"),
            "you are not allowed to open COM1: add yourself to the group dialout that may use "
            "serial ports (sudo usermod -aG dialout $USER), then log out and in again");
}

}  // namespace
}  // namespace tqm5
