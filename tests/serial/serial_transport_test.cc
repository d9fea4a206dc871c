#include "serial/serial_transport.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>

namespace tqm5 {
namespace {

TEST(SerialTransportTest, PortNamesAndNumbers) {
  struct Case {
    const char* given;
    const char* device;
  };
  for (const Case& c :
       {Case{"1", "/dev/ttyUSB0"}, Case{"16", "/dev/ttyUSB15"}, Case{"17", ""}, Case{"0", ""},
        Case{"007", ""}, Case{"", ""}, Case{"/dev/pts/3", "/dev/pts/3"},
        Case{"COM1", "/dev/ttyUSB0"}, Case{"com16", "/dev/ttyUSB15"}, Case{"Com3", "/dev/ttyUSB2"},
        Case{"COM17", ""}, Case{"COM", ""}, Case{"COM01", "/dev/ttyUSB0"}, Case{"COM007", ""}}) {
    EXPECT_EQ(ResolvePortName(c.given), c.device) << c.given;
  }
}

TEST(SerialTransportTest, AMissingPortSaysWhatToCheck) {
  SerialTransport transport("/dev/tqm5-no-such-port");
  EXPECT_FALSE(transport.Open());
  EXPECT_EQ(transport.ErrorText(),
            "no serial port /dev/tqm5-no-such-port: check that the cable is plugged in and the "
            "port is right");
}

}  // namespace
}  // namespace tqm5

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
