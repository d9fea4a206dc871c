#include "textdata/cp932.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <unordered_map>

#include "image/platform.h"

namespace tqm5 {
namespace {

// Both directions of CP932 as the system's converter defines them. Decoding every possible code
// once and encoding each decoded character back gives the converter's own choice where several
// codes share a character (NEC and IBM duplicates).
class Cp932Tables {
 public:
  Cp932Tables() {
    const platform::Cp932Converter converter;
    decode_.fill(0);
    for (int code = 0; code < 0x10000; ++code) {
      if (code >= 0x100 && code < 0x8100) continue;
      char in[2];
      size_t in_len = 0;
      if (code < 0x100) {
        in[in_len++] = static_cast<char>(code);
      } else {
        in[in_len++] = static_cast<char>(code >> 8);
        in[in_len++] = static_cast<char>(code & 0xFF);
      }
      char32_t c = converter.Decode(std::string_view(in, in_len));
      if (c == 0 && code != 0) continue;
      decode_[static_cast<size_t>(code)] = c;
      if (encode_.count(c) != 0) continue;
      std::string back = converter.Encode(c);
      if (back.size() == 1) encode_[c] = static_cast<unsigned char>(back[0]);
      if (back.size() == 2) {
        encode_[c] = static_cast<unsigned char>(back[0]) << 8 | static_cast<unsigned char>(back[1]);
      }
    }
  }

  int Encode(char32_t c) const {
    auto it = encode_.find(c);
    return it == encode_.end() ? -1 : it->second;
  }
  char32_t Decode(int code) const {
    return code < 0 || code > 0xFFFF ? 0 : decode_[static_cast<size_t>(code)];
  }

 private:
  std::array<char32_t, 0x10000> decode_;
  std::unordered_map<char32_t, int> encode_;
};

const Cp932Tables& Tables() {
  static const Cp932Tables* tables = new Cp932Tables();
  return *tables;
}

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

size_t AsciiRunLength(std::string_view bytes) {
  return static_cast<size_t>(
      std::find_if(bytes.begin(), bytes.end(),
                   [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) -
      bytes.begin());
}

std::u32string Utf8ToU32(std::string_view utf8) {
  std::u32string out;
  Utf8ToU32(utf8, out);
  return out;
}

void Utf8ToU32(std::string_view utf8, std::u32string& out) {
  out.clear();
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    // A run of ASCII is taken whole: the files are mostly ASCII.
    size_t ascii = AsciiRunLength(utf8.substr(i));
    // (Copied into place: `append` from char iterators would build a temporary string.)
    size_t end = out.size();
    out.resize(end + ascii);
    std::copy_n(utf8.begin() + static_cast<std::ptrdiff_t>(i), ascii,
                out.begin() + static_cast<std::ptrdiff_t>(end));
    i += ascii;
    if (i == utf8.size()) break;
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    int extra = (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= utf8.size()) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    char32_t c = b & (0x3F >> extra);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      unsigned char cont = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
      if ((cont >> 6) != 2) {
        ok = false;
        break;
      }
      c = (c << 6) | (cont & 0x3F);
    }
    if (!ok) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    out.push_back(c);
    i += static_cast<size_t>(extra) + 1;
  }
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string U32ToUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) AppendUtf8(out, c);
  return out;
}

int Cp932CodeOf(char32_t c) {
  if (c < 0x80) return static_cast<int>(c);
  return Tables().Encode(c);
}

char32_t CharOfCp932Code(int code) {
  if (code >= 0 && code < 0x80) return static_cast<char32_t>(code);
  return Tables().Decode(code);
}

int Cp932ByteLength(std::string_view utf8) {
  int bytes = 0;
  for (char32_t c : Utf8ToU32(utf8)) {
    int code = Cp932CodeOf(c);
    bytes += code >= 0x100 ? 2 : 1;
  }
  return bytes;
}

std::string Utf8ToCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char32_t c : Utf8ToU32(utf8)) {
    int code = Cp932CodeOf(c);
    if (code < 0) {
      out.push_back('?');
    } else if (code < 0x100) {
      out.push_back(static_cast<char>(code));
    } else {
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xFF));
    }
  }
  return out;
}

std::string Cp932ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    // Below 0x80 a CP932 byte is the ASCII character itself, so a run of them is copied whole.
    size_t ascii = AsciiRunLength(bytes.substr(i));
    out.append(bytes.substr(i, ascii));
    i += ascii;
    if (i == bytes.size()) break;
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    int code = b;
    if (IsLeadByte(b) && i + 1 < bytes.size()) {
      code = b << 8 | static_cast<unsigned char>(bytes[i + 1]);
      char32_t c = CharOfCp932Code(code);
      if (c != 0) {
        AppendUtf8(out, c);
        ++i;
        continue;
      }
      code = b;
    }
    char32_t c = CharOfCp932Code(code);
    AppendUtf8(out, c != 0 || code == 0 ? c : U'\uFFFD');
  }
  return out;
}

}  // namespace tqm5
