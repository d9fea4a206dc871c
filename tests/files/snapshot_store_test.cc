#include "files/snapshot_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "files/file_problem.h"
#include "files/project_file.h"
#include "support/environment.h"
#include "support/files.h"

namespace tqm5 {
namespace {

namespace fs = std::filesystem;

const std::string kBlockA = std::string(64, '0') + std::string(64, '?');
const std::string kBlockB = std::string(128, 'F');
// A snapshot file written out by hand: the title block half known, one channel block.
const std::string kText =
    "TQ-M5 radio snapshot 1\nidentification ZR~TQ-M5J\nupdated 1765029955.000120\n"
    "block 001A0 " +
    kBlockA + "\nblock 01200 " + kBlockB + "\nend\n";

TEST(SnapshotStoreTest, TheFileHoldsIdentificationTimeAndBlocks) {
  RadioSnapshot snapshot;
  std::string error;
  ASSERT_TRUE(ParseSnapshotText(kText, snapshot, error)) << error;
  EXPECT_EQ(snapshot.identification, "ZR~TQ-M5J");
  EXPECT_EQ(snapshot.updated->time_since_epoch(), std::chrono::microseconds(1765029955000120));
  EXPECT_EQ(snapshot.blocks, (std::map<int, std::string>{{0x1A0, kBlockA}, {0x1200, kBlockB}}));
  EXPECT_EQ(SnapshotText(snapshot), kText);
  // FNV-1a 64 of "" and of "a".
  EXPECT_EQ(SnapshotDigest(""), "cbf29ce484222325");
  EXPECT_EQ(SnapshotDigest("a"), "af63dc4c8601ec8c");

  auto replaced = [](const std::string& from, const std::string& to) {
    std::string text = kText;
    return text.replace(text.find(from), from.size(), to);
  };
  // clang-format off
  const std::pair<std::string, std::string> damaged[] = {
      {"", "line 1: the file is empty"},
      {replaced("snapshot 1", "snapshot 2"), "line 1: made by a newer program (\"TQ-M5 radio snapshot 2\")"},
      {replaced("ZR~TQ-M5J", ""), "line 2: not \"identification\" and the command the radio accepted"},
      {replaced("1765029955", "17650x9955"), "line 3: not \"updated\" and a time in seconds with six decimals"},
      {replaced(".000120", ".00012"), "line 3: not \"updated\" and a time in seconds with six decimals"},
      // A time past what the clock can count (the year 2262) would overflow it.
      {replaced("1765029955", "17565029955"), "line 3: not \"updated\" and a time in seconds with six decimals"},
      {replaced("01200", "1FFF0"), "line 5: the block lies outside the memory"},
      {replaced("01200", "00100"), "line 5: the blocks are not in ascending order of address"},
      {replaced("0??", "00?"), "line 4: not \"block\", a 5-digit address and 128 hex digits"},
      {replaced("FF\nend", "Ff\nend"), "line 5: not \"block\", a 5-digit address and 128 hex digits"},
      {replaced("end\n", ""), "line 6: the file is cut short: no \"end\" line"},
      {kText + "block", "line 7: text after the \"end\" line"},
  };
  // clang-format on
  for (const auto& [text, why] : damaged) {
    RadioSnapshot untouched;
    EXPECT_FALSE(ParseSnapshotText(text, untouched, error)) << why;
    EXPECT_EQ(error, why);
    EXPECT_EQ(untouched, RadioSnapshot());
  }
}

class SnapshotStoreFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tqm5-snapshots-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    const char* old = getenv("XDG_DATA_HOME");
    old_ = old != nullptr ? old : "";
    had_ = old != nullptr;
    testing::SetEnvironment("XDG_DATA_HOME", dir_.string().c_str());
  }
  void TearDown() override {
    testing::SetEnvironment("XDG_DATA_HOME", had_ ? old_.c_str() : nullptr);
    fs::remove_all(dir_);
  }
  fs::path dir_;
  std::string old_;
  bool had_ = false;
};

// The store keeps a snapshot under its digest beside the backups; a project names it with one
// line that the loader takes silently, and a missing or damaged file means nothing is known.
TEST_F(SnapshotStoreFiles, AProjectNamesItsSnapshotInTheStore) {
  RadioSnapshot snapshot;
  std::string error;
  ASSERT_TRUE(ParseSnapshotText(kText, snapshot, error));
  const std::string digest = StoreSnapshot(snapshot, error);
  ASSERT_EQ(digest, SnapshotDigest(kText)) << error;
  const fs::path file = dir_ / "TQ-M5" / "snapshots" / (digest + ".snapshot");
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(StoreSnapshot(RadioSnapshot(), error), "");

  std::vector<std::string> lines =
      ProjectLines(MemoryImage(), "Save Date and Time", nullptr, digest);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3], "SNAPSHOT" + digest);
  EXPECT_EQ(lines[lines.size() - 2].substr(0, 7), "COMPORT");
  MemoryImage image;
  std::vector<FileProblem> problems;
  std::string named;
  ASSERT_TRUE(LoadProjectLines(image, lines, &problems, &named).success);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(named, digest);
  std::string problem;
  EXPECT_EQ(LoadStoredSnapshot(named, problem), snapshot) << problem;
  lines[lines.size() - 3] = "SNAPSHOT12";
  ASSERT_TRUE(LoadProjectLines(image, lines, &problems, &named).success);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(named, "");

  EXPECT_FALSE(LoadStoredSnapshot("0123456789abcdef", problem));
  EXPECT_EQ(problem, "the radio snapshot 0123456789abcdef is not in " +
                         (dir_ / "TQ-M5" / "snapshots").string() +
                         ": nothing is known of what the radio holds until it is read again");
  std::ofstream(file, std::ios::app) << "x";
  EXPECT_FALSE(LoadStoredSnapshot(digest, problem));
  EXPECT_EQ(problem, "the radio snapshot " + file.string() +
                         " is damaged (its text does not match its name): nothing is known of what "
                         "the radio holds until it is read again");
}

// Setting the line of a saved project changes that line only, whatever else the file holds.
TEST_F(SnapshotStoreFiles, SettingTheLineLeavesTheRestOfTheFile) {
  const std::string path = (dir_ / "a.M5").string();
  const std::pair<std::string, std::string> cases[] = {
      {"Save\r\nCH\x83\x41\r\nCOMPORT01\r\nFile End\r\n",
       "Save\r\nCH\x83\x41\r\nSNAPSHOTaaaaaaaaaaaaaaaa\r\nCOMPORT01\r\nFile End\r\n"},
      {"Save\nSNAPSHOT0000000000000000\nFile End\n", "Save\nSNAPSHOTaaaaaaaaaaaaaaaa\nFile End\n"},
  };
  for (const auto& [before, after] : cases) {
    std::ofstream(path, std::ios::binary) << before;
    std::string error;
    ASSERT_TRUE(SetProjectSnapshotLine(path, std::string(16, 'a'), error)) << error;
    EXPECT_EQ(testing::ReadFile(path), after);
  }
}

}  // namespace
}  // namespace tqm5
