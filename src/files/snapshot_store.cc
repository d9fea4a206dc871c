#include "files/snapshot_store.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "files/file_ops.h"
#include "files/text_file.h"
#include "image/hex.h"
#include "image/memory_map.h"

namespace tqm5 {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFirstLine = "TQ-M5 radio snapshot 1";
constexpr std::string_view kKindStart = "TQ-M5 radio snapshot ";
constexpr std::string_view kIdentification = "identification ";
constexpr std::string_view kUpdated = "updated ";
constexpr std::string_view kBlock = "block ";
constexpr std::string_view kEnd = "end";
constexpr size_t kLongestIdentification = 32;
constexpr size_t kLongestSeconds = 10;
// The latest time a snapshot can hold, in seconds (the year 2255): the system clock counts
// nanoseconds in 64 bits and cannot hold much more.
constexpr long long kLatestSeconds = 9'000'000'000;
constexpr std::string_view kNothingKnown =
    "nothing is known of what the radio holds until it is read again";

bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// True when `digits` is a block's 128 digits, each byte two hex digits or two unknown ones.
bool IsBlockDigits(std::string_view digits) {
  if (digits.size() != kBlockHexLength) return false;
  for (size_t i = 0; i < digits.size(); i += 2) {
    bool unknown = digits[i] == kUnknownDigit && digits[i + 1] == kUnknownDigit;
    if (!unknown && !(IsUpperHexDigit(digits[i]) && IsUpperHexDigit(digits[i + 1]))) return false;
  }
  return true;
}

std::string StorePath(const std::string& folder, const std::string& digest) {
  return (fs::path(folder) / (digest + ".snapshot")).string();
}

}  // namespace

std::string SnapshotText(const RadioSnapshot& snapshot) {
  long long micro = 0;
  if (snapshot.updated) {
    micro =
        std::chrono::duration_cast<std::chrono::microseconds>(snapshot.updated->time_since_epoch())
            .count();
  }
  std::string fraction = std::to_string(1000000 + micro % 1000000).substr(1);
  std::string text = std::string(kFirstLine) + "\n";
  text += std::string(kIdentification) + snapshot.identification + "\n";
  text += std::string(kUpdated) + std::to_string(micro / 1000000) + "." + fraction + "\n";
  for (const auto& [address, digits] : snapshot.blocks) {
    text += std::string(kBlock) + AddressText(address) + " " + digits + "\n";
  }
  return text + std::string(kEnd) + "\n";
}

bool ParseSnapshotText(std::string_view text, RadioSnapshot& snapshot, std::string& error) {
  std::vector<std::string_view> lines;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  auto fail = [&error](size_t line, const std::string& why) {
    error = "line " + std::to_string(line + 1) + ": " + why;
    return false;
  };
  if (lines.empty()) return fail(0, "the file is empty");
  if (lines[0] != kFirstLine) {
    return fail(0, lines[0].starts_with(kKindStart)
                       ? "made by a newer program (\"" + std::string(lines[0]) + "\")"
                       : "not a radio snapshot");
  }
  RadioSnapshot read;
  if (lines.size() < 3) return fail(lines.size(), "the file is cut short");
  std::string_view identification =
      lines[1].substr(std::min(lines[1].size(), kIdentification.size()));
  if (!lines[1].starts_with(kIdentification) || identification.empty() ||
      identification.size() > kLongestIdentification ||
      !std::all_of(identification.begin(), identification.end(),
                   [](char c) { return c > ' ' && c < 0x7F; })) {
    return fail(1, "not \"identification\" and the command the radio accepted");
  }
  read.identification = identification;
  // Seconds with six decimals: a read and a write a moment apart stay in order.
  std::string_view time = lines[2].substr(std::min(lines[2].size(), kUpdated.size()));
  size_t point = time.find('.');
  auto digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!lines[2].starts_with(kUpdated) || point == 0 || point > kLongestSeconds ||
      point == std::string_view::npos || time.size() != point + 7 ||
      !digits(time.substr(0, point)) || !digits(time.substr(point + 1)) ||
      std::stoll(std::string(time.substr(0, point))) > kLatestSeconds) {
    return fail(2, "not \"updated\" and a time in seconds with six decimals");
  }
  read.updated = std::chrono::system_clock::time_point(
      std::chrono::microseconds(std::stoll(std::string(time.substr(0, point))) * 1000000 +
                                std::stoll(std::string(time.substr(point + 1)))));
  size_t i = 3;
  for (; i < lines.size() && lines[i].starts_with(kBlock); ++i) {
    std::string_view rest = lines[i].substr(kBlock.size());
    if (rest.size() != 6 + kBlockHexLength || rest[5] != ' ' ||
        !std::all_of(rest.begin(), rest.begin() + 5, IsUpperHexDigit) ||
        !IsBlockDigits(rest.substr(6))) {
      return fail(i, "not \"block\", a 5-digit address and 128 hex digits");
    }
    int address = std::stoi(std::string(rest.substr(0, 5)), nullptr, 16);
    if (address + kBlockSize > kMemorySize) return fail(i, "the block lies outside the memory");
    if (!read.blocks.empty() && read.blocks.rbegin()->first >= address) {
      return fail(i, "the blocks are not in ascending order of address");
    }
    read.blocks[address] = std::string(rest.substr(6));
  }
  if (i >= lines.size() || lines[i] != kEnd) {
    return fail(i, i >= lines.size() ? "the file is cut short: no \"end\" line" : "not a block");
  }
  if (!(i + 2 == lines.size() && lines[i + 1].empty()) && i + 1 != lines.size()) {
    return fail(i + 1, "text after the \"end\" line");
  }
  snapshot = std::move(read);
  return true;
}

