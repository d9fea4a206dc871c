#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "image/platform.h"

namespace tqm5::platform {
namespace {

void Fill(const struct _stat64& s, FileStatus& status) {
  status.exists = true;
  status.folder = (s.st_mode & _S_IFMT) == _S_IFDIR;
  status.regular = (s.st_mode & _S_IFMT) == _S_IFREG;
  // Windows keeps only a read-only flag, which the C library shows as a missing write bit.
  status.mode = (s.st_mode & _S_IWRITE) != 0 ? 0666 : 0444;
}

// errno for the last failed Win32 call, so that callers report it as they do the C library's.
void SetErrnoFromLastError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      errno = ENOENT;
      break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      errno = EACCES;
      break;
    case ERROR_DISK_FULL:
      errno = ENOSPC;
      break;
    default:
      errno = EIO;
  }
}

}  // namespace

bool StatusOf(const std::filesystem::path& path, FileStatus& status) {
  struct _stat64 s {};
  status = {};
  if (_wstat64(path.c_str(), &s) != 0) return false;
  Fill(s, status);
  return true;
}

bool StatusOf(int fd, FileStatus& status) {
  struct _stat64 s {};
  status = {};
  if (_fstat64(fd, &s) != 0) return false;
  Fill(s, status);
  return true;
}

int CreateNewFile(const std::filesystem::path& path, unsigned mode) {
  const int permission = (mode & 0200) != 0 ? _S_IREAD | _S_IWRITE : _S_IREAD;
  return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                permission);
}

int OpenToRead(const std::filesystem::path& path) {
  return _wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

long ReadSome(int fd, char* buffer, size_t size) {
  return _read(fd, buffer, static_cast<unsigned>(size > 0x40000000 ? 0x40000000 : size));
}

long WriteSome(int fd, const char* bytes, size_t size) {
  return _write(fd, bytes, static_cast<unsigned>(size > 0x40000000 ? 0x40000000 : size));
}

bool SyncFile(int fd) { return _commit(fd) == 0; }

bool CloseFile(int fd) { return _close(fd) == 0; }

// A file's permission bits, apart from the read-only flag, do not exist on Windows; a copy that
// was read-only could not be replaced by the next save, so it is left writable.
void SetMode(int, unsigned) {}

void KeepOwner(int, const FileStatus&) {}

bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  SetErrnoFromLastError();
  return false;
}

bool RemoveFile(const std::filesystem::path& path) { return _wunlink(path.c_str()) == 0; }

std::tm LocalTime(std::time_t time) {
  std::tm local{};
  localtime_s(&local, &time);
  return local;
}

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

Cp932Converter::Cp932Converter() = default;

Cp932Converter::~Cp932Converter() = default;

char32_t Cp932Converter::Decode(std::string_view code) const {
  // Windows gives the single bytes 0x80, 0xA0 and 0xFD..0xFF characters (U+0080 and private-use
  // ones) that iconv's CP932 does not have. They stay without one here, so that both builds read
  // and write the same bytes.
  if (code.size() == 1) {
    const auto byte = static_cast<unsigned char>(code[0]);
    if (byte == 0x80 || byte == 0xA0 || byte >= 0xFD) return 0;
  }
  wchar_t out[4];
  int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, code.data(), static_cast<int>(code.size()),
                              out, 4);
  return n == 1 ? static_cast<char32_t>(out[0]) : 0;
}

std::string Cp932Converter::Encode(char32_t c) const {
  // Every character of CP932 is in the Basic Multilingual Plane.
  if (c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) return "";
  const wchar_t in = static_cast<wchar_t>(c);
  char out[8];
  BOOL substituted = FALSE;
  int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &in, 1, out, sizeof(out), nullptr,
                              &substituted);
  return (n == 1 || n == 2) && !substituted ? std::string(out, static_cast<size_t>(n))
                                            : std::string();
}

}  // namespace tqm5::platform
