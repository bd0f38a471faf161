#include "sound_output.h"

#include <climits>

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

namespace quillmoor {

struct SoundOutput::Device {
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  ALuint buffer = 0;
  ALuint source = 0;
  bool haveBuffer = false;
  bool haveSource = false;

  ~Device() {
    if (context != nullptr) {
      alcMakeContextCurrent(context);
      if (haveSource) {
        alSourceStop(source);
        alDeleteSources(1, &source);
      }
      if (haveBuffer) alDeleteBuffers(1, &buffer);
      alcMakeContextCurrent(nullptr);
      alcDestroyContext(context);
    }
    if (device != nullptr) alcCloseDevice(device);
  }
};

SoundOutput::SoundOutput(std::unique_ptr<Device> device) : device_(std::move(device)) {
}

SoundOutput::~SoundOutput() = default;

std::unique_ptr<SoundOutput> SoundOutput::Open() {
  auto device = std::make_unique<Device>();
  device->device = alcOpenDevice(nullptr);
  if (device->device == nullptr) return nullptr;
  device->context = alcCreateContext(device->device, nullptr);
  if (device->context == nullptr || alcMakeContextCurrent(device->context) == ALC_FALSE) {
    return nullptr;
  }
  alGetError();
  alGenBuffers(1, &device->buffer);
  device->haveBuffer = alGetError() == AL_NO_ERROR;
  alGenSources(1, &device->source);
  device->haveSource = alGetError() == AL_NO_ERROR;
  if (!device->haveBuffer || !device->haveSource) return nullptr;
  alSourcei(device->source, AL_LOOPING, AL_FALSE);
  // A stereo cue goes to the speakers as recorded, left to left and right to
  // right, instead of through OpenAL's virtual speaker placement.
  if (alIsExtensionPresent("AL_SOFT_direct_channels") == AL_TRUE) {
    alSourcei(device->source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
  }
  return std::unique_ptr<SoundOutput>(new SoundOutput(std::move(device)));
}

bool SoundOutput::Load(const PcmSound& sound) {
  ALenum format = 0;
  if (sound.channels == 1) {
    format = AL_FORMAT_MONO16;
  } else if (sound.channels == 2) {
    format = AL_FORMAT_STEREO16;
  } else {
    return false;
  }
  const std::size_t bytes = sound.samples.size() * sizeof(std::int16_t);
  if (sound.samples.empty() || sound.samples.size() % sound.channels != 0 ||
      bytes > static_cast<std::size_t>(INT_MAX) || sound.sampleRate <= 0) {
    return false;
  }
  alcMakeContextCurrent(device_->context);
  // A buffer still attached to the source cannot be refilled.
  alSourceStop(device_->source);
  alSourcei(device_->source, AL_BUFFER, 0);
  loaded_ = false;
  alGetError();
  alBufferData(device_->buffer, format, sound.samples.data(), static_cast<ALsizei>(bytes),
               sound.sampleRate);
  if (alGetError() != AL_NO_ERROR) return false;
  alSourcei(device_->source, AL_BUFFER, static_cast<ALint>(device_->buffer));
  loaded_ = alGetError() == AL_NO_ERROR;
  return loaded_;
}

void SoundOutput::PlayCompletionSound() {
  if (!loaded_) return;
  alcMakeContextCurrent(device_->context);
  alSourceStop(device_->source);
  alSourceRewind(device_->source);
  alSourcePlay(device_->source);
}

bool SoundOutput::IsPlaying() const {
  if (!loaded_) return false;
  alcMakeContextCurrent(device_->context);
  ALint state = AL_STOPPED;
  alGetSourcei(device_->source, AL_SOURCE_STATE, &state);
  return state == AL_PLAYING;
}

}  // namespace quillmoor
