#include "files/text_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "support/files.h"

namespace tqm5 {
namespace {

using testing::TempPath;

// Files as other programs save them: the bytes are written out by hand ("東京" is 93 8C 8B 9E in
// CP932 and E6 9D B1 E4 BA AC in UTF-8; "ｱ" is B1 and EF BD B1). Valid UTF-8 is taken as UTF-8
// only when a sequence of three or more bytes shows it: half-width kana pairs in CP932 often
// form two-byte UTF-8 sequences ("ﾃｱ" is C3 B1, "ñ" in UTF-8).
TEST(TextFileTest, ReadsCp932AndUtf8FilesByTheirBytes) {
  // clang-format off
  struct Case { const char* name; std::string bytes; TextEncoding encoding; std::vector<std::string> lines; };
  const Case cases[] = {
      {"cp932 kanji, CR LF", "a\r\n\x93\x8C\x8B\x9E\r\n", TextEncoding::kCp932, {"a", "東京"}},
      {"cp932 half-width kana", "\xB1,x\n", TextEncoding::kCp932, {"ｱ,x"}},
      {"cp932 kana as two-byte utf-8", "\xC3\xB1\r\n", TextEncoding::kCp932, {"ﾃｱ"}},
      {"ascii only, lone CR", "a\rb", TextEncoding::kCp932, {"a", "b"}},
      {"utf-8, LF", "\xE6\x9D\xB1\xE4\xBA\xAC\nｱ\n", TextEncoding::kUtf8, {"東京", "ｱ"}},
      {"utf-8 with BOM", "\xEF\xBB\xBF" "CH,1\r\n", TextEncoding::kUtf8, {"CH,1"}},
      // C0 AF looks like a UTF-8 sequence but is an overlong form: in CP932 it is "ﾀｯ".
      {"overlong utf-8 form", "\xC0\xAF\r\n", TextEncoding::kCp932, {"ﾀｯ"}},
      {"empty", "", TextEncoding::kCp932, {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = TempPath("case.txt");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
    std::vector<std::string> lines;
    std::string error;
    TextEncoding encoding = TextEncoding::kCp932;
    ASSERT_TRUE(ReadTextLines(path, lines, error, &encoding)) << error;
    EXPECT_EQ(std::pair(encoding, lines), std::pair(c.encoding, c.lines));
  }
}

// A byte-order mark promises UTF-8: a file that breaks it is refused at the first bad byte's line
// rather than read as garbage.
TEST(TextFileTest, RefusesFoldersMissingFilesAndBrokenUtf8WithAReason) {
  std::string folder = TempPath("folder.M5");
  std::filesystem::create_directories(folder);
  std::vector<std::string> lines;
  std::string error;
  EXPECT_FALSE(ReadTextLines(TempPath("missing.M5"), lines, error));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
  std::string bom = TempPath("bom.csv");
  std::ofstream(bom, std::ios::binary) << "\xEF\xBB\xBF\xE6\x9D\xB1\r\n\r\na\x93\x8C\r\n";
  std::vector<std::string> refused = {folder, bom};
#ifndef _WIN32  // Windows has neither among its files
  // A pipe would block the read for good, and a device may never end.
  std::string pipe = TempPath("pipe.M5");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  refused.insert(refused.end(), {pipe, "/dev/zero"});
#endif
  for (const std::string& path : refused) {
    EXPECT_FALSE(ReadTextLines(path, lines, error));
    EXPECT_EQ(error, path + (path == folder ? " is a folder, not a file"
                             : path == bom
                                 ? " line 3: byte 0x93 is not UTF-8, though the file begins with "
                                   "a UTF-8 byte-order mark; save it again as UTF-8 or Shift-JIS"
                                 : " is not a regular file"));
  }
  // Far larger than any project, CSV or font file: refused before it is read.
  std::string big = TempPath("big.CSV");
  std::ofstream(big).flush();
  std::filesystem::resize_file(big, (17u << 20) + 1);
  EXPECT_FALSE(ReadTextLines(big, lines, error));
  EXPECT_EQ(error, big +
                       " is 18 MB, far larger than any project, CSV or font file (at most 16 MB "
                       "are read)");
}

// A save replaces the file's contents only: a symbolic link stays a link and its file is written,
// a file keeps its permission bits, a new file gets the usual mode, and no temporary file stays
// behind. A name of 255 characters, the most a file system takes, saves too.
TEST(TextFileTest, SavingKeepsLinksModesAndLongNames) {
#ifdef _WIN32
  GTEST_SKIP() << "no permission bits or umask on Windows, and its symbolic links need rights";
#else
  namespace fs = std::filesystem;
  const mode_t mask = umask(0);
  umask(mask);
  // `mode` 0: no file before the save.
  // clang-format off
  struct Case { const char* name; std::string file; mode_t mode; std::string link; mode_t after; };
  const Case cases[] = {
      {"new file", "new.M5", 0, "", 0666 & ~mask}, {"private file", "private.M5", 0600, "", 0600},
      {"through a link", "target.M5", 0600, "link.M5", 0600},
      {"link to no file yet", "absent.M5", 0, "dangling.M5", 0666 & ~mask},
      {"name of 255 characters", std::string(252, 'n') + ".M5", 0644, "", 0644},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path dir = TempPath("save");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / c.file, link = dir / c.link;
    if (c.mode != 0) {
      std::ofstream(file) << "old";
      fs::permissions(file, static_cast<fs::perms>(c.mode));
    }
    if (!c.link.empty()) fs::create_symlink(c.file, link);
    std::string error;
    EXPECT_TRUE(WriteTextLines((c.link.empty() ? file : link).string(), {"new"}, error)) << error;
    EXPECT_EQ(testing::ReadFile(file.string()), "new\r\n");
    EXPECT_EQ(fs::is_symlink(link), !c.link.empty());
    struct stat status {};
    EXPECT_EQ(stat(file.c_str(), &status) == 0 ? status.st_mode & 07777 : 0, c.after);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), c.link.empty() ? 1 : 2);
  }
#endif
}

// A save that cannot be made names the file or folder at fault and leaves the old file as it
// was. Root may write in any folder, so the locked folder is tried only for other users.
TEST(TextFileTest, AFailedSaveSaysWhereAndKeepsTheOldFile) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no named pipes among its files and no folder permission bits";
#else
  namespace fs = std::filesystem;
  const fs::path dir = TempPath("unsaved");
  fs::remove_all(dir);
  fs::create_directories(dir / "folder.M5");
  fs::create_directories(dir / "locked");
  std::ofstream(dir / "plain.txt") << "old";
  std::ofstream(dir / "locked" / "old.M5") << "old";
  fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  ASSERT_EQ(mkfifo((dir / "pipe.M5").c_str(), 0600), 0);
  const std::string cannot = "cannot create a temporary file in folder " + dir.string();
  struct Case {
    std::string path, error;
  };
  const Case cases[] = {
      {"plain.txt/x.M5", cannot + "/plain.txt: Not a directory"},
      {"missing/x.M5", cannot + "/missing: No such file or directory"},
      {"folder.M5", (dir / "folder.M5").string() + " is a folder, not a file"},
      {"pipe.M5", (dir / "pipe.M5").string() + " is not a regular file"},
      {"locked/old.M5", cannot + "/locked: Permission denied"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    if (c.path.starts_with("locked") && geteuid() == 0) {
      std::cout << "The locked folder is not tried: root may write in any folder.\n";
      continue;
    }
    std::string error;
    EXPECT_FALSE(WriteTextLines((dir / c.path).string(), {"new"}, error));
    EXPECT_EQ(error, c.error);
  }
  EXPECT_EQ(testing::ReadFile((dir / "plain.txt").string()) +
                testing::ReadFile((dir / "locked" / "old.M5").string()),
            "oldold");
  EXPECT_TRUE(fs::is_fifo(dir / "pipe.M5"));
  fs::permissions(dir / "locked", fs::perms::owner_all);
#endif
}

// A name typed without an extension in a save dialog gets the chosen filter's; "All Files" and a
// name with an extension of its own keep the name as typed.
TEST(TextFileTest, ASavedNameGetsTheFiltersExtensionOnlyWhenItHasNone) {
  // Filter, name as typed, name saved.
  // clang-format off
  const std::array<const char*, 3> rows[] = {
      {"TQ-M5 Files (*.M5)", "/home/u/my-radio", "/home/u/my-radio.M5"}, {"CSV Files (*.CSV)", "chan", "chan.CSV"},
      {"M5フォントファイル(*.FM5)", "/a.b/glyphs", "/a.b/glyphs.FM5"},
      {"TQ-M5 Files (*.M5)", "/home/u/my.radio", "/home/u/my.radio"},
      {"TQ-M5 Files (*.M5)", "/home/u/.hidden", "/home/u/.hidden.M5"},
      {"All Files (*)", "/home/u/my-radio", "/home/u/my-radio"}, {"すべてのファイル(*.*)", "glyphs", "glyphs"},
  };
  // clang-format on
  for (const auto& [filter, path, saved] : rows)
    EXPECT_EQ(WithExtension(path, FilterExtension(filter)), saved) << path;
}

}  // namespace
}  // namespace tqm5
