#pragma once

#include <QImage>

namespace quillmoor {

// The picture and the completion cue, as the shell uses them. The shell calls
// these in its start-up order: the sound output, then (after the scan buffer)
// the sound, then the picture; and PlayCompletionSound() after every run.
// This base does nothing: no sound, an empty picture view. The embedded media
// come in through a subclass; none of these may stop the program.
class ShellMedia {
 public:
  virtual ~ShellMedia() = default;

  virtual void OpenSoundOutput() {}
  virtual void LoadCompletionSound() {}
  // The picture for the 256 x 192 view; a null image leaves the view empty.
  virtual QImage LoadSplashPicture() { return {}; }
  // Restarts the cue from its beginning and returns at once.
  virtual void PlayCompletionSound() {}
};

}  // namespace quillmoor
