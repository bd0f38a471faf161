#pragma once

#include "completion_sound.h"
#include "shell_media.h"
#include "sound_output.h"

#include <memory>
#include <optional>

namespace quillmoor {

// The picture and cue carried inside the program, decoded once at start-up
// and played through the sound output. Without a sound device, or with a cue
// that does not decode, runs end silently; a picture that does not decode
// leaves the picture view empty.
class EmbeddedMedia : public ShellMedia {
 public:
  void OpenSoundOutput() override;
  void LoadCompletionSound() override;
  QImage LoadSplashPicture() override;
  void PlayCompletionSound() override;

 private:
  std::unique_ptr<SoundOutput> output_;
};

}  // namespace quillmoor
