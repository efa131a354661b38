#include "assets/wave_reader.h"

#include <cstring>

namespace assets {

namespace {

std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t le16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

bool tagIs(std::span<const std::uint8_t> b, std::size_t at, const char* tag) {
  return std::memcmp(b.data() + at, tag, 4) == 0;
}

constexpr std::uint16_t kFormatPcm = 1;

}  // namespace

std::optional<PcmSound> readWave(std::span<const std::uint8_t> file) {
  if (file.size() < 12 || !tagIs(file, 0, "RIFF") || !tagIs(file, 8, "WAVE")) return std::nullopt;
  PcmSound sound;
  bool haveFormat = false;
  // Chunks follow one another, each padded to an even length; unknown ones are skipped.
  std::size_t at = 12;
  while (file.size() - at >= 8) {
    const std::uint32_t size = le32(file, at + 4);
    const std::size_t body = at + 8;
    const std::size_t available = file.size() - body;
    if (tagIs(file, at, "fmt ")) {
      if (size < 16 || available < 16) return std::nullopt;
      if (le16(file, body) != kFormatPcm) return std::nullopt;
      sound.channels = le16(file, body + 2);
      sound.sampleRate = static_cast<int>(le32(file, body + 4));
      sound.bitsPerSample = le16(file, body + 14);
      if (sound.channels < 1 || sound.channels > 2 || sound.sampleRate <= 0 ||
          (sound.bitsPerSample != 8 && sound.bitsPerSample != 16)) {
        return std::nullopt;
      }
      haveFormat = true;
    } else if (tagIs(file, at, "data")) {
      // The format comes first in every well-formed file; data before it cannot be played.
      if (!haveFormat || size > available) return std::nullopt;
      const std::size_t frameBytes = static_cast<std::size_t>(sound.channels) *
                                     static_cast<std::size_t>(sound.bitsPerSample / 8);
      sound.frames = file.subspan(body, size - size % frameBytes);
      return sound;
    }
    if (size > available) return std::nullopt;
    at = body + size + (size & 1u);
    if (at > file.size()) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace assets
