#pragma once

#include "completion_sound.h"

#include <memory>

namespace quillmoor {

// The sound device the cue plays on: one OpenAL device and context, one
// buffer holding the decoded cue and one source playing it. Playing never
// waits and never layers the cue over itself.
class SoundOutput {
 public:
  // nullptr when no sound device can be opened; the program then stays silent.
  static std::unique_ptr<SoundOutput> Open();

  // Copies `sound` (mono or stereo 16-bit) into the buffer and attaches it to
  // the source, replacing anything loaded before. false if the sound is empty
  // or has another channel count, or the device refuses it; nothing is
  // loaded then.
  bool Load(const PcmSound& sound);

  // Stops the cue if it is still sounding, rewinds it to its first sample and
  // plays it once, without looping, at the default volume and balance.
  // Returns at once. Does nothing when nothing is loaded.
  void PlayCompletionSound();

  // Whether the cue is sounding right now.
  bool IsPlaying() const;

  ~SoundOutput();
  SoundOutput(const SoundOutput&) = delete;
  SoundOutput& operator=(const SoundOutput&) = delete;

 private:
  struct Device;
  explicit SoundOutput(std::unique_ptr<Device> device);

  std::unique_ptr<Device> device_;
  bool loaded_ = false;
};

}  // namespace quillmoor
