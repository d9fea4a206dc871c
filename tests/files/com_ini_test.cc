#include "files/com_ini.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "files/text_file.h"
#include "support/environment.h"

namespace tqm5 {
namespace {

namespace fs = std::filesystem;

class ComIniTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override {
    for (const auto& [name, value] : saved_env_) {
      testing::SetEnvironment(name, value ? value->c_str() : nullptr);
    }
    fs::remove_all(dir_);
  }
  static std::optional<std::string> Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  }

  fs::path dir_ = fs::temp_directory_path() / ("tqm5_com_ini_" + std::to_string(::getpid()));
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_env_ = {
      {"XDG_CONFIG_HOME", Env("XDG_CONFIG_HOME")}, {"HOME", Env("HOME")}};
};

TEST_F(ComIniTest, LoadComPort) {
  // Only the first "CO" line counts.
  // clang-format off
  const std::pair<std::vector<std::string>, PortMenuState> cases[] = {
      {{"Save Date and Time", "CH0000", "COMPORT07", "File End"}, {7, 7}}, {{"COMPORT16"}, {16, 16}},
      {{"COMPORT7x"}, {7, 7}}, {{"COMPORT7"}, {1, 1}}, {{"COMPORT007"}, {1, 1}}, {{"COMPORT00"}, {1, 1}},
      {{"COMPORT17", "COMPORT05"}, {1, 0}}, {{"CO", "COMPORT05"}, {1, 1}},
      {{"Save Date and Time", "File End"}, {1, 0}},
      {{"COMPORT03", "File End", "PORTDEVICE /dev/ttyACM0"}, {3, 3, "/dev/ttyACM0"}},
      {{"COMPORT17", "PORTDEVICE /dev/ttyACM0"}, {1, 0, "/dev/ttyACM0"}},
  };
  // clang-format on
  std::string path = (dir_ / "com.ini").string(), error;
  for (const auto& [lines, state] : cases) {
    ASSERT_TRUE(WriteTextLines(path, lines, error));
    EXPECT_EQ(LoadComPort(path), state) << lines.back();
  }
  EXPECT_EQ(LoadComPort((dir_ / "none.ini").string()), (PortMenuState{1, 0}));
}

TEST_F(ComIniTest, ChoosingAPortCreatesTheFolderAndTheFile) {
  std::string config = (dir_ / "config").string();
  testing::SetEnvironment("XDG_CONFIG_HOME", config.c_str());
  std::string path = GetComIniPath();
  EXPECT_EQ(fs::path(path), fs::path(config) / "TQ-M5" / "com.ini");
  EXPECT_TRUE(fs::is_directory(config + "/TQ-M5"));

  MemoryImage image;
  std::string error;
  EXPECT_FALSE(SelectComPort(image, 17, path, error));
  EXPECT_FALSE(fs::exists(path));
  ASSERT_TRUE(SelectComPort(image, 3, path, error)) << error;
  EXPECT_EQ(image.com_port_number, 3);
  EXPECT_EQ(LoadComPort(path), (PortMenuState{3, 3}));  // read back from its "COMPORT03" line
  ASSERT_TRUE(SelectComPort(image, 4, path, error, "/dev/ttyACM0")) << error;
  EXPECT_EQ(LoadComPort(path), (PortMenuState{4, 4, "/dev/ttyACM0"}));

  // An empty or relative setting is not a configuration folder: $HOME/.config is used.
  std::string home = (dir_ / "home").string();
  testing::SetEnvironment("HOME", home.c_str());
  for (const char* xdg : {"", "relative/config"}) {
    testing::SetEnvironment("XDG_CONFIG_HOME", xdg);
    EXPECT_EQ(fs::path(GetComIniPath()), fs::path(home) / ".config" / "TQ-M5" / "com.ini") << xdg;
  }
  // A configuration folder that cannot be made gives no path.
  std::ofstream(dir_ / "file") << "x";
  testing::SetEnvironment("XDG_CONFIG_HOME", (dir_ / "file").string().c_str());
  EXPECT_EQ(GetComIniPath(), "");
}

}  // namespace
}  // namespace tqm5
