#include "sound_output.h"

#include "test_support.h"
#include "wave_file.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

using namespace std::chrono_literals;

// OpenAL Soft reads its configuration once per process, so every test here
// shares one: the wave backend writing 16-bit stereo at the cue's own rate,
// with nothing (dither, limiter) that would alter the samples.
const std::filesystem::path& CapturePath() {
  static const testing::TempDir folder;
  static const std::filesystem::path capture = [] {
    const std::filesystem::path config = folder / "alsoft.conf";
    std::ofstream(config) << "[general]\n"
                             "drivers=wave\n"
                             "channels=stereo\n"
                             "sample-type=int16\n"
                             "frequency=44100\n"
                             "dither=false\n"
                             "output-limiter=false\n"
                             "hrtf=false\n"
                             "[wave]\n"
                             "file="
                          << (folder / "capture.wav").string() << "\n";
    setenv("ALSOFT_CONF", config.c_str(), 1);
    return folder / "capture.wav";
  }();
  return capture;
}

// Samples may differ by a step or two of rounding on the way through the
// mixer; a second cue layered on top differs by thousands.
constexpr int Tolerance = 2;

struct Playback {
  std::vector<std::int16_t> cue;       // what was loaded, interleaved stereo
  std::vector<std::int16_t> captured;  // what the device wrote
};

// Opens the wave device, loads the cue, runs `script`, waits until the cue
// has stopped and a little longer, closes the device and reads the file.
template <typename Script>
std::optional<Playback> PlayAndCapture(Script script) {
  CapturePath();
  const std::optional<PcmSound> cue = LoadCompletionSound();
  if (!cue || cue->channels != 2 || cue->sampleRate != 44100) return std::nullopt;
  {
    std::unique_ptr<SoundOutput> output = SoundOutput::Open();
    if (!output || !output->Load(*cue)) return std::nullopt;
    script(*output);
    // A cue that loops never stops; give up well after it should have.
    for (int waited = 0; output->IsPlaying() && waited < 800; ++waited) {
      std::this_thread::sleep_for(10ms);
    }
    std::this_thread::sleep_for(300ms);
  }
  std::optional<testing::WaveFile> wave = testing::ReadWaveFile(CapturePath());
  if (!wave || wave->channels != 2 || wave->sampleRate != 44100) return std::nullopt;
  return Playback{cue->samples, std::move(wave->samples)};
}

std::size_t FirstSound(const std::vector<std::int16_t>& samples) {
  for (std::size_t index = 0; index < samples.size(); ++index) {
    if (std::abs(int{samples[index]}) > Tolerance) return index / 2;
  }
  return samples.size() / 2;
}

// How many frames the capture, read from frame `start`, follows the cue
// from the cue's first frame: the cue's length when it follows all the way.
std::size_t FollowsCueUntil(const Playback& playback, std::size_t start) {
  const std::size_t frames = playback.cue.size() / 2;
  for (std::size_t frame = 0; frame < frames; ++frame) {
    for (std::size_t channel = 0; channel < 2; ++channel) {
      const std::size_t at = (start + frame) * 2 + channel;
      const int heard = at < playback.captured.size() ? playback.captured[at] : 0;
      if (std::abs(heard - playback.cue[frame * 2 + channel]) > Tolerance) return frame;
    }
  }
  return frames;
}

bool SilentFrom(const std::vector<std::int16_t>& samples, std::size_t frame) {
  for (std::size_t index = frame * 2; index < samples.size(); ++index) {
    if (std::abs(int{samples[index]}) > Tolerance) return false;
  }
  return true;
}

// Where the capture starts following the cue: the cue's own first audible
// frame lines up with the capture's.
std::size_t CueStart(const Playback& playback) {
  const std::size_t heard = FirstSound(playback.captured);
  const std::size_t inCue = FirstSound(playback.cue);
  return heard >= inCue ? heard - inCue : 0;
}

TEST(SoundOutput, OneRunPlaysTheCueOnceAsDecoded) {
  const std::optional<Playback> playback =
      PlayAndCapture([](SoundOutput& output) { output.PlayCompletionSound(); });
  ASSERT_TRUE(playback.has_value()) << "the wave backend of OpenAL Soft did not work";
  const std::size_t frames = playback->cue.size() / 2;
  const std::size_t start = CueStart(*playback);
  EXPECT_EQ(FollowsCueUntil(*playback, start), frames) << "the capture left the cue early";
  EXPECT_TRUE(SilentFrom(playback->captured, start + frames)) << "sound after the cue's end";
}

TEST(SoundOutput, PlayingReturnsWhileTheCueSounds) {
  const std::optional<Playback> playback = PlayAndCapture([](SoundOutput& output) {
    output.PlayCompletionSound();
    EXPECT_TRUE(output.IsPlaying());
  });
  ASSERT_TRUE(playback.has_value());
}

TEST(SoundOutput, SecondRunRestartsTheCueInsteadOfLayeringIt) {
  const std::optional<Playback> playback = PlayAndCapture([](SoundOutput& output) {
    output.PlayCompletionSound();
    std::this_thread::sleep_for(300ms);
    output.PlayCompletionSound();
  });
  ASSERT_TRUE(playback.has_value()) << "the wave backend of OpenAL Soft did not work";
  const std::size_t frames = playback->cue.size() / 2;
  const std::size_t start = CueStart(*playback);
  // The first cue is cut off somewhere after the first play ...
  const std::size_t cut = FollowsCueUntil(*playback, start);
  ASSERT_LT(cut, frames) << "the second play did not restart the cue";
  EXPECT_GT(cut, 44100u / 20) << "the first cue hardly sounded";
  // ... and from exactly there the cue sounds again from its first sample,
  // alone: a layered copy would add the first cue's remainder to it.
  EXPECT_EQ(FollowsCueUntil(*playback, start + cut), frames);
  EXPECT_TRUE(SilentFrom(playback->captured, start + cut + frames)) << "a third cue or a loop";
}

struct Unplayable {
  const char* name;
  PcmSound sound;
};

const Unplayable UnplayableSounds[] = {
    {"NoSamples", {2, 44100, {}}},
    {"NoChannels", {0, 44100, {1, 2, 3, 4}}},
    {"ThreeChannels", {3, 44100, {1, 2, 3, 4, 5, 6}}},
    {"NoRate", {2, 0, {1, 2, 3, 4}}},
    {"HalfAFrame", {2, 44100, {1, 2, 3}}},
};

class UnplayableSound : public ::testing::TestWithParam<Unplayable> {};

TEST_P(UnplayableSound, IsRefusedAndPlayingThenDoesNothing) {
  CapturePath();
  std::unique_ptr<SoundOutput> output = SoundOutput::Open();
  ASSERT_NE(output, nullptr);
  EXPECT_FALSE(output->Load(GetParam().sound));
  output->PlayCompletionSound();
  EXPECT_FALSE(output->IsPlaying());
}

INSTANTIATE_TEST_SUITE_P(Cases, UnplayableSound, ::testing::ValuesIn(UnplayableSounds),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace quillmoor
