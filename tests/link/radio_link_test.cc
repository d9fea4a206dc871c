#include "link/radio_link.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <regex>
#include <thread>

#include "link/areas.h"
#include "model/memory_image.h"

namespace tqm5 {
namespace {

using std::chrono::milliseconds;

// A transport whose replies are scripted per line written: each chunk arrives `after` the
// write. A chunk with `hang_up` loses the port when its time comes.
class ScriptedTransport : public Transport {
 public:
  struct Chunk {
    milliseconds after;
    std::string bytes;
    bool hang_up = false;
  };
  using Responder = std::function<std::vector<Chunk>(const std::string& line)>;

  explicit ScriptedTransport(Responder responder) : responder_(std::move(responder)) {}

  bool Open() override { return ++opens, open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  bool Write(std::string_view bytes) override {
    if (fail_write || lost_) return false;
    written.emplace_back(bytes);
    auto now = Clock::now();
    for (Chunk& chunk : responder_(written.back())) {
      pending_.push_back({now + chunk.after, std::move(chunk)});
    }
    return true;
  }
  std::string ReadAvailable() override {
    std::string out;
    while (!lost_ && !pending_.empty() && pending_.front().first <= Clock::now()) {
      out += pending_.front().second.bytes;
      lost_ = pending_.front().second.hang_up;
      pending_.pop_front();
    }
    return out;
  }
  bool WaitForData(Clock::time_point deadline) override {
    if (lost_) return false;
    bool arrives = !pending_.empty() && pending_.front().first <= deadline;
    const Clock::time_point wake = arrives ? pending_.front().first : deadline;
    while (Clock::now() < wake) std::this_thread::sleep_until(wake);  // Windows may wake early
    if (arrives && pending_.front().second.hang_up) return lost_ = true, false;
    return arrives;
  }
  bool PortLost() const override { return lost_; }
  void DiscardInput() override { ReadAvailable(); }
  std::string ErrorText() const override { return lost_ ? "the scripted line was cut" : ""; }
  std::string PortName() const override { return "scripted"; }

  bool fail_write = false;
  int opens = 0;
  std::vector<std::string> written;

 private:
  Responder responder_;
  std::deque<std::pair<Clock::time_point, Chunk>> pending_;
  bool open_ = false;
  bool lost_ = false;
};

using Chunks = std::vector<ScriptedTransport::Chunk>;

// The echo of `line` followed by the given text, in one chunk.
Chunks Echo(const std::string& line, const std::string& rest) {
  return {{milliseconds(0), line + rest}};
}
// A radio that echoes every line followed by `rest`.
ScriptedTransport::Responder EchoThen(std::string rest) {
  return [rest](const std::string& l) { return Echo(l, rest); };
}
Chunks Silent(const std::string&) { return {}; }
Chunks EchoOk(const std::string& line) { return Echo(line, "\r\nOK\r\n"); }

TEST(SendCommandTest, ReplyFraming) {
  // clang-format off
  struct Case { const char* what; ScriptedTransport::Responder responder; const char* expected; };
  const Case cases[] = {
      {"framed OK", EchoOk, "OK"},
      {"no leading CR LF", EchoThen("OK\r\n"), ""}, {"no answer", Silent, ""},
      {"echo and a lone CR LF", EchoThen("\r\n"), ""}, {"empty payload", EchoThen("\r\n\r\n"), ""},
      {"shorter than the echo", [](const std::string&) { return Echo("", "\r\nOK\r\n"); }, ""},
      {"in pieces", [](const std::string& l) {
       return Chunks{{milliseconds(0), l.substr(0, 3)},
       {milliseconds(2), l.substr(3) + "\r"}, {milliseconds(4), "\nO"}, {milliseconds(6), "K\r\n"}}; },
       "OK"},
  };
  // clang-format on
  for (const Case& c : cases) {
    ScriptedTransport transport(c.responder);
    RadioLink link(transport);
    link.set_timeout(milliseconds(60));
    EXPECT_EQ(link.SendCommand("ZR~F00200R"), c.expected) << c.what;
    EXPECT_EQ(transport.written, std::vector<std::string>{"ZR~F00200R\r"}) << c.what;
  }
}

TEST(SendCommandTest, TimeoutLateBytesOpeningAndCancel) {
  // The rest of a reply cut at an inner CR LF arrives late and is discarded by the next
  // exchange, which must not mistake it for its own reply.
  int exchange = 0;
  ScriptedTransport transport([&exchange](const std::string& l) {
    if (exchange++ == 0)
      return Chunks{{milliseconds(0), l + "\r\nAB\r\n"}, {milliseconds(5), "CD\r\n"}};
    return Chunks{{milliseconds(20), l + "\r\nOK\r\n"}};
  });
  RadioLink link(transport);
  link.set_timeout(milliseconds(200));
  EXPECT_EQ(link.SendCommand("ZR~TQ-M5"), "AB");
  std::this_thread::sleep_for(milliseconds(15));
  EXPECT_EQ(link.SendCommand("ZR~TQ-M5"), "OK");

  // No answer: the exchange gives up at the timeout, not before.
  ScriptedTransport silent(Silent);
  RadioLink quiet(silent);
  quiet.set_timeout(milliseconds(80));
  auto start = Transport::Clock::now();
  EXPECT_EQ(quiet.SendCommand("ZR~TQ-M5"), "");
  EXPECT_GE(Transport::Clock::now() - start, milliseconds(80));

  // The port is opened once, on the first exchange; a cancel stops before the next exchange.
  std::atomic<bool> cancel = false;
  link.set_cancel_flag(&cancel);
  EXPECT_EQ(transport.opens, 1);
  cancel = true;
  EXPECT_THROW(link.SendCommand("ZR~TQ-M5"), CancelledError);
  EXPECT_EQ(transport.written.size(), 2u);
}

TEST(StartCommTest, TriesTheCommandsOfTheChosenOptionAndResets) {
  // The only command the radio answers "OK", the result, the lines sent, the command kept.
  // clang-format off
  struct Case { ModelOption option; const char* answered; bool result; std::vector<std::string> sent;
                const char* model_command; };
  const Case cases[] = {
      {ModelOption::kJ, "ZR~TQ-M5J", true, {"ZR~TQ-M5\r", "ZR~TQ-M5J\r"}, "ZR~TQ-M5J"},
      {ModelOption::kJ, "ZR~TQ-M5", true, {"ZR~TQ-M5\r"}, "ZR~TQ-M5"},
      {ModelOption::kOther, "", false, {"ZR~TQ-M5E\r", "ZR~TQ-M5EG\r", "ZR~TQ-M5K\r"}, "ZR~TQ-M5K"},
      {ModelOption::kOther, "ZR~TQ-M5EG", true, {"ZR~TQ-M5E\r", "ZR~TQ-M5EG\r"}, "ZR~TQ-M5EG"},
      {ModelOption::kT, "ZR~TQ-M5J", false, {"ZR~TQ-M5T\r"}, "ZR~TQ-M5T"},
      {ModelOption::kNone, "ZR~TQ-M5", false, {}, ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    std::string answered = c.answered;
    ScriptedTransport transport(
        [answered](const std::string& l) { return l == answered + "\r" ? EchoOk(l) : Chunks{}; });
    RadioLink link(transport);
    link.set_timeout(milliseconds(20));
    std::string model_command;
    EXPECT_EQ(StartComm(link, c.option, model_command), c.result) << c.answered;
    EXPECT_EQ(transport.written, c.sent) << c.answered;
    EXPECT_EQ(model_command + (link.IsOpen() ? "" : " closed"), c.model_command) << c.answered;
  }
  // The hidden reset is sent without waiting for a reply and closes the port: with a timeout of
  // a minute, waiting would show whatever the machine's load.
  ScriptedTransport transport(Silent);
  RadioLink link(transport);
  link.set_timeout(std::chrono::minutes(1));
  auto start = Transport::Clock::now();
  HiddenReset(link);
  EXPECT_LT(Transport::Clock::now() - start, std::chrono::seconds(20));
  EXPECT_EQ(transport.written, std::vector<std::string>{"ZR~RESET\r"});
  EXPECT_FALSE(link.IsOpen());
}

TEST(LastExchangeTest, SaysWhatTheRadioAnsweredOrThatItDidNot) {
  auto read_400 = [](RadioLink& link) { ReadBlock(link, 0x00400); };
  auto write_400 = [](RadioLink& link) { WriteBlock(link, 0x00400, "0102"); };
  auto read_channel_1 = [](RadioLink& link) { ReadChannel(link, 1); };
  // clang-format off
  struct Case { ScriptedTransport::Responder responder; std::function<void(RadioLink&)> exchange; std::string sentence; };
  const Case cases[] = {
      {EchoThen(""), read_400, R"(the radio echoed "ZR~F00400R" but did not answer it within 30 ms)"},
      {[](const std::string&) { return Chunks{{milliseconds(0), "\xDA\xD2\xFE"}}; }, read_400,
       R"(the radio's reply to "ZR~F00400R" was malformed: "\xDA\xD2\xFE")"},
      {[](const std::string&) { return Chunks{{milliseconds(0), "", true}}; }, read_400,
       R"(the port went away during "ZR~F00400R" (the scripted line was cut): check that the )"
       "cable is plugged in and the radio is on"},
      {EchoThen("OK\r\n"), write_400,
       R"(the radio's reply to "ZR~F00400W..." was not framed by CR LF: "OK\x0D\x0A")"},
      {EchoThen("\r\n\"OK"), write_400,
       R"(the radio's reply to "ZR~F00400W..." was not complete within 30 ms: "\x0D\x0A\x22OK")"},
      {EchoThen(std::string(2000, 'x')), read_400, "the radio's reply to \"ZR~F00400R\" ran past 1024 "
       "characters without ending: \"" + std::string(60, 'x') + "...\""},
      {EchoThen("\r\nN\x07\xFF\r\n"), write_400,
       R"(the radio answered "ZR~F00400W..." with "N\x07\xFF" instead of "OK")"},
      {EchoThen("\r\n0123456789AB\r\n"), read_channel_1,
       R"(the radio's reply to "ZR~F01200R" was 12 characters, not a 64-byte block: "0123456789AB")"},
      {EchoThen("\r\nz" + std::string(127, 'A') + "\r\n"), read_channel_1,
       "the radio's reply to \"ZR~F01200R\" was not hex text: \"z" + std::string(59, 'A') + "...\""},
      {EchoThen("\r\nNG\r\n"),
       [](RadioLink& link) { std::string m; StartComm(link, ModelOption::kT, m); },
       R"(the radio answered "ZR~TQ-M5T" with "NG" instead of "OK")"},
      // A blank radio's bank sizes read as 0xFFFF.
      {EchoThen("\r\n" + std::string(128, 'F') + "\r\n"),
       [](RadioLink& link) { MemoryImage image; ReadBankSizes(link, image); },
       "the radio gives bank 0 a size of 65535, more than its 1000 memories: the bank sizes were "
       "left as they were"},
  };
  // clang-format on
  for (const Case& c : cases) {
    ScriptedTransport transport(c.responder);
    RadioLink link(transport);
    link.set_timeout(milliseconds(30));
    c.exchange(link);
    EXPECT_EQ(DescribeExchange(link.last_exchange()), c.sentence);
  }

  ScriptedTransport refusing(Silent);
  refusing.fail_write = true;
  RadioLink link(refusing);
  EXPECT_EQ(link.SendCommand("ZR~TQ-M5"), "");
  EXPECT_EQ(DescribeExchange(link.last_exchange()), R"(the port refused to send "ZR~TQ-M5")");
}

// A reply that comes after the timeout is named as late, with the time it took: at the end of a
// failed command, and when it arrives during the next identification command.
TEST(LastExchangeTest, AnswersAfterTheTimeoutAreNamedLate) {
  const std::regex late(R"(the radio answered "ZR~TQ-M5" after (\d+) ms, later than the )"
                        R"((\d+) ms allowed)");
  ScriptedTransport slow([](const std::string& l) {
    return Chunks{{milliseconds(300), l + "\r\nOK\r\n"}};
  });
  RadioLink link(slow);
  link.set_timeout(milliseconds(200));
  EXPECT_EQ(link.SendCommand("ZR~TQ-M5"), "");
  link.AwaitLateReply();
  std::smatch match;
  std::string sentence = DescribeExchange(link.last_exchange());
  ASSERT_TRUE(std::regex_match(sentence, match, late)) << sentence;
  EXPECT_GE(std::stoi(match[1]), 300);
  EXPECT_EQ(match[2], "200");

  // The reply to "ZR~TQ-M5" comes while "ZR~TQ-M5J" waits for its own.
  ScriptedTransport crossing([](const std::string& l) {
    return l == "ZR~TQ-M5J\r" ? Echo("ZR~TQ-M5\r", "\r\nOK\r\n") : Chunks{};
  });
  RadioLink identifying(crossing);
  identifying.set_timeout(milliseconds(60));
  std::string model_command;
  EXPECT_FALSE(StartComm(identifying, ModelOption::kJ, model_command));
  sentence = DescribeExchange(identifying.last_exchange());
  ASSERT_TRUE(std::regex_match(sentence, match, late)) << sentence;
  EXPECT_GE(std::stoi(match[1]), 60);

  // A lost port ends the identification at once.
  ScriptedTransport cut([](const std::string&) { return Chunks{{milliseconds(0), "", true}}; });
  RadioLink lost(cut);
  EXPECT_FALSE(StartComm(lost, ModelOption::kOther, model_command));
  EXPECT_EQ(cut.written, std::vector<std::string>{"ZR~TQ-M5E\r"});
}

}  // namespace
}  // namespace tqm5
