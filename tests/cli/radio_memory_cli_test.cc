// What `tqm5` knows of a radio from one run to the next: the snapshot store, the project line
// that names a snapshot, and the backups written back to the radio. Real processes, a simulator
// program on a pseudo-terminal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>

#include "sim/owned_bytes.h"
#include "sim/sim_radio.h"
#include "support/subprocess.h"

namespace tqm5 {
namespace {

namespace fs = std::filesystem;

class RadioMemoryCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = fs::temp_directory_path() / ("tqm5-memory-test-" + std::to_string(getpid()) + name);
    fs::remove_all(dir_), fs::create_directories(dir_);
    sim_ = testing::SpawnAndReadFirstLine(
        TQM5_SIM_EXECUTABLE, {"--factory", "--image", Path("radio.bin"), "--link", Path("radio")},
        device_);
    ASSERT_GT(sim_, 0);
  }
  void TearDown() override {
    if (sim_ > 0) testing::StopProcess(sim_);
    fs::remove_all(dir_);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  testing::RunResult Tqm5(std::vector<std::string> args) {
    return testing::RunProgram(
        TQM5_EXECUTABLE, std::move(args),
        testing::EnvironmentWith({{"XDG_DATA_HOME", Path("data")}, {"HOME", Path("home")}}),
        dir_.string());
  }
  // A radio verb on the simulator, as model option J.
  testing::RunResult OnRadio(std::vector<std::string> args) {
    args.insert(args.end(), {"--port", Path("radio"), "--model", "J"});
    return Tqm5(std::move(args));
  }
  // Puts "TITLE" + `title` in place of the title line of the project `name`.
  void SetTitleLine(const std::string& name, const std::string& title) {
    std::string text = testing::ReadFile(Path(name));
    size_t at = text.find("\r\nTITLE") + 2;
    text.replace(at, text.find('\r', at) - at, "TITLE" + title);
    std::ofstream(Path(name), std::ios::binary) << text;
  }
  // Stops the simulator; the memory it saved.
  SimRadio::Memory StoppedMemory() {
    EXPECT_EQ(testing::StopProcess(std::exchange(sim_, -1)), 0);
    SimRadio radio;
    EXPECT_TRUE(radio.LoadImage(Path("radio.bin")));
    return radio.memory();
  }

  fs::path dir_;
  pid_t sim_ = -1;
  std::string device_;
};

// A read in one run and a write of changes in another: the project names what the radio held,
// so only the edited title is sent; without that snapshot in the store nothing is sent.
TEST_F(RadioMemoryCliTest, AWriteOfChangesKnowsTheRadioAcrossRuns) {
  ASSERT_EQ(OnRadio({"read", "-o", Path("a.M5")}).status, 0);
  SetTitleLine("a.M5", "HELLO");
  testing::RunResult write = OnRadio({"write", "--changes", Path("a.M5")});
  EXPECT_EQ(write.status, 0) << write.err;
  EXPECT_NE(write.out.find("Complete\n1 changed block was written and read back as sent (a full "
                           "write sends 1754).\n"),
            std::string::npos)
      << write.out;
  testing::RunResult again = OnRadio({"write", "--changes", Path("a.M5")});
  EXPECT_NE(again.out.find("nothing was sent"), std::string::npos) << again.out << again.err;

  fs::remove_all(Path("data") + "/TQ-M5/snapshots");
  testing::RunResult lost = OnRadio({"write", "--changes", Path("a.M5")});
  EXPECT_EQ(lost.status, 1);
  EXPECT_TRUE(lost.err.starts_with("tqm5 write: " + Path("a.M5") + ": the radio snapshot "))
      << lost.err;
  EXPECT_NE(lost.err.find(" is not in " + Path("data") +
                          "/TQ-M5/snapshots: nothing is known of "
                          "what the radio holds until it is read again\ntqm5 write: Nothing is "
                          "known yet"),
            std::string::npos)
      << lost.err;
}

// The backups are listed newest first, and one written back to the radio sends only what
// differs from what the radio was last known to hold, which leaves it as it was read.
TEST_F(RadioMemoryCliTest, ABackupIsListedAndRestoredWithItsChangesOnly) {
  testing::RunResult read = OnRadio({"read", "-o", Path("a.M5")});
  ASSERT_EQ(read.status, 0) << read.err;
  const std::string backup = read.out.substr(read.out.find("Backup ") + 7,
                                             read.out.rfind('\n') - read.out.find("Backup ") - 7);
  fs::last_write_time(backup, fs::last_write_time(backup) - std::chrono::hours(1));
  SetTitleLine("a.M5", "HELLO");
  ASSERT_EQ(OnRadio({"write", "--changes", Path("a.M5")}).status, 0);

  testing::RunResult list = Tqm5({"backups"});
  const std::string line = "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  TQ-M5     23 channels  ";
  EXPECT_TRUE(std::regex_match(
      list.out,
      std::regex(line + Path("data") + "/TQ-M5/backups/a-.*\\.M5\\n" + line + backup + "\\n")))
      << list.out;
  testing::RunResult restore = OnRadio({"restore", fs::path(backup).filename().string()});
  EXPECT_EQ(restore.status, 0) << restore.err;
  EXPECT_NE(restore.out.find(", the backup differs in the title.\nComplete\n1 changed block was "
                             "written"),
            std::string::npos)
      << restore.out;
  const SimRadio::Memory left = StoppedMemory(), factory = SimRadio::FactoryMemory(kTqM5);
  const std::vector<bool>& owned = ProgramOwnedBytes();
  for (size_t a = 0; a < owned.size(); ++a) {
    if (owned[a]) ASSERT_EQ(left[a], factory[a]) << a;  // the radio is as it was read
  }
}

}  // namespace
}  // namespace tqm5
