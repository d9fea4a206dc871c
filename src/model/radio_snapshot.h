// `RadioSnapshot`: what the program knows the radio holds, kept apart from the image the user
// edits. Transfers update it; edits never do, and undo and redo leave it as the last transfer
// left it.
#ifndef TQM5_MODEL_RADIO_SNAPSHOT_H_
#define TQM5_MODEL_RADIO_SNAPSHOT_H_

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tqm5 {

// The digits of a byte that no read or write has brought into a block yet ("??").
inline constexpr char kUnknownDigit = '?';

// True when `known` (a block, possibly with unknown bytes) and `hex` (the same length) hold the
// same digits wherever `known` knows them.
bool MatchesWhereKnown(std::string_view known, std::string_view hex);

struct RadioSnapshot {
  // Keeps `hex` as the blocks from `address` on, one 64-byte block (128 hex digits) each, and
  // notes the time; every known block it overlaps is updated too. A trailing part shorter than
  // a block that no known block holds starts a block of its own at its address, whose other
  // bytes are taken from the known blocks around it or else marked unknown: a write of a few
  // bytes is known even when nothing was read before it.
  void KeepArea(int address, std::string_view hex);
  // Forgets every known block that overlaps the `bytes` bytes from `address` (a write that may
  // or may not have been stored).
  void Forget(int address, int bytes);
  // The `count` blocks from `address` joined in address order, or the empty text when one of
  // them, or one byte of them, is not known.
  std::string Area(int address, int count) const;

  // The identification command the radio last accepted (empty before any).
  std::string identification;
  // Block address -> the block's 128 hex digits, as last read from or written to
  // the radio; `kUnknownDigit` pairs for bytes not known yet.
  std::map<int, std::string> blocks;
  // When a block was last read or written.
  std::optional<std::chrono::system_clock::time_point> updated;

  friend bool operator==(const RadioSnapshot&, const RadioSnapshot&) = default;
};

}  // namespace tqm5

#endif  // TQM5_MODEL_RADIO_SNAPSHOT_H_
