// The `tqm5` program end to end: real processes, simulator programs on pseudo-terminals.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

#include "files/project_file.h"
#include "groups/bank_link.h"
#include "image/channel_numbering.h"
#include "image/hex.h"
#include "model/banks.h"
#include "sim/owned_bytes.h"
#include "support/bench.h"
#include "support/subprocess.h"

namespace tqm5 {
namespace {

namespace fs = std::filesystem;

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = fs::temp_directory_path() / ("tqm5-cli-test-" + std::to_string(getpid()) + "-" + name);
    fs::remove_all(dir_), fs::create_directories(dir_ / "data");
    cwd_ = fs::current_path();
  }
  void TearDown() override {
    fs::current_path(cwd_);
    fs::remove_all(dir_);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  std::vector<std::string> Environment() const {
    // No display, as on a server: only the window's --help and --version may run there.
    return testing::EnvironmentWith({{"XDG_DATA_HOME", Path("data")},
                                     {"HOME", Path("home")},
                                     {"DISPLAY", ""},
                                     {"WAYLAND_DISPLAY", ""},
                                     {"QT_QPA_PLATFORM", "xcb"}});
  }
  testing::RunResult Run(const std::string& program, std::vector<std::string> args) {
    return testing::RunProgram(program, std::move(args), Environment(), dir_.string());
  }
  testing::RunResult Tqm5(std::vector<std::string> args) { return Run(TQM5_EXECUTABLE, args); }

  // Starts a simulator program on `image_file` with its device linked at `link`.
  pid_t StartSimulator(const std::string& image_file, const std::string& link) {
    std::string device;
    return testing::SpawnAndReadFirstLine(
        TQM5_SIM_EXECUTABLE, {"--factory", "--image", image_file, "--link", link}, device);
  }

  fs::path dir_;
  fs::path cwd_;  // a test may work in `dir_`, to give relative names
};

// The lines of a whole project file of the start-up image, the line starting with each key of
// `replacements` replaced by its line.
std::vector<std::string> StartUpProject(
    const std::vector<std::pair<std::string, std::string>>& replacements = {}) {
  std::vector<std::string> lines = ProjectLines(MemoryImage(), "Save Date and Time");
  for (const auto& [key, replacement] : replacements) {
    for (std::string& line : lines) {
      if (line.starts_with(key)) line = replacement;
    }
  }
  return lines;
}

// The memory a simulator program left in `image_file` when it stopped.
SimRadio::Memory SavedMemory(const std::string& image_file) {
  SimRadio radio;
  EXPECT_TRUE(radio.LoadImage(image_file)) << image_file;
  return radio.memory();
}

// The first address the program owns at which `a` and `b` differ, or -1.
int FirstOwnedDifference(const SimRadio::Memory& a, const SimRadio::Memory& b) {
  const std::vector<bool>& owned = ProgramOwnedBytes();
  for (size_t address = 0; address < owned.size(); ++address) {
    if (owned[address] && a[address] != b[address]) return static_cast<int>(address);
  }
  return -1;
}

// A radio memory with something in every area the program owns, written the way the program
// writes it, over bytes of its own everywhere else.
SimRadio::Memory RichRadioMemory() {
  testing::Bench bench;  // model option J
  for (size_t a = 0; a < bench.radio.memory().size(); ++a)
    bench.radio.memory()[a] = static_cast<uint8_t>(a * 7 + 3);
  MemoryImage& image = bench.image;
  image.bank_sizes.fill(0);
  image.bank_sizes[2] = 700, image.bank_sizes[45] = 300;
  RebuildRowLabels(image);
  RefreshOneTouchLists(image);
  image.one_touch[8] = OneTouchKey{false, 1, 299};
  for (int n = 1; n <= kChannelCount; n += 7) {
    Channel& channel = image.channel(n);
    channel.used = true, channel.blank = false;
    channel.frequency_hz = static_cast<uint32_t>(144000000 + 12500 * n);
    channel.mode = n % 2 ? Modulation::kFm : Modulation::kAm;
    channel.tone_mode = ToneMode::kTrain, channel.shift = Shift::kPlus;
    channel.offset_hz = 600000, channel.name = n % 3 ? "東京" + std::to_string(n) : "①CH";
    channel.tx_tone_index = static_cast<uint8_t>(n % 39),
    channel.train_index = static_cast<uint8_t>(n % 29);
  }
  image.title = "ﾃｽﾄ①", image.title_scroll = 1;
  image.dtmf.memories[0] = "0123456789ABCD*#", image.dtmf.pause = 7;
  image.settings[SettingId{SettingGroup::kScan, 0}] = 39;
  image.settings[SettingId{SettingGroup::kKey, 7}] = 50;
  image.font_bits[3][5][9] = 1;
  GroupBanks banks{};
  banks[45] = true;
  image.bank_link_hex[4] = GroupHexOf(4, banks);
  EXPECT_EQ(bench.Run(TransferCommand::kWriteAll), CompleteOutcome());
  return bench.radio.memory();
}

// A radio read into a project goes through the CSV and font files and is written to another
// radio, which then holds the same bytes in every area the program owns.
TEST_F(CliTest, ARadioGoesThroughEveryFileToAnotherRadio) {
  const SimRadio::Memory memory = RichRadioMemory();
  SimRadio saved;
  saved.memory() = memory;
  ASSERT_TRUE(saved.SaveImage(Path("first.bin")));
  testing::Child first(StartSimulator(Path("first.bin"), Path("first")));
  testing::Child second(StartSimulator(Path("second.bin"), Path("second")));
  ASSERT_TRUE(first.started() && second.started());

  testing::RunResult read =
      Tqm5({"read", "--port", Path("first"), "--model", "J", "-o", Path("a.M5")});
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_NE(read.out.find("Success ALL DATA READ\nSaved " + Path("a.M5")), std::string::npos)
      << read.out;

  EXPECT_EQ(Tqm5({"export-csv", Path("a.M5"), Path("a.CSV")}).status, 0);
  EXPECT_EQ(Tqm5({"import-csv", Path("a.M5"), Path("a.CSV"), "-o", Path("b.M5")}).status, 0);
  EXPECT_EQ(Tqm5({"font-export", Path("b.M5"), Path("a.FM5")}).status, 0);
  testing::RunResult font = Tqm5({"font-import", Path("b.M5"), Path("a.FM5"), "-o", Path("c.M5")});
  EXPECT_EQ(font.out, "Read 8 glyphs from " + Path("a.FM5") + "\nSaved " + Path("c.M5") + "\n");
  testing::RunResult original = Tqm5({"show", Path("a.M5")});
  EXPECT_EQ(original.out, Tqm5({"show", Path("c.M5")}).out);
  EXPECT_NE(original.out.find("Channels: 251 used"), std::string::npos);
  testing::RunResult write =
      Tqm5({"write", "--port", Path("second"), "--model", "J", Path("c.M5")});
  EXPECT_EQ(std::to_string(write.status) + write.out.substr(0, 9), "0Complete\n") << write.err;

  ASSERT_EQ(first.Stop(), 0);
  ASSERT_EQ(second.Stop(), 0);
  EXPECT_TRUE(SavedMemory(Path("first.bin")) == memory);  // the read left it as it was
  EXPECT_EQ(FirstOwnedDifference(memory, SavedMemory(Path("second.bin"))), -1);
}

// diff prints one line per difference and exits 1, nothing and 0 for equal images (the save
// time and the port are no difference), and compares a project read from the radio with the
// radio itself; a line it could not take is listed on stderr and the rest compared.
TEST_F(CliTest, DiffListsWhatDiffersAsDiffDoes) {
  testing::WriteLines(Path("a.M5"), StartUpProject());
  std::vector<std::string> b = StartUpProject({{"Save", "Save Date and Time 2030/01/01 0:00:00"},
                                               {"COMPORT", "COMPORT05"},
                                               {"TITLE", "TITLEHAM"},
                                               {"SD04", "SD04000"},
                                               {"SET_DTMF", "SET_DTMF001005005002077"}});
  for (std::string& line : b) {
    if (line.starts_with("CH1400")) line.replace(6, 10, "0145.50000");
  }
  testing::WriteLines(Path("b.M5"), b);
  testing::RunResult same = Tqm5({"diff", Path("a.M5"), Path("a.M5")});
  EXPECT_EQ(std::to_string(same.status) + same.out + same.err, "0");
  testing::RunResult changed = Tqm5({"diff", Path("a.M5"), Path("b.M5")});
  EXPECT_EQ(changed.status, 1);
  EXPECT_EQ(changed.out,
            "channel 1401 Freqency: 145.00000MHz -> 145.50000MHz\n"
            "setting Preset mode (Set_Mode_Preset 0): Deactivate -> Activate\n"
            "title: (empty) -> HAM\n");
  EXPECT_EQ(changed.err.rfind(Path("b.M5") + ": line ", 0), 0u) << changed.err;

  ASSERT_EQ(Tqm5({"read", "--port", "sim", "--model", "J", "-o", Path("r.M5")}).status, 0);
  testing::RunResult radio = Tqm5({"diff", Path("r.M5"), "--port", "sim", "--model", "J"});
  EXPECT_EQ(std::to_string(radio.status) + radio.out, "0") << radio.err;
  EXPECT_EQ(Tqm5({"diff", Path("a.M5"), "--port", "sim", "--model", "J"}).status, 1);
}

// Mistakes give one line on stderr (the start given here; a path named in it appears once) and
// an exit status; help and version go to stdout.
TEST_F(CliTest, MistakesGiveOneClearLineAndAnExitStatus) {
  std::ofstream(Path("notes.txt")) << "hello\r\n";
  testing::WriteLines(Path("a.M5"), StartUpProject());
  std::ofstream(Path("half.M5")) << "Save Date and Time\r\nCH0000";
  testing::WriteLines(Path("-a.M5"), StartUpProject());
  std::ofstream(Path("empty.FM5")).flush();
  std::ofstream(Path("short.CSV"))
      << ",Freqency,mode,step,Carrier,Tone/DCS,Tx-tone,Rx-tone,DCS,Shift,"
         "Shift-Freq,Skip,Name,0\r\nL,145,FM,5KHz,JR,None,,,,Off,0,,,1\r\n";
  for (const char* folder : {"d.M5", "d.CSV"}) fs::create_directories(Path(folder));
  const std::string a = Path("a.M5"), notes = Path("notes.txt"), tqm5 = TQM5_EXECUTABLE;
  const std::string folder = " is a folder, not a file";
  fs::current_path(dir_);  // for the names that start with "-", which are relative
  // The start of stderr; of stdout when the status is 0.
  // clang-format off
  struct Case { std::vector<std::string> args; int status; std::string start; std::string program = TQM5_EXECUTABLE; };
  const Case cases[] = {
      {{"frobnicate"}, 2, "tqm5: unknown verb \"frobnicate\""},
      {{}, 2, "Usage: tqm5 VERB"},
      {{"read", "--model", "J"}, 2, "tqm5: read needs --port"},
      {{"read", "--port", "sim"}, 2, "tqm5: read needs --model J, T or other"},
      {{"read", "--port", "sim", "--model", "X"}, 2, "tqm5: unknown model \"X\""},
      {{"show"}, 2, "tqm5: show takes 1 file"},
      {{"read", "--port", "0", "--model", "J"}, 2, "tqm5: port \"0\": give a number 1..16"},
      {{"read", "--port", "sim", "--model", "J", "--port", "1"}, 2, "tqm5: --port is given twice: give it once"},
      {{"read", "--port", "sim", "--model"}, 2, "tqm5: --model needs a value"},
      {{"show", a, "--bogus"}, 2, "tqm5: unknown option \"--bogus\""},
      {{"import-channels", a, Path("short.CSV"), "-o", Path("b.M5"), "--start", "1001"}, 2,
       "tqm5: --start \"1001\": give a memory number 1..1000"},
      {{"export-csv", a, "-"}, 2, "tqm5: \"-\" is not taken as a file name"},
      {{"export-csv", a, Path("c.CSV"), "-o", Path("c.CSV")}, 2, "tqm5: export-csv does not take -o"},
      {{"show", a, "--accept-changes"}, 2, "tqm5: show does not take --accept-changes"},
      {{"write", "--port", "sim", "--model", "J", a, "--changes", "--verify"}, 2, "tqm5: write takes --changes or --verify, not both"},
      {{"write", "--port", "sim", "--model", "J", a, "--changes"}, 1, "tqm5 write: Nothing is known yet of what the radio "
       "holds: read it first or write everything. (tqm5 read, or tqm5 write without --changes) Nothing was sent.\n"},
      {{"write", "--port", "sim", "--model", "J", a, "-o", Path("b.M5")}, 2, "tqm5: write does not"},
      {{"read", "--port", "/dev/tqm5-none", "--model", "J"}, 1, "tqm5 read: no serial port /dev/tqm5-none"},
      {{"read", "--port", "/dev/tqm5-none", "--model", "J", "-o", notes + "/x.M5"}, 1,
       "tqm5 read: cannot create a temporary file in folder " + notes + ": Not a directory"},
      {{"read", "--port", "/dev/null", "--model", "J"}, 1, "tqm5 read: /dev/null is not a serial port"},
      {{"show", notes}, 1, "tqm5 show: " + notes + ": not a project file"},
      {{"import-csv", Path("missing.M5"), notes, "-o", Path("b.M5")}, 2,
       "tqm5 import-csv: " + notes + ": not a CSV file (the name must end in .CSV)"},
      {{"show", Path("d.M5")}, 1, "tqm5 show: " + Path("d.M5") + folder},
      {{"import-csv", a, Path("d.CSV"), "-o", Path("b.M5")}, 1, "tqm5 import-csv: " + Path("d.CSV") + folder},
      {{"import-csv", a, Path("short.CSV"), "-o", Path("b.M5")}, 1, "tqm5 import-csv: " + Path("short.CSV") +
       " line 3: the file ends before the line of channel 1603; the import stopped there; nothing was saved\n"},
      {{"font-import", a, Path("empty.FM5"), "-o", Path("b.M5")}, 1,
       "tqm5 font-import: " + Path("empty.FM5") + ": no glyph found in the file"},
      {{"write", "--port", "sim", "--model", "J", Path("half.M5")}, 1,
       "tqm5 write: " + Path("half.M5") + ": the file is cut short: no \"File End\" line"},
      {{"diff", a}, 2, "tqm5: diff takes 2 files"},
      {{"diff", a, "--port", "sim"}, 2, "tqm5: diff --port needs --model J, T or other"},
      {{"diff", a, a, "--port", "sim", "--model", "J"}, 2, "tqm5: diff --port takes 1 file"},
      {{"diff", a, Path("missing.M5")}, 2, "tqm5 diff: cannot open " + Path("missing.M5") + ": No such file"},
      {{"diff", a, "--port", "/dev/tqm5-none", "--model", "J"}, 2, "tqm5 diff: no serial port /dev/tqm5-none"},
      {{"show", Path("missing.M5")}, 1, "tqm5 show: cannot open " + Path("missing.M5") + ": No such file"},
      {{"--image", Path("d.M5")}, 2, "tqm5-sim: cannot load the radio memory: " + Path("d.M5") + folder,
       TQM5_SIM_EXECUTABLE},
      {{"--image", "/dev/zero"}, 2, "tqm5-sim: cannot load the radio memory: /dev/zero is not a regular file",
       TQM5_SIM_EXECUTABLE},
      {{"identify", "--port", "sim", "--model", "other"}, 0, "ZR~TQ-M5E: TQ-M5E, model option other\n"},
      {{"identify", "--port=sim", "--model=other"}, 0, "ZR~TQ-M5E: TQ-M5E, model option other\n"},
      {{"show", "--model", "T", "--", "-a.M5"}, 0, "Channels: 23 used\n"},
      {{"--version"}, 0, "tqm5 0.1.0\n"},
      {{"--help"}, 0, "Usage: tqm5 VERB"},
      {{"write", "--help"}, 0, "Usage: tqm5 write --port P --model M FILE.M5 [--changes | --verify] [--accept-changes]\n"},
      {{"--help"}, 0, "Usage: " + std::string(TQM5_CLONE_EXECUTABLE) + " [options] [FILE.M5]\n", TQM5_CLONE_EXECUTABLE},
      {{"--version"}, 0, "tqm5-clone 0.1.0\n", TQM5_CLONE_EXECUTABLE},
  };
  // clang-format on
  for (const Case& c : cases) {
    testing::RunResult result = Run(c.program, c.args);
    std::string what = c.args.empty() ? "(none)" : c.args[0] + " " + c.args.back();
    EXPECT_EQ(result.status, c.status) << what << ": " << result.err;
    if (c.status == 0) {
      EXPECT_EQ(result.out.rfind(c.start, 0), 0u) << what << ": " << result.out;
      EXPECT_EQ(c.args.size() == 2, result.out.find("\nExample: tqm5 ") != std::string::npos);
      continue;
    }
    EXPECT_EQ(result.err.rfind(c.start, 0), 0u) << what << ": " << result.err;
    if (c.args.empty()) continue;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    for (const std::string& arg : c.args) {
      if (arg[0] == '/' && c.start.find(arg) != std::string::npos) {
        EXPECT_EQ(result.err.find(arg), result.err.rfind(arg)) << result.err;
      }
    }
  }
  EXPECT_FALSE(fs::exists(Path("b.M5")) || fs::exists(Path("-")));
}

TEST_F(CliTest, AProjectKeepsItsOwnLanguageUnderEveryModel) {
  // Language first on SD01 (0 Japanese, 1 English); "Cross Band set" second on SD09.
  // The bytes at 0x3E and 0x48 give the language and the cross band.
  // clang-format off
  struct Case { std::string model, variant, sd01_language; uint8_t language_byte, cross_band_byte; std::string shown; };
  const Case cases[] = {{"J", "TQ-M5", "001", 0x00, 0x00, "English"}, {"T", "TQ-M5T", "000", 0x01, 0x01, "日本語"}};
  // clang-format on
  for (const Case& c : cases) {
    const std::string project = Path(c.model + ".M5");
    testing::WriteLines(project,
                        StartUpProject({{"SD01", "SD01" + c.sd01_language + std::string(45, '0')},
                                        {"SD09", "SD09000001"}}));
    const std::string memory = Path(c.model + ".bin");
    std::string device;
    testing::Child sim(testing::SpawnAndReadFirstLine(
        TQM5_SIM_EXECUTABLE, {"--variant", c.variant, "--image", memory}, device));
    ASSERT_TRUE(sim.started());
    testing::RunResult write = Tqm5({"write", "--port", device, "--model", c.model, project});
    EXPECT_EQ(write.status, 0) << write.err;
    ASSERT_EQ(sim.Stop(), 0);
    const SimRadio::Memory written = SavedMemory(memory);
    EXPECT_EQ(std::pair(written[0x3E], written[0x48]),
              std::pair(c.language_byte, c.cross_band_byte));
    testing::RunResult show = Tqm5({"show", "--model", c.model, project});
    EXPECT_NE(show.out.find("language／言語      " + c.shown + "\n"), std::string::npos) << c.model;
  }
}

// `tqm5 write ... 2>&1 | head -1`: the reader is gone before the first line; the write still
// reaches every channel and the order table, and ends as a success.
TEST_F(CliTest, AWriteFinishesWhenItsOutputIsClosed) {
  SimRadio blank;
  blank.memory().fill(0xFF);
  ASSERT_TRUE(blank.SaveImage(Path("radio.bin")));
  testing::WriteLines(Path("a.M5"), StartUpProject());
  testing::Child sim(StartSimulator(Path("radio.bin"), Path("radio")));
  ASSERT_TRUE(sim.started());
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  close(fds[0]);
  const int output[2] = {-1, fds[1]};
  testing::Child tqm5(testing::Spawn(
      TQM5_EXECUTABLE, {"write", "--port", Path("radio"), "--model", "J", Path("a.M5")},
      Environment(), "", "", output, true));
  close(fds[1]);
  ASSERT_TRUE(tqm5.started());
  EXPECT_EQ(tqm5.Wait(), 0);
  ASSERT_EQ(sim.Stop(), 0);
  // Right after start-up the program writes the factory memory.
  EXPECT_EQ(FirstOwnedDifference(SavedMemory(Path("radio.bin")), SimRadio::FactoryMemory(kTqM5)),
            -1);
}

// A failed transfer names what happened on the line: the radio left it, its reply was noise,
// or its answer came too late; `identify` with the wrong model asks as the other models and
// says which one the radio is. The last line of stderr is the outcome.
TEST_F(CliTest, FailuresNameWhatHappenedOnTheLine) {
  // clang-format off
  struct Case { std::vector<std::string> sim_args; std::string outcome; std::string verb = "read"; std::vector<std::string> more = {}; };
  const Case cases[] = {
      {{"--hang-up-after", "30"}, R"(tqm5 read: Error: reading .*: the port went away during "ZR~F[0-9A-F]{5}R" )"
       R"(\(/dev/pts/\d+: [a-z ]+\): check that the cable is plugged in and the radio is on\.)"},
      {{"--delay", "1500"}, R"(tqm5 read: Error: identification as model option J failed: .* \(the radio )"
       R"(answered "ZR~TQ-M5" after \d+ ms, later than the 1000 ms allowed\)\. .*)"},
      {{"--variant", "TQ-M5T"}, "tqm5 identify: the radio did not answer as model option J, but it answered "
       "ZR~TQ-M5T: it is model option T; run again with --model T", "identify"},
      // Write 500 of a full write stores channel 470.
      {{"--corrupt-every", "500"}, R"(tqm5 write: Verification failed: channel 470 does not hold what was sent\. .*: )"
       R"(channel 470 \(address 08740\): byte 32 was sent as 00 and read back as 01; 2 more differ: channel 970, channel 1470\.)",
       "write", {"--verify", "PROJECT"}},
  };
  testing::WriteLines(Path("a.M5"), StartUpProject());
  // clang-format on
  for (const Case& c : cases) {
    std::string device;
    testing::Child sim(testing::SpawnAndReadFirstLine(TQM5_SIM_EXECUTABLE, c.sim_args, device));
    ASSERT_TRUE(sim.started());
    std::vector<std::string> args = {c.verb, "--port", device, "--model", "J"};
    for (const std::string& arg : c.more) args.push_back(arg == "PROJECT" ? Path("a.M5") : arg);
    testing::RunResult run = Tqm5(args);
    EXPECT_EQ(run.status, 1) << c.sim_args[0];
    std::string last = run.err.substr(run.err.rfind('\n', run.err.size() - 2) + 1);
    EXPECT_TRUE(std::regex_match(last, std::regex(c.outcome + "\n"))) << last;
  }
}

// A signal stops a transfer between exchanges; while the read runs, a second program on the
// same device, under another of its names, is refused before it sends anything and is told
// which program holds it.
TEST_F(CliTest, SignalsStopATransferAndADeviceInUseIsRefused) {
  std::string device;
  testing::Child sim(testing::SpawnAndReadFirstLine(
      TQM5_SIM_EXECUTABLE,
      {"--factory", "--pace", "--image", Path("radio.bin"), "--link", Path("radio")}, device));
  ASSERT_TRUE(sim.started());
  testing::WriteLines(Path("a.M5"), StartUpProject({{"TITLE", "TITLEBUSY"}}));
  // clang-format off
  struct Case { int signal_number; std::string reason; };
  const Case cases[] = {{SIGINT, "stopped by Ctrl-C (SIGINT)"},
                        {SIGTERM, "stopped by SIGTERM (termination request)"},
                        {SIGHUP, "stopped: the terminal was closed (SIGHUP)"}};
  // clang-format on
  for (const auto& [signal_number, reason] : cases) {
    const std::string err_path = Path("stderr-" + std::to_string(signal_number));
    testing::Child tqm5(testing::Spawn(
        TQM5_EXECUTABLE,
        {"read", "--port", Path("radio"), "--model", "J", "-o", Path("cancelled.M5")},
        Environment(), Path("stdout"), err_path));
    ASSERT_TRUE(tqm5.started());
    // The first progress line comes once the radio has answered; the paced read of the whole
    // radio takes far longer than the signal needs to arrive.
    ASSERT_TRUE(testing::WaitForText(err_path, "tqm5: areas"));
    testing::RunResult write = Tqm5({"write", "--port", device, "--model", "J", Path("a.M5")});
    EXPECT_EQ(std::to_string(write.status) + " " + write.err,
              "1 tqm5 write: " + device + " is in use by tqm5 (process " +
                  std::to_string(tqm5.pid()) +
                  "): wait for it to finish or stop it, then try again\n");
    EXPECT_EQ(tqm5.Stop(signal_number), 1) << "signal " << signal_number;
    const std::string err = testing::ReadFile(err_path);
    // Progress lines come first when stderr is not a terminal; the outcome is the last line.
    EXPECT_TRUE(err.find("\ntqm5 read: " + reason + " while reading ") != std::string::npos &&
                err.ends_with(". The port is closed; nothing was saved.\n"))
        << err;
    EXPECT_FALSE(fs::exists(Path("cancelled.M5")));
  }
  ASSERT_EQ(sim.Stop(), 0);
  EXPECT_TRUE(SavedMemory(Path("radio.bin")) == SimRadio::FactoryMemory(kTqM5))
      << "a write reached the radio";
}

TEST_F(CliTest, ReadNeverReplacesAnEarlierFileOfTheSameName) {
  // Files already named for every second the read may start in, here and in the backups.
  const fs::path backups = dir_ / "data" / "TQ-M5" / "backups";
  fs::create_directories(backups);
  std::vector<fs::path> earlier;
  for (std::time_t t = std::time(nullptr), end = t + 20; t <= end; ++t) {
    std::tm local{};
    localtime_r(&t, &local);
    char name[64];
    std::strftime(name, sizeof(name), "radio-%Y%m%d-%H%M%S.M5", &local);
    for (const fs::path& folder : {dir_, backups}) {
      earlier.push_back(folder / name);
      std::ofstream(earlier.back()) << "earlier\r\n";
    }
  }
  fs::current_path(dir_);
  testing::RunResult read = Tqm5({"read", "--port", "sim", "--model", "T"});
  EXPECT_EQ(read.status, 0) << read.err;
  for (const fs::path& path : earlier)
    EXPECT_EQ(testing::ReadFile(path.string()), "earlier\r\n") << path;
  // Saved radio-STAMP-2.M5 (relative, as given) and Backup .../radio-STAMP-2.M5.
  std::smatch match;
  ASSERT_TRUE(std::regex_search(read.out, match,
                                std::regex("Saved (radio-\\d{8}-\\d{6}-2\\.M5)\n"
                                           "Backup (.*/radio-\\d{8}-\\d{6}-2\\.M5)\n")))
      << read.out;
  EXPECT_TRUE(fs::exists(match[2].str()));
}

// An import that empties or skips rows lists each on stderr (channel 11 and a blank line), saves
// the project all the same and exits with 1; the last line says the project was saved.
TEST_F(CliTest, ImportCsvReportsEveryProblemRowAndStillSaves) {
  testing::WriteLines(Path("a.M5"), StartUpProject());
  std::vector<std::string> csv = {
      ",Freqency,mode,step,Carrier,Tone/DCS,Tx-tone,Rx-tone,DCS,Shift,Shift-Freq,Skip,Name,0"};
  for (int n = 1; n <= 1603; ++n) {
    csv.push_back("L," + std::string(n == 11 ? std::string(100, '9') : "145") +
                  ",FM,5KHz,JR,None,88.5Hz,88.5Hz,023,Off,0.6,,," + std::to_string(n));
    if (n == 11) csv.push_back("");
  }
  testing::WriteLines(Path("in.csv"), csv, "\n");
  testing::RunResult result =
      Tqm5({"import-csv", Path("a.M5"), Path("in.csv"), "-o", Path("b.M5")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.substr(0, result.err.find('\n', result.err.find('\n') + 1) + 1),
            Path("in.csv") + " line 12, channel 11, Freqency \"" + std::string(40, '9') +
                "...\" (100 characters): not a frequency in MHz of 1 to 4 digits, \".\" and 1 to 5 "
                "decimals; channel emptied\n" +
                Path("in.csv") + " line 13: blank line; skipped\n");
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 4) << result.err;
  EXPECT_NE(result.err.find(Path("b.M5") + " was saved anyway"), std::string::npos) << result.err;
  testing::RunResult show = Tqm5({"show", Path("b.M5")});
  EXPECT_NE(show.out.find("Channels: 1622 used"), std::string::npos) << show.out.substr(0, 300);
}

TEST_F(CliTest, ChannelListsGoOutAndComeInAtTheGivenMemory) {
  testing::WriteLines(Path("a.M5"), StartUpProject());
  testing::WriteLines(
      Path("in.csv"),
      {"Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
       "Mode,TStep,Skip,Comment",
       "0,RPT,145.150000,-,0.600000,Tone,100.0,88.5,023,NN,FM,5.00,,",
       "1,SPLIT,146.000000,split,147.000000,,88.5,88.5,023,NN,FM,5.00,,"},
      "\n");
  testing::RunResult result =
      Tqm5({"import-channels", Path("a.M5"), Path("in.csv"), "-o", Path("b.M5"), "--start", "100"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(
      result.err.substr(0, result.err.find('\n') + 1),
      Path("in.csv") + " line 3, channel 101: the rows go on from bank 00 into bank 01 here\n");
  EXPECT_NE(result.err.find(" line 3, channel 101, Duplex \"split\""), std::string::npos);
  EXPECT_EQ(Tqm5({"export-channels", Path("b.M5"), Path("out.csv")}).status, 0);
  EXPECT_EQ(
      testing::ReadFile(Path("out.csv")),
      "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
      "Mode,TStep,Skip,Comment\r\n100,RPT,145.150000,-,0.600000,Tone,100.0,88.5,023,NN,FM,5.00,,"
      "carrier=ＪＲ\r\n");
}

// An output that is the same file as an input, by whatever name, is a usage error: one line names
// both, and every file stays as it was.
TEST_F(CliTest, AnOutputThatIsAnInputIsRefused) {
  const std::string project = "Save Date and Time\r\nFile End\r\n";
  std::ofstream(Path("a.M5")) << project;
  std::ofstream(Path("my.CSV")) << "csv";
  std::ofstream(Path("g.FM5")) << "font";
  fs::create_symlink("a.M5", Path("link.FM5"));
  fs::create_hard_link(Path("g.FM5"), Path("hard.M5"));
  const std::string port = Path("link.FM5");
  fs::current_path(dir_);
  // clang-format off
  struct Case { std::vector<std::string> args; std::string same; };
  const Case cases[] = {
      {{"export-csv", "a.M5", "a.M5"}, "a.M5 is the same file as a.M5"},
      {{"export-csv", "a.M5", "./a.M5"}, "./a.M5 is the same file as a.M5"},
      {{"font-export", "a.M5", "link.FM5"}, "link.FM5 is the same file as a.M5"},
      {{"import-csv", "a.M5", "my.CSV", "-o", "my.CSV"}, "-o my.CSV is the same file as my.CSV"},
      {{"font-import", "a.M5", "g.FM5", "-o", "hard.M5"}, "-o hard.M5 is the same file as g.FM5"},
      {{"read", "--port", port, "--model", "J", "-o", "a.M5"}, "-o a.M5 is the same file as --port " + port},
      {{"write", "--port", port, "--model", "J", "a.M5"}, "--port " + port + " is the same file as a.M5"},
  };
  // clang-format on
  for (const Case& c : cases) {
    testing::RunResult result = Tqm5(c.args);
    EXPECT_EQ(std::to_string(result.status) + " " + result.err,
              "2 tqm5 " + c.args[0] + ": " + c.same +
                  "; writing it would destroy a file the command reads (nothing was done)\n");
  }
  EXPECT_TRUE(testing::ReadFile(Path("a.M5")) + testing::ReadFile(Path("my.CSV")) +
                  testing::ReadFile(Path("hard.M5")) ==
              project + "csvfont");
  EXPECT_TRUE(fs::is_symlink(Path("link.FM5")));
}

// A verb that replaces a file first copies it into the backups folder under its own name and the
// time, and says so in one line; an earlier copy is never replaced. When no copy can be made,
// the file is not replaced and the command fails.
TEST_F(CliTest, ReplacingAFileKeepsACopyFirst) {
  testing::WriteLines(Path("a.M5"), StartUpProject());
  std::ofstream(Path("notes.txt")) << "x";
  const std::string backups = Path("data") + "/TQ-M5/backups/";
  fs::current_path(dir_);
  // clang-format off
  struct Case { std::vector<std::string> args; std::map<std::string, std::string> env; std::string failure; };
  const Case cases[] = {
      {{"export-csv", "a.M5", "out.CSV"}, {}, ""},
      {{"export-csv", "a.M5", "out.CSV"}, {}, ""},  // the same second: "-2"
      {{"read", "--port", "sim", "--model", "J", "-o", "out.M5"}, {}, ""},
      {{"export-csv", "a.M5", "out.CSV"}, {{"XDG_DATA_HOME", Path("notes.txt")}},
       "cannot create the backups folder " + Path("notes.txt") + "/TQ-M5/backups: Not a directory"},
      {{"read", "--port", "sim", "--model", "J", "-o", "out.M5"}, {{"XDG_DATA_HOME", ""}, {"HOME", ""}},
       "neither XDG_DATA_HOME nor HOME is set"},
  };
  // clang-format on
  int n = 0;
  std::vector<std::string> copies;
  for (const Case& c : cases) {
    const std::string output = c.args.back(), old = "old " + std::to_string(++n);
    SCOPED_TRACE(old);
    std::ofstream(Path(output)) << old;
    std::map<std::string, std::string> env = {{"XDG_DATA_HOME", Path("data")},
                                              {"HOME", Path("home")}};
    for (const auto& [name, value] : c.env) env[name] = value;
    testing::RunResult result =
        testing::RunProgram(TQM5_EXECUTABLE, c.args, testing::EnvironmentWith(env), dir_.string());
    if (!c.failure.empty()) {
      EXPECT_EQ(std::to_string(result.status) + " " + result.err,
                "1 tqm5 " + c.args[0] + ": cannot keep a copy of " + output +
                    " before replacing it: " + c.failure + "; " + output + " was not changed\n");
      EXPECT_EQ(testing::ReadFile(Path(output)), old);
      continue;
    }
    EXPECT_EQ(result.status, 0) << result.err;
    std::smatch match;
    std::string stem = output.substr(0, output.find('.')),
                extension = output.substr(output.find('.'));
    ASSERT_TRUE(std::regex_search(result.out, match,
                                  std::regex("(^|\n)Backup of the old " + output + ": (" + backups +
                                             stem + "-\\d{8}-\\d{6}(-2)?\\" + extension + ")\n")))
        << result.out;
    EXPECT_EQ(testing::ReadFile(match[2].str()), old);
    EXPECT_NE(testing::ReadFile(Path(output)), old);
    copies.push_back(match[2].str());
  }
  EXPECT_NE(copies[0], copies[1]);
}

// A project whose lines were not all taken as they are: every verb lists them on stderr and does
// its work, but `write` sends nothing until --accept-changes, and then sends what was loaded.
TEST_F(CliTest, WriteSendsAProjectAsItIsOrNotAtAll) {
  const std::string project = Path("p.M5");
  std::vector<std::string> lines = StartUpProject();
  lines.insert(lines.begin() + 1, "CH00100145.0000000028008080001000.6000ABCDEFGHIJKLMNOPQ");
  testing::WriteLines(project, lines);
  const std::string problem = project +
                              ": line 2, channel 11, Name \"ABCDEFGHIJKLMNOPQ\": 17 characters, "
                              "the radio holds 16; loaded as \"ABCDEFGHIJKLMNOP\"\n";
  for (const std::vector<std::string>& verb : {std::vector<std::string>{"show", project},
                                               {"export-csv", project, Path("p.CSV")},
                                               {"font-export", project, Path("p.FM5")}}) {
    testing::RunResult result = Tqm5(verb);
    EXPECT_EQ(std::to_string(result.status) + " " + result.err, "0 " + problem) << verb[0];
  }
  const std::string memory = Path("radio.bin");
  pid_t sim = StartSimulator(memory, Path("radio"));
  ASSERT_GT(sim, 0);
  std::vector<std::string> args = {"write", "--port", Path("radio"), "--model", "J", project};
  testing::RunResult refused = Tqm5(args);
  EXPECT_EQ(std::to_string(refused.status) + " " + refused.err,
            "1 " + problem + "tqm5 write: " + project +
                " was not sent: 1 line was not taken as it is (listed above). Correct the file, "
                "or send what was loaded with --accept-changes.\n");
  ASSERT_EQ(testing::StopProcess(sim), 0);
  EXPECT_TRUE(SavedMemory(memory) == SimRadio::FactoryMemory(kTqM5));  // nothing was written

  sim = StartSimulator(memory, Path("radio"));
  ASSERT_GT(sim, 0);
  args.push_back("--accept-changes");
  testing::RunResult accepted = Tqm5(args);
  EXPECT_EQ(std::to_string(accepted.status) + accepted.out.substr(0, 9) +
                accepted.err.substr(0, problem.size()),
            "0Complete\n" + problem);
  ASSERT_EQ(testing::StopProcess(sim), 0);
  EXPECT_EQ(BytesToHex(
                std::span<const uint8_t>(SavedMemory(memory)).subspan(ChannelAddress(11) + 32, 32)),
            "4100420043004400450046004700480049004A004B004C004D004E004F005000");
}

}  // namespace
}  // namespace tqm5
