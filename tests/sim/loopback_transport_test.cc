#include "sim/loopback_transport.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tqm5 {
namespace {

using Clock = Transport::Clock;
using std::chrono::milliseconds;

constexpr std::string_view kIdentReply = "ZR~TQ-M5\r\r\nOK\r\n";

milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

TEST(LoopbackTransportTest, OpenCanBeMadeToFail) {
  SimRadio radio;
  LoopbackTransport link(radio);
  EXPECT_EQ(link.PortName(), "simulated radio");
  EXPECT_FALSE(link.Write("ZR~TQ-M5\r")) << "written while closed";
  link.set_open_error("permission denied on /dev/ttyUSB0");
  EXPECT_FALSE(link.Open());
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(link.ErrorText(), "permission denied on /dev/ttyUSB0");
  EXPECT_TRUE(radio.commands().empty());

  link.set_open_error("");
  ASSERT_TRUE(link.Open());
  EXPECT_EQ(link.ErrorText(), "");
  ASSERT_TRUE(link.Write("ZR~TQ-M5\r"));
  EXPECT_EQ(link.ReadAvailable(), kIdentReply);
}

// Timing: the lower bounds are guaranteed by the sleeps; the upper bounds only keep a hung
// wait from passing and are loose because the build machines are busy.
TEST(LoopbackTransportTest, WaitForDataSleepsUntilTheReplyOrTheDeadline) {
  struct Case {
    const char* what;
    const char* sent;
    milliseconds delay;
    milliseconds deadline;
    bool data;
    milliseconds at_least;
  };
  const Case cases[] = {
      {"nothing sent", "", milliseconds(0), milliseconds(60), false, milliseconds(60)},
      {"unanswered command", "ZR~TQ-M5K\r", milliseconds(0), milliseconds(60), false,
       milliseconds(60)},
      {"answer at once", "ZR~TQ-M5\r", milliseconds(0), milliseconds(2000), true, milliseconds(0)},
      {"delayed answer", "ZR~TQ-M5\r", milliseconds(80), milliseconds(2000), true,
       milliseconds(80)},
      {"answer after the deadline", "ZR~TQ-M5\r", milliseconds(300), milliseconds(60), false,
       milliseconds(60)},
  };
  for (const Case& c : cases) {
    SimRadio radio;
    SimFaults faults;
    faults.reply_delay = c.delay;
    radio.set_faults(faults);
    LoopbackTransport link(radio);
    ASSERT_TRUE(link.Open());
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(link.Write(c.sent));
    EXPECT_EQ(link.WaitForData(start + c.deadline), c.data) << c.what;
    const milliseconds waited = Since(start);
    EXPECT_GE(waited, c.at_least) << c.what;
    EXPECT_LT(waited, c.at_least + milliseconds(500)) << c.what;
    EXPECT_EQ(link.ReadAvailable(), c.data ? kIdentReply : "") << c.what;
  }
}

TEST(LoopbackTransportTest, DiscardDropsOnlyWhatHasArrivedAndCloseDropsEverything) {
  SimRadio radio;
  LoopbackTransport link(radio);
  ASSERT_TRUE(link.Open());
  // Two replies arrive at once; a third is still on its way when the input is discarded.
  ASSERT_TRUE(link.Write("ZR~TQ-M5\rZR~TQ-M5\r"));
  SimFaults faults;
  faults.reply_delay = milliseconds(80);
  radio.set_faults(faults);
  ASSERT_TRUE(link.Write("ZR~F1FE01W01\r"));
  link.DiscardInput();
  EXPECT_EQ(link.ReadAvailable(), "");
  EXPECT_TRUE(link.WaitForData(Clock::now() + milliseconds(2000)));
  EXPECT_EQ(link.ReadAvailable(), "ZR~F1FE01W01\r\r\nOK\r\n");

  ASSERT_TRUE(link.Write("ZR~TQ-M5\r"));
  link.Close();
  ASSERT_TRUE(link.Open());
  const Clock::time_point start = Clock::now();
  EXPECT_FALSE(link.WaitForData(start + milliseconds(150)));
  EXPECT_EQ(link.ReadAvailable(), "");
}

TEST(LoopbackTransportTest, RepliesKeepTheirOrderWhenTheDelayShrinks) {
  SimRadio radio;
  SimFaults faults;
  faults.reply_delay = milliseconds(60);
  radio.set_faults(faults);
  LoopbackTransport link(radio);
  ASSERT_TRUE(link.Open());
  ASSERT_TRUE(link.Write("ZR~F1FE01W01\r"));
  faults.reply_delay = milliseconds(0);
  radio.set_faults(faults);
  ASSERT_TRUE(link.Write("ZR~TQ-M5\r"));
  EXPECT_EQ(link.ReadAvailable(), "");
  const std::string expected = "ZR~F1FE01W01\r\r\nOK\r\n" + std::string(kIdentReply);
  std::string received;
  const Clock::time_point deadline = Clock::now() + milliseconds(2000);
  while (received.size() < expected.size() && link.WaitForData(deadline)) {
    received += link.ReadAvailable();
  }
  EXPECT_EQ(received, expected);
}

}  // namespace
}  // namespace tqm5
