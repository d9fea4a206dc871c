#include "files/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

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
  // A pipe would block the read for good, and a device may never end.
  std::string pipe = TempPath("pipe.M5");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::string bom = TempPath("bom.csv");
  std::ofstream(bom, std::ios::binary) << "\xEF\xBB\xBF\xE6\x9D\xB1\r\n\r\na\x93\x8C\r\n";
  for (const std::string& path : {pipe, std::string("/dev/zero"), folder, bom}) {
    EXPECT_FALSE(ReadTextLines(path, lines, error));
    EXPECT_EQ(error, path + (path == folder ? " is a folder, not a file"
                             : path == bom
                                 ? " line 3: byte 0x93 is not UTF-8, though the file begins with "
                                   "a UTF-8 byte-order mark; save it again as UTF-8 or Shift-JIS"
                                 : " is not a regular file"));
  }
}

}  // namespace
}  // namespace tqm5
