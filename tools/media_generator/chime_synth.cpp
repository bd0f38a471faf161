#include "chime_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace quillmoor::media_generator {
namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

struct BellNote {
  double startSeconds;
  double frequency;
  double pan;         // -1 left to +1 right
  double level;       // peak amplitude
  double decayScale;  // 1 for the main bells, shorter for the pings
  double attackSeconds;
};

// C6, E6, G6, C7, then a quieter answer an octave's third higher: E6, G6,
// C7, E7, drifting the other way across the stereo field.
constexpr BellNote Arpeggio[] = {
    {0.00, 1046.50, -0.45, 0.20, 1.0, 0.004}, {0.12, 1318.51, -0.15, 0.20, 1.0, 0.004},
    {0.24, 1567.98, 0.15, 0.20, 1.0, 0.004},  {0.40, 2093.00, 0.45, 0.22, 1.0, 0.004},
    {1.00, 1318.51, 0.50, 0.10, 0.8, 0.004},  {1.10, 1567.98, 0.20, 0.10, 0.8, 0.004},
    {1.20, 2093.00, -0.20, 0.10, 0.8, 0.004}, {1.34, 2637.02, -0.50, 0.11, 0.8, 0.004},
};

struct Partial {
  double ratio;
  double amplitude;
  double decaySeconds;
};

// Mostly harmonic with two slightly stretched upper partials: glassy rather
// than metallic.
constexpr Partial BellPartials[] = {
    {1.0, 1.00, 1.10},  {2.0, 0.42, 0.70},  {3.01, 0.20, 0.45},
    {4.17, 0.10, 0.30}, {5.43, 0.05, 0.20},
};

constexpr double FadeOutSeconds = 0.25;

double BellSample(const BellNote& note, double t) {
  if (t < 0) return 0;
  const double attack = std::min(1.0, t / note.attackSeconds);
  double value = 0;
  for (const Partial& partial : BellPartials) {
    value += partial.amplitude * std::exp(-t / (partial.decaySeconds * note.decayScale)) *
             std::sin(TwoPi * note.frequency * partial.ratio * t);
  }
  return note.level * attack * value;
}

// High pentatonic pings at reproducible pseudo-random times and places.
std::vector<BellNote> Sparkles(int count) {
  constexpr double scale[] = {2093.00, 2349.32, 2637.02, 3135.96, 3520.00, 4186.01};
  std::uint32_t state = 0xC41BE5u;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
  };
  std::vector<BellNote> notes;
  for (int index = 0; index < count; ++index) {
    const double start = 0.45 + 2.1 * next();
    const double frequency = scale[static_cast<int>(next() * 6) % 6];
    const double pan = 1.6 * next() - 0.8;
    notes.push_back({start, frequency, pan, 0.025 + 0.03 * next(), 0.18, 0.001});
  }
  return notes;
}

// The pad: a C-major chord over a low C, each tone a stack of harmonics in
// three copies (a few cents flat, true, a few cents sharp) that beat gently
// against each other. `side` is -1 for the left channel and +1 for the right:
// the flat copy leans left and the sharp one right, which widens the pad.
double PadSample(double t, double length, double side) {
  constexpr double chord[] = {130.81, 261.63, 329.63, 392.00, 523.25};
  constexpr double detune = 0.0025;
  constexpr int PadHarmonics = 24;
  constexpr double padLevel = 0.04;
  const double swell = std::min(1.0, t / 0.35) * std::exp(-t / (length * 0.9));
  // A gentle vibrato: the warped time makes every partial wander by the same
  // fraction of its frequency.
  constexpr double vibratoHz = 5.0;
  constexpr double vibratoDepth = 0.003;
  const double warped = t - vibratoDepth / (TwoPi * vibratoHz) * std::cos(TwoPi * vibratoHz * t);
  double value = 0;
  for (double root : chord) {
    for (int copy = -1; copy <= 1; ++copy) {
      const double weight = 1.0 + 0.6 * side * copy;
      for (int harmonic = 1; harmonic <= PadHarmonics; ++harmonic) {
        // Schroeder phases keep the summed harmonics from lining up into
        // sharp peaks, so the pad can be fuller without clipping.
        const double phase = std::numbers::pi * harmonic * harmonic / PadHarmonics + copy;
        value += weight *
                 std::sin(TwoPi * root * (1.0 + detune * copy) * harmonic * warped + phase) /
                 harmonic;
      }
    }
  }
  return padLevel * swell * value;
}

