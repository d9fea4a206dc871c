// Where each area the program knows lies in the radio's clone memory.
#ifndef TQM5_IMAGE_MEMORY_MAP_H_
#define TQM5_IMAGE_MEMORY_MAP_H_

namespace tqm5 {

inline constexpr int kMemorySize = 0x20000;
inline constexpr int kBlockSize = 64;  // bytes of one block read
inline constexpr int kBlockHexLength = 2 * kBlockSize;

// Area addresses. Multi-block areas are read block by block from the first address.
inline constexpr int kSettingsAddress = 0x00000;  // 3 blocks, read-modify-write
inline constexpr int kSettingsBlocks = 3;
inline constexpr int kBankLinkAddress = 0x00100;  // blocks 00100, 00140; 11 x 8 bytes used
inline constexpr int kBankLinkBlocks = 2;
inline constexpr int kOneTouchAddress = 0x00180;  // 27 bytes
inline constexpr int kOneTouchHexLength = 54;
inline constexpr int kTitleAddress = 0x001A0;     // 32 title bytes, scroll byte, 0x00
inline constexpr int kBankSizeAddress = 0x00200;  // blocks 00200, 00240
inline constexpr int kBankSizeBlocks = 2;
inline constexpr int kOrderTableAddress = 0x00C00;  // 101 x 8 bytes, written only
inline constexpr int kFontAddress = 0x01000;        // 8 x 32 bytes
inline constexpr int kDtmfAddress = 0x01100;        // 3 blocks, read-modify-write
inline constexpr int kDtmfBlocks = 3;
inline constexpr int kChannelAddress = 0x01200;       // 1623 x 64 bytes
inline constexpr int kWriteProtectAddress = 0x1FE01;  // one byte

}  // namespace tqm5

#endif  // TQM5_IMAGE_MEMORY_MAP_H_
