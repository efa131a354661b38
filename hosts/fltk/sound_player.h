#pragma once

#include <cstdint>
#include <span>
#include <thread>

namespace fltkhost {

// Plays one WAVE sound at a time through ALSA's default device on a thread of its own, so the
// game never waits for the sound card. The thread reads only the sound bytes, never game state.
class SoundPlayer {
 public:
  SoundPlayer();
  ~SoundPlayer() { stop(); }
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Called by the host for each roll: cuts off the sound still playing, then starts this one.
  // The bytes must stay valid for the life of the program (they are built into it). Without a
  // sound device, or with bytes that are not a playable WAVE file, nothing is heard.
  void play(std::span<const std::uint8_t> waveFile);
  // Called by play and before the program ends: drops what is still playing and waits for the
  // thread to finish.
  void stop();

 private:
  std::jthread worker_;
};

}  // namespace fltkhost
