#include "files/file_ops.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "support/environment.h"
#include "support/files.h"

namespace tqm5 {
namespace {

namespace fs = std::filesystem;

// Sets environment variables (nullptr unsets) and puts the old values back at the end.
class ScopedEnvironment {
 public:
  void Set(const char* name, const char* value) {
    if (saved_.count(name) == 0) {
      const char* old = std::getenv(name);
      saved_[name] = old == nullptr ? std::nullopt : std::optional<std::string>(old);
    }
    testing::SetEnvironment(name, value);
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_)
      testing::SetEnvironment(name.c_str(), value ? value->c_str() : nullptr);
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

// A relative XDG_DATA_HOME is ignored, and HOME's .local/share is used as when it is unset.
// Without either, the reason is given (an absolute one: the command-line test).
TEST(FileOpsTest, BackupFolderFollowsTheXdgRules) {
  // clang-format off
  struct Case { const char* xdg; const char* home; std::string folder, why; };
  const Case cases[] = {
      {"data", "/home/u", "/home/u/.local/share/TQ-M5/backups", ""},
      {"", "/home/u", "/home/u/.local/share/TQ-M5/backups", ""},
      {"data", nullptr, "", "XDG_DATA_HOME is not an absolute path and HOME is not set"},
  };
  // clang-format on
  ScopedEnvironment environment;
  for (const Case& c : cases) {
    environment.Set("XDG_DATA_HOME", c.xdg);
    environment.Set("HOME", c.home);
    std::string why;
    // Windows joins the folders with "\\": compared in the generic form with "/".
    EXPECT_EQ(fs::path(BackupFolder(&why)).generic_string() + "|" + why, c.folder + "|" + c.why);
  }
}

// A copy keeps the file's permission bits under its name and the time. A name of 255
// characters, the most a file system takes, is shortened to leave room for the time. A file that
// does not exist has nothing to keep.
TEST(FileOpsTest, BackupCopiesKeepTheFileAndItsMode) {
  const fs::path dir = testing::TempPath("backup");
  fs::remove_all(dir);
  fs::create_directories(dir);
  ScopedEnvironment environment;
  environment.Set("XDG_DATA_HOME", (dir / "data").string().c_str());
  const std::string long_stem(252, 'n');
  for (const std::string& name : {std::string("my.M5"), long_stem + ".M5"}) {
    SCOPED_TRACE(name.size());
    std::ofstream(dir / name) << "kept";
    fs::permissions(dir / name, fs::perms::owner_read | fs::perms::owner_write);
    std::string backup, error;
    ASSERT_TRUE(KeepBackupCopy((dir / name).string(), backup, error)) << error;
    const fs::path copy = backup;
    EXPECT_EQ(copy.filename().string().substr(0, name.size() > 200 ? 220 : 3),
              name.size() > 200 ? long_stem.substr(0, 220) : "my-");
    EXPECT_EQ(copy.extension(), ".M5");
#ifndef _WIN32  // Windows files have no permission bits to keep
    EXPECT_EQ(fs::status(backup).permissions(), fs::perms::owner_read | fs::perms::owner_write);
#endif
  }
  std::string backup = "x", error;
  EXPECT_TRUE(KeepBackupCopy((dir / "missing.M5").string(), backup, error));
  EXPECT_EQ(backup, "");
}

}  // namespace
}  // namespace tqm5
