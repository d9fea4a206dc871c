// The few operating-system calls the library makes, each behind a small function with one body
// for POSIX systems (platform_posix.cc) and one for Windows (platform_windows.cc); the build
// compiles the one that fits. Failures leave the reason in errno, as the C library does.
#ifndef TQM5_IMAGE_PLATFORM_H_
#define TQM5_IMAGE_PLATFORM_H_

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace tqm5::platform {

// What a file name leads to, after symbolic links.
struct FileStatus {
  bool exists = false;
  bool folder = false;
  bool regular = false;
  unsigned mode = 0;  // permission bits; Windows has none and shows 0666 or 0444
  unsigned long owner = 0;
  unsigned long group = 0;
};

// Fills `status`; false with errno set when the name leads nowhere (ENOENT, ENOTDIR) or
// cannot be looked at.
bool StatusOf(const std::filesystem::path& path, FileStatus& status);
bool StatusOf(int fd, FileStatus& status);

// Creates the file anew for writing in binary: fails with EEXIST when the name is taken. `mode`
// (less the umask) gives the permission bits where the system has them. Returns the descriptor,
// or -1.
int CreateNewFile(const std::filesystem::path& path, unsigned mode);
// Opens an existing file for reading in binary. Returns the descriptor, or -1.
int OpenToRead(const std::filesystem::path& path);

// read() and write(): the bytes moved, 0 at the end of the file, -1 on failure.
long ReadSome(int fd, char* buffer, size_t size);
long WriteSome(int fd, const char* bytes, size_t size);
// Waits until what was written is on the disk.
bool SyncFile(int fd);
bool CloseFile(int fd);

// Gives the open file the permission bits `mode` (none on Windows).
void SetMode(int fd, unsigned mode);
// Gives the open file the owner of `old` where the system allows it (root saving another user's
// file); otherwise, and on Windows, it stays with whoever created it.
void KeepOwner(int fd, const FileStatus& old);

// Renames `from` to `to`, replacing a file there in one step.
bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);
bool RemoveFile(const std::filesystem::path& path);

// The local time of `time` (localtime() without its shared buffer).
std::tm LocalTime(std::time_t time);

// True when the stream goes to a terminal (a console on Windows).
bool IsTerminal(std::FILE* stream);

// The system's CP932 (Shift-JIS) converter, one character at a time: iconv("CP932") on POSIX,
// code page 932 of MultiByteToWideChar/WideCharToMultiByte on Windows.
class Cp932Converter {
 public:
  Cp932Converter();
  ~Cp932Converter();
  Cp932Converter(const Cp932Converter&) = delete;
  Cp932Converter& operator=(const Cp932Converter&) = delete;

  // The one character that the code bytes (one or two) stand for, or 0 when they are not
  // exactly one whole character.
  char32_t Decode(std::string_view code) const;
  // The code bytes of `c`, or "" when CP932 has no code for it.
  std::string Encode(char32_t c) const;

 private:
  void* to_utf32_ = nullptr;
  void* from_utf32_ = nullptr;
};

}  // namespace tqm5::platform

#endif  // TQM5_IMAGE_PLATFORM_H_