std::string SnapshotDigest(std::string_view text) {
  // FNV-1a, 64 bits: a name for the text, and a check that the file still holds it.
  uint64_t hash = 14695981039346656037ULL;
  for (char c : text) {
    hash ^= static_cast<uint8_t>(c);
    hash *= 1099511628211ULL;
  }
  constexpr char kDigits[] = "0123456789abcdef";
  std::string digest(kSnapshotDigestLength, '0');
  for (size_t i = kSnapshotDigestLength; i-- > 0; hash >>= 4) digest[i] = kDigits[hash & 0xF];
  return digest;
}

bool IsSnapshotDigest(std::string_view text) {
  return text.size() == kSnapshotDigestLength && std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
         });
}

std::string SnapshotFolder(std::string* why) {
  std::string backups = BackupFolder(why);
  return backups.empty() ? "" : (fs::path(backups).parent_path() / "snapshots").string();
}

std::string StoreSnapshot(const RadioSnapshot& snapshot, std::string& error) {
  if (snapshot.blocks.empty() || snapshot.identification.empty()) {
    error = "nothing is known of the radio";
    return "";
  }
  const std::string folder = SnapshotFolder(&error);
  if (folder.empty()) return "";
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder)) {
    error = "cannot create the snapshots folder " + folder + (ec ? ": " + ec.message() : "");
    return "";
  }
  const std::string text = SnapshotText(snapshot);
  const std::string digest = SnapshotDigest(text);
  const std::string path = StorePath(folder, digest);
  std::string old, ignored;
  if (ReadFileBytes(path, old, ignored) && old == text) return digest;
  return ReplaceFile(path, text, error) ? digest : "";
}

std::optional<RadioSnapshot> LoadStoredSnapshot(const std::string& digest, std::string& problem) {
  std::string why;
  const std::string folder = SnapshotFolder(&why);
  if (folder.empty()) {
    problem = "the radio snapshot " + digest + " cannot be looked for (" + why +
              "): " + std::string(kNothingKnown);
    return std::nullopt;
  }
  const std::string path = StorePath(folder, digest);
  std::string text;
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    problem =
        "the radio snapshot " + digest + " is not in " + folder + ": " + std::string(kNothingKnown);
    return std::nullopt;
  }
  RadioSnapshot snapshot;
  if (!ReadFileBytes(path, text, why)) {
  } else if (SnapshotDigest(text) != digest) {
    why = "its text does not match its name";
  } else if (ParseSnapshotText(text, snapshot, why)) {
    return snapshot;
  }
  problem =
      "the radio snapshot " + path + " is damaged (" + why + "): " + std::string(kNothingKnown);
  return std::nullopt;
}

bool SetProjectSnapshotLine(const std::string& path, const std::string& digest,
                            std::string& error) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error)) return false;
  const std::string eol = bytes.find("\r\n") != std::string::npos ? "\r\n" : "\n";
  std::vector<std::string> lines;
  for (size_t at = 0; at < bytes.size();) {
    size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    if (line.ends_with('\r')) line.pop_back();
    if (!line.starts_with(kSnapshotKey)) lines.push_back(std::move(line));
    at = end + 1;
  }
  auto before = std::find_if(lines.begin(), lines.end(),
                             [](const std::string& line) { return line.starts_with("COMPORT"); });
  if (before == lines.end()) before = std::find(lines.begin(), lines.end(), "File End");
  lines.insert(before, std::string(kSnapshotKey) + digest);
  std::string joined;
  for (const std::string& line : lines) joined += line + eol;
  return ReplaceFile(path, joined, error);
}

}  // namespace tqm5
