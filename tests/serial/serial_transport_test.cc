#include "serial/serial_transport.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QtCore/QCoreApplication>
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "link/radio_link.h"
#include "sim/pty_server.h"
#include "transfer/transfers.h"

extern char** environ;

namespace tqm5 {
namespace {

TEST(SerialTransportTest, PortNamesAndNumbers) {
  struct Case {
    const char* given;
    const char* device;
  };
  for (const Case& c : {Case{"1", "/dev/ttyUSB0"}, Case{"16", "/dev/ttyUSB15"}, Case{"17", ""},
                        Case{"0", ""}, Case{"007", ""}, Case{"", ""},
                        Case{"/dev/pts/3", "/dev/pts/3"}, Case{"/tmp/radio", "/tmp/radio"}}) {
    EXPECT_EQ(ResolvePortName(c.given), c.device) << c.given;
  }
}

TEST(SerialTransportTest, AMissingPortSaysWhatToCheck) {
  SerialTransport transport("/dev/tqm5-no-such-port");
  EXPECT_FALSE(transport.Open());
  EXPECT_EQ(transport.ErrorText(),
            "no serial port /dev/tqm5-no-such-port: check that the cable is plugged in and the "
            "port is right");
  RadioLink link(transport);
  MemoryImage image;
  SelectModelOption(image, ModelOption::kJ);
  TransferContext context{link, image, {}};
  Outcome outcome = ReadAll(context);
  EXPECT_FALSE(outcome.shown);
  EXPECT_EQ(outcome.detail, transport.ErrorText());
}

TEST(SerialTransportTest, ReadsAndWritesAWholeRadioThroughAPseudoTerminal) {
  SimPtyServer server{SimRadio(kTqM5J)};
  std::string device = server.Start();
  ASSERT_FALSE(device.empty());

  SerialTransport transport(device);
  RadioLink link(transport);
  MemoryImage image;
  SelectModelOption(image, ModelOption::kJ);
  image.channel(1).used = true;
  image.channel(1).row[kColFreq] = "433.00000MHz";
  image.title = "①TQ";
  TransferContext context{link, image, {}};
  ASSERT_EQ(WriteAll(context), CompleteOutcome());
  EXPECT_EQ(image.model_command, "ZR~TQ-M5J");  // "ZR~TQ-M5" went unanswered first

  MemoryImage read;
  SelectModelOption(read, ModelOption::kJ);
  TransferContext read_context{link, read, {}};
  ASSERT_EQ(ReadAll(read_context), ReadAllSuccessOutcome());
  EXPECT_EQ(read.channel(1).row[kColFreq], "433.00000MHz");
  EXPECT_EQ(read.title, "①TQ");
  server.Stop();
}

// Starts the simulator executable; returns its pid and the device path it prints first.
pid_t StartSimulator(const std::vector<std::string>& args, std::string& device) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
  std::vector<char*> argv;
  std::string program = TQM5_SIM_EXECUTABLE;
  argv.push_back(program.data());
  std::vector<std::string> copies = args;
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_fds[1]);
  FILE* out = fdopen(pipe_fds[0], "r");
  char line[512] = {};
  if (out == nullptr || fgets(line, sizeof(line), out) == nullptr) return -1;
  device = line;
  while (!device.empty() && (device.back() == '\n' || device.back() == '\r')) device.pop_back();
  fclose(out);
  return pid;
}

TEST(SerialTransportTest, TheSimulatorProgramServesAndKeepsItsImage) {
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("tqm5-sim-test-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string image_file = (dir / "radio.bin").string();
  std::string link_path = (dir / "radio").string();
  std::string device;
  pid_t pid =
      StartSimulator({"--variant", "TQ-M5T", "--image", image_file, "--link", link_path}, device);
  ASSERT_GT(pid, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(link_path));

  SerialTransport transport(link_path);
  RadioLink link(transport);
  MemoryImage image;
  SelectModelOption(image, ModelOption::kT);
  image.title = "SAVED";
  TransferContext context{link, image, {}};
  EXPECT_EQ(RunTransfer({TransferCommand::kTitleWrite}, context), SuccessOutcome());

  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_EQ(std::filesystem::file_size(image_file), 0x20000u);
  SimRadio saved;
  ASSERT_TRUE(saved.LoadImage(image_file));
  EXPECT_EQ(saved.memory()[0x1A0], 'S');
  EXPECT_FALSE(std::filesystem::exists(link_path));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tqm5

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
