#include "version_info.h"

#include "pe_image.h"

namespace pe {

namespace {

// Reads the nested blocks of a version resource. Each block is: its length, its value's length,
// its type (1 text, 0 binary), a zero-terminated UTF-16 key, padding to four bytes, the value,
// padding, then child blocks up to the block's length.
class BlockReader {
 public:
  explicit BlockReader(const std::vector<std::uint8_t>& data) : data_(data) {}

  void block(std::size_t at, std::size_t end, int depth, const std::string& parentKey,
             VersionInfo& out) const {
    const std::size_t length = u16(at);
    if (length < 6 || at + length > end) throw PeError("a version block overruns its parent");
    const std::size_t valueLength = u16(at + 2);
    const bool text = u16(at + 4) == 1;
    std::size_t pos = at + 6;
    const std::string key = ascii(pos, at + length);
    pos = align(pos);
    const std::size_t valueBytes = text ? valueLength * 2 : valueLength;
    if (depth == 0 && key == "VS_VERSION_INFO" && valueBytes >= 52) {
      out.signature = u32(pos);
      out.fileVersionMS = u32(pos + 8);
      out.fileVersionLS = u32(pos + 12);
      out.productVersionMS = u32(pos + 16);
      out.productVersionLS = u32(pos + 20);
    }
    if (depth == 3 && parentKey == "table" && text) {
      std::size_t valuePos = pos;
      out.strings[key] = ascii(valuePos, pos + valueBytes);
    }
    pos = align(pos + valueBytes);
    const std::string childKey = depth == 1 && key == "StringFileInfo" ? "info"
                                 : depth == 2 && parentKey == "info"   ? "table"
                                                                       : key;
    while (pos + 6 <= at + length) {
      const std::size_t child = u16(pos);
      if (child == 0) break;
      block(pos, at + length, depth + 1, childKey, out);
      pos = align(pos + child);
    }
  }

 private:
  std::uint16_t u16(std::size_t at) const {
    if (at + 2 > data_.size()) throw PeError("version data ends early");
    return static_cast<std::uint16_t>(data_[at] | (data_[at + 1] << 8));
  }
  std::uint32_t u32(std::size_t at) const { return u16(at) | (std::uint32_t{u16(at + 2)} << 16); }
  static std::size_t align(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

  // Reads a zero-terminated UTF-16 string of ASCII characters and moves past its terminator.
  std::string ascii(std::size_t& pos, std::size_t end) const {
    std::string s;
    for (; pos + 2 <= end; pos += 2) {
      const std::uint16_t c = u16(pos);
      if (c == 0) {
        pos += 2;
        return s;
      }
      s += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return s;
  }

  const std::vector<std::uint8_t>& data_;
};

}  // namespace

VersionInfo parseVersionInfo(const std::vector<std::uint8_t>& data) {
  VersionInfo info;
  BlockReader(data).block(0, data.size(), 0, "", info);
  return info;
}

}  // namespace pe
