#include "wav_encoder.h"

#include "byte_writer.h"

namespace assetgen {

std::vector<std::uint8_t> encodeWav8BitMono(std::span<const std::uint8_t> samples,
                                            std::uint32_t sampleRate) {
  constexpr std::uint32_t kFmtChunkSize = 16;
  const auto dataSize = static_cast<std::uint32_t>(samples.size());
  const std::uint32_t padding = dataSize % 2;  // RIFF chunks are word aligned

  ByteWriter out;
  out.tag("RIFF");
  out.u32(4 + (8 + kFmtChunkSize) + (8 + dataSize + padding));
  out.tag("WAVE");
  out.tag("fmt ");
  out.u32(kFmtChunkSize);
  out.u16(1);  // PCM
  out.u16(1);  // mono
  out.u32(sampleRate);
  out.u32(sampleRate);  // bytes per second: one byte per sample
  out.u16(1);           // block align
  out.u16(8);           // bits per sample
  out.tag("data");
  out.u32(dataSize);
  out.append(samples);
  out.zeros(padding);
  return out.take();
}

}  // namespace assetgen
