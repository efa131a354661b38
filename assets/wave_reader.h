#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace assets {

// The sound data of a RIFF WAVE file: uncompressed PCM and how to play it.
struct PcmSound {
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;                 // 8 (unsigned) or 16 (signed, little-endian)
  std::span<const std::uint8_t> frames;  // the data chunk, cut to whole frames
};

// Called by the Linux sound player before it plays anything: reads the header of the embedded WAVE
// file. Returns nothing for a file that is cut short, is not uncompressed 8- or 16-bit PCM, or
// has no data chunk, so that a damaged sound is silent instead of noise. Changes nothing.
std::optional<PcmSound> readWave(std::span<const std::uint8_t> file);

}  // namespace assets
