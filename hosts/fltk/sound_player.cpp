#include "hosts/fltk/sound_player.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "assets/wave_reader.h"

namespace fltkhost {

namespace {

// ALSA prints its complaints (no card, no configuration) to the terminal by default; a missing
// sound device is normal for this program and must stay silent.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

struct PcmCloser {
  void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};

// Frames written per call: small enough that a stop request is noticed within a few
// hundredths of a second.
constexpr snd_pcm_uframes_t kChunkFrames = 512;
constexpr unsigned kLatencyMicroseconds = 100000;

void playPcm(const std::stop_token& stop, const assets::PcmSound& sound) {
  snd_pcm_t* raw = nullptr;
  if (snd_pcm_open(&raw, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) return;
  const std::unique_ptr<snd_pcm_t, PcmCloser> pcm(raw);
  const snd_pcm_format_t format =
      sound.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
  if (snd_pcm_set_params(pcm.get(), format, SND_PCM_ACCESS_RW_INTERLEAVED,
                         static_cast<unsigned>(sound.channels),
                         static_cast<unsigned>(sound.sampleRate), 1, kLatencyMicroseconds) < 0) {
    return;
  }
  const std::size_t frameBytes =
      static_cast<std::size_t>(sound.channels) * static_cast<std::size_t>(sound.bitsPerSample / 8);
  const std::size_t totalFrames = sound.frames.size() / frameBytes;
  std::size_t done = 0;
  while (done < totalFrames) {
    if (stop.stop_requested()) {
      snd_pcm_drop(pcm.get());
      return;
    }
    const auto count = std::min<std::size_t>(kChunkFrames, totalFrames - done);
    snd_pcm_sframes_t written =
        snd_pcm_writei(pcm.get(), sound.frames.data() + done * frameBytes, count);
    if (written < 0) written = snd_pcm_recover(pcm.get(), static_cast<int>(written), 1);
    if (written < 0) return;
    done += static_cast<std::size_t>(written);
  }
  // Let the device play out what it holds, still listening for a new roll that cuts it off.
  for (;;) {
    snd_pcm_sframes_t pending = 0;
    if (snd_pcm_delay(pcm.get(), &pending) < 0 || pending <= 0) return;
    if (stop.stop_requested()) {
      snd_pcm_drop(pcm.get());
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

SoundPlayer::SoundPlayer() {
  snd_lib_error_set_handler(ignoreAlsaError);
}

void SoundPlayer::play(std::span<const std::uint8_t> waveFile) {
  stop();
  const std::optional<assets::PcmSound> sound = assets::readWave(waveFile);
  if (!sound) return;
  worker_ = std::jthread([sound = *sound](const std::stop_token& token) { playPcm(token, sound); });
}

void SoundPlayer::stop() {
  if (!worker_.joinable()) return;
  worker_.request_stop();
  worker_.join();
}

}  // namespace fltkhost
