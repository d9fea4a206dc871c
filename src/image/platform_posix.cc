#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "image/platform.h"

namespace tqm5::platform {
namespace {

void Fill(const struct stat& s, FileStatus& status) {
  status.exists = true;
  status.folder = S_ISDIR(s.st_mode);
  status.regular = S_ISREG(s.st_mode);
  status.mode = s.st_mode & 07777;
  status.owner = s.st_uid;
  status.group = s.st_gid;
}

// Converts one complete input; returns the bytes produced, or 0 when iconv refused it.
size_t Convert(void* cd, const void* in, size_t in_len, void* out, size_t out_len) {
  auto descriptor = static_cast<iconv_t>(cd);
  iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  char* in_ptr = const_cast<char*>(static_cast<const char*>(in));
  char* out_ptr = static_cast<char*>(out);
  size_t out_left = out_len;
  if (iconv(descriptor, &in_ptr, &in_len, &out_ptr, &out_left) == static_cast<size_t>(-1)) {
    return 0;
  }
  return in_len != 0 ? 0 : out_len - out_left;
}

}  // namespace

bool StatusOf(const std::filesystem::path& path, FileStatus& status) {
  struct stat s {};
  status = {};
  if (stat(path.c_str(), &s) != 0) return false;
  Fill(s, status);
  return true;
}

bool StatusOf(int fd, FileStatus& status) {
  struct stat s {};
  status = {};
  if (fstat(fd, &s) != 0) return false;
  Fill(s, status);
  return true;
}

int CreateNewFile(const std::filesystem::path& path, unsigned mode) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
}

int OpenToRead(const std::filesystem::path& path) {
  return open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

long ReadSome(int fd, char* buffer, size_t size) { return read(fd, buffer, size); }

long WriteSome(int fd, const char* bytes, size_t size) { return write(fd, bytes, size); }

bool SyncFile(int fd) { return fsync(fd) == 0; }

bool CloseFile(int fd) { return close(fd) == 0; }

void SetMode(int fd, unsigned mode) { fchmod(fd, static_cast<mode_t>(mode)); }

void KeepOwner(int fd, const FileStatus& old) {
  if (old.owner != geteuid() || old.group != getegid()) {
    int kept = fchown(fd, static_cast<uid_t>(old.owner), static_cast<gid_t>(old.group));
    static_cast<void>(kept);
  }
}

bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  return rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::filesystem::path& path) { return unlink(path.c_str()) == 0; }

std::tm LocalTime(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  return local;
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

Cp932Converter::Cp932Converter() {
  iconv_t to_utf32 = iconv_open("UTF-32LE", "CP932");
  iconv_t from_utf32 = iconv_open("CP932", "UTF-32LE");
  if (to_utf32 == reinterpret_cast<iconv_t>(-1) || from_utf32 == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error("iconv has no CP932 converter");
  }
  to_utf32_ = to_utf32;
  from_utf32_ = from_utf32;
}

Cp932Converter::~Cp932Converter() {
  iconv_close(static_cast<iconv_t>(to_utf32_));
  iconv_close(static_cast<iconv_t>(from_utf32_));
}

char32_t Cp932Converter::Decode(std::string_view code) const {
  char32_t out[4];
  if (Convert(to_utf32_, code.data(), code.size(), out, sizeof(out)) != 4) return 0;
  return out[0];
}

std::string Cp932Converter::Encode(char32_t c) const {
  char back[8];
  size_t n = Convert(from_utf32_, &c, 4, back, sizeof(back));
  return n == 1 || n == 2 ? std::string(back, n) : std::string();
}

}  // namespace tqm5::platform