// A small room: parallel comb filters with damped feedback, then two
// all-pass diffusers, with slightly longer delays for the right channel so
// the tail spreads across the stereo field.
class RoomReverb {
 public:
  explicit RoomReverb(int spread) {
    for (int delay : {1116, 1188, 1277, 1356}) {
      combs_.push_back({std::vector<double>(static_cast<std::size_t>(delay + spread)), 0, 0});
    }
    for (int delay : {556, 441}) {
      allPasses_.push_back({std::vector<double>(static_cast<std::size_t>(delay + spread)), 0});
    }
  }

  double Process(double input) {
    double output = 0;
    for (Comb& comb : combs_) {
      const double delayed = comb.line[comb.position];
      comb.filtered = delayed * (1 - CombDamping) + comb.filtered * CombDamping;
      comb.line[comb.position] = input + comb.filtered * CombFeedback;
      comb.position = (comb.position + 1) % comb.line.size();
      output += delayed;
    }
    for (AllPass& pass : allPasses_) {
      const double delayed = pass.line[pass.position];
      pass.line[pass.position] = output + delayed * 0.5;
      pass.position = (pass.position + 1) % pass.line.size();
      output = delayed - output;
    }
    return output;
  }

 private:
  static constexpr double CombFeedback = 0.80;
  static constexpr double CombDamping = 0.25;
  struct Comb {
    std::vector<double> line;
    std::size_t position;
    double filtered;
  };
  struct AllPass {
    std::vector<double> line;
    std::size_t position;
  };
  std::vector<Comb> combs_;
  std::vector<AllPass> allPasses_;
};

constexpr int SparkleCount = 24;
constexpr double ShakerLevel = 0.05;
constexpr double RoomLevel = 0.35;
constexpr double MasterLevel = 0.8;

// A soft shaker: band-limited noise in short decaying pulses on every
// eighth of a second, the off-beats quieter.
class Shaker {
 public:
  explicit Shaker(std::uint32_t seed) : state_(seed) {}
  double Sample(double t) {
    state_ = state_ * 1664525u + 1013904223u;
    const double white = static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
    // High-pass by differencing, low-pass with a one-pole filter: a band
    // around a few kilohertz.
    const double highPassed = white - previous_;
    previous_ = white;
    lowPassed_ += 0.45 * (highPassed - lowPassed_);
    if (t < 0.30 || t > 2.70) return 0;
    const double beat = (t - 0.30) / 0.125;
    const double sinceBeat = (beat - std::floor(beat)) * 0.125;
    const double accent = (static_cast<int>(beat) % 2 == 0) ? 1.0 : 0.6;
    const double phrase = std::sin(std::numbers::pi * (t - 0.30) / 2.40);
    return accent * phrase * std::exp(-sinceBeat / 0.035) * lowPassed_;
  }

 private:
  std::uint32_t state_;
  double previous_ = 0;
  double lowPassed_ = 0;
};

}  // namespace

std::vector<float> SynthesiseChime() {
  std::vector<BellNote> notes(std::begin(Arpeggio), std::end(Arpeggio));
  for (const BellNote& ping : Sparkles(SparkleCount)) notes.push_back(ping);

  std::vector<float> samples(static_cast<std::size_t>(ChimeFrames) * ChimeChannels);
  const double length = static_cast<double>(ChimeFrames) / ChimeSampleRate;
  RoomReverb leftRoom(0);
  RoomReverb rightRoom(23);
  Shaker leftShaker(0x5EED5u);
  Shaker rightShaker(0xB0A7u);
  for (int frame = 0; frame < ChimeFrames; ++frame) {
    const double time = static_cast<double>(frame) / ChimeSampleRate;
    double left = PadSample(time, length, -1) + ShakerLevel * leftShaker.Sample(time);
    double right = PadSample(time, length, 1) + ShakerLevel * rightShaker.Sample(time);
    for (const BellNote& note : notes) {
      const double value = BellSample(note, time - note.startSeconds);
      // Constant-power panning.
      const double angle = (note.pan + 1) * std::numbers::pi / 4;
      left += value * std::cos(angle);
      right += value * std::sin(angle);
    }
    const double send = 0.25 * (left + right);
    left += RoomLevel * leftRoom.Process(send);
    right += RoomLevel * rightRoom.Process(send);
    const double remaining = length - time;
    const double fade = remaining >= FadeOutSeconds
                            ? 1.0
                            : 0.5 - 0.5 * std::cos(std::numbers::pi * remaining / FadeOutSeconds);
    samples[static_cast<std::size_t>(frame) * 2] = static_cast<float>(MasterLevel * left * fade);
    samples[static_cast<std::size_t>(frame) * 2 + 1] =
        static_cast<float>(MasterLevel * right * fade);
  }
  return samples;
}

}  // namespace quillmoor::media_generator
