#include "sim/pty_server.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace tqm5 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The client side as a serial program sees it: the device opened with plain POSIX calls.
class Client {
 public:
  explicit Client(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY)) {
    if (fd_ < 0) return;
    termios tio{};
    tcgetattr(fd_, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B57600);
    cfsetospeed(&tio, B57600);
    tcsetattr(fd_, TCSANOW, &tio);
  }
  ~Client() {
    if (fd_ >= 0) close(fd_);
  }
  bool ok() const { return fd_ >= 0; }

  bool Send(std::string_view bytes) {
    return write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }

  // Reads until `count` bytes have come or `timeout` has passed.
  std::string Receive(size_t count, milliseconds timeout) {
    std::string received;
    const Clock::time_point deadline = Clock::now() + timeout;
    while (received.size() < count) {
      const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) break;
      pollfd pfd{fd_, POLLIN, 0};
      if (poll(&pfd, 1, static_cast<int>(left.count())) <= 0) break;
      char buffer[512];
      const ssize_t n = read(fd_, buffer, sizeof(buffer));
      if (n <= 0) break;
      received.append(buffer, static_cast<size_t>(n));
    }
    return received;
  }

 private:
  int fd_;
};

TEST(SimPtyServerTest, AnswersIdentificationOnTheSlaveDevice) {
  SimPtyServer server{SimRadio(kTqM5)};
  const std::string path = server.Start();
  ASSERT_FALSE(path.empty()) << server.ErrorText();
  EXPECT_EQ(server.slave_path(), path);
  Client client(path);
  ASSERT_TRUE(client.ok());
  ASSERT_TRUE(client.Send("ZR~TQ-M5\r"));
  EXPECT_EQ(client.Receive(15, milliseconds(2000)), "ZR~TQ-M5\r\r\nOK\r\n");
  // Another variant's identification gets nothing, not even the echo.
  ASSERT_TRUE(client.Send("ZR~TQ-M5J\r"));
  EXPECT_EQ(client.Receive(1, milliseconds(200)), "");
  server.Stop();
  EXPECT_EQ(server.radio().commands(), (std::vector<std::string>{"ZR~TQ-M5", "ZR~TQ-M5J"}));
}

TEST(SimPtyServerTest, ServesClientAfterClientAndKeepsWrittenMemory) {
  SimPtyServer server{SimRadio(kTqM5E)};
  const std::string path = server.Start();
  ASSERT_FALSE(path.empty()) << server.ErrorText();
  {
    Client first(path);
    ASSERT_TRUE(first.ok());
    ASSERT_TRUE(first.Send("ZR~F00C00WA1B2\r"));
    EXPECT_EQ(first.Receive(21, milliseconds(2000)), "ZR~F00C00WA1B2\r\r\nOK\r\n");
  }
  // The first client has closed the device; the server must still be there for the next.
  Client second(path);
  ASSERT_TRUE(second.ok());
  ASSERT_TRUE(second.Send("ZR~F00C00R\r"));
  const std::string reply = second.Receive(143, milliseconds(2000));
  EXPECT_EQ(reply, "ZR~F00C00R\r\r\nA1B2" + std::string(124, 'F') + "\r\n");
  server.Stop();
  EXPECT_EQ(server.radio().memory()[0xC00], 0xA1);
  EXPECT_EQ(server.radio().memory()[0xC01], 0xB2);
}

// Timing: a paced or delayed reply can never come early, so the lower bounds are firm; the
// upper bounds only catch a server that hangs, and are loose for busy machines.
TEST(SimPtyServerTest, PaceAndDelayHoldBackTheReply) {
  struct Case {
    const char* what;
    bool pace;
    milliseconds delay;
    milliseconds at_least;
  };
  // A block read is 11 bytes out and 143 back: 154 byte times of 1/5760 s, 26.7 ms.
  const Case cases[] = {
      {"paced", true, milliseconds(0), milliseconds(26)},
      {"delayed", false, milliseconds(120), milliseconds(120)},
      {"paced and delayed", true, milliseconds(120), milliseconds(146)},
  };
  for (const Case& c : cases) {
    SimRadio radio;
    SimFaults faults;
    faults.reply_delay = c.delay;
    radio.set_faults(faults);
    SimPtyServer server(std::move(radio), c.pace);
    const std::string path = server.Start();
    ASSERT_FALSE(path.empty()) << server.ErrorText();
    Client client(path);
    ASSERT_TRUE(client.ok());
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(client.Send("ZR~F01000R\r"));
    const std::string reply = client.Receive(143, milliseconds(3000));
    const auto waited = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
    EXPECT_EQ(reply, "ZR~F01000R\r\r\n" + std::string(128, '0') + "\r\n") << c.what;
    EXPECT_GE(waited, c.at_least) << c.what;
    EXPECT_LT(waited, c.at_least + milliseconds(1000)) << c.what;
  }
}

TEST(SimPtyServerTest, PacedRepliesComeOutAtLineSpeed) {
  SimPtyServer server(SimRadio(), /*pace=*/true);
  const std::string path = server.Start();
  ASSERT_FALSE(path.empty()) << server.ErrorText();
  Client client(path);
  ASSERT_TRUE(client.ok());
  // Twenty reads sent at once. The line is full duplex: the replies, 2860 bytes back to back,
  // start once the first 11-byte command is in: 2871 byte times = 498.4 ms.
  std::string commands;
  for (int i = 0; i < 20; ++i) commands += "ZR~F01000R\r";
  const Clock::time_point start = Clock::now();
  ASSERT_TRUE(client.Send(commands));
  const std::string replies = client.Receive(2860, milliseconds(5000));
  const auto waited = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
  EXPECT_EQ(replies.size(), 2860u);
  EXPECT_GE(waited, milliseconds(498));
  EXPECT_LT(waited, milliseconds(2000));
}

}  // namespace
}  // namespace tqm5
