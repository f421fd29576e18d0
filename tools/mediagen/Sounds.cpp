#include "tools/mediagen/Sounds.h"

#include <cmath>

namespace mediagen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kPeak = 0.85;  // of full scale: loud, never clipped

// A fast falling sweep with a buzzy edge, like a ray gun.
std::vector<double> Zap(int rate, int count) {
  std::vector<double> out(static_cast<size_t>(count));
  double phase = 0;
  for (int i = 0; i < count; ++i) {
    const double t = double(i) / rate;
    const double frequency = 2600 * std::exp(-t * 9) + 180;
    phase += 2 * kPi * frequency / rate;
    // Odd harmonics for the buzz, each only while it stays below half the sample rate.
    auto harmonic = [&](int k, double level) {
      return k * frequency < rate / 2.0 ? level * std::sin(k * phase) : 0.0;
    };
    const double tone = std::sin(phase) + harmonic(3, 0.35) + harmonic(5, 0.15);
    const double envelope = std::min(1.0, t / 0.004) * std::exp(-t * 5.5);
    out[size_t(i)] = tone * envelope;
  }
  return out;
}

// Noise through a low-pass filter whose cut-off falls as the blast dies away, over a rumble.
// Driven by time, not by sample number, so both explosions rise and fall alike.
std::vector<double> Blast(int rate, int count) {
  std::vector<double> out(static_cast<size_t>(count));
  Dice dice(2024);
  double low = 0, lower = 0, rumblePhase = 0;
  for (int i = 0; i < count; ++i) {
    const double t = double(i) / rate;
    const double cutoff = 200 + 3800 * std::exp(-t * 2.2);
    const double k = 1 - std::exp(-2 * kPi * cutoff / rate);
    low += k * (dice.Next() * 2 - 1 - low);
    lower += k * (low - lower);
    rumblePhase += 2 * kPi * (38 + 24 * std::exp(-t * 1.5)) / rate;
    const double rumble = std::sin(rumblePhase) * (0.6 + 0.4 * std::sin(t * 13));
    const double envelope = std::min(1.0, t / 0.03) * std::exp(-t * 1.25) * (1 - t / 3.6);
    out[size_t(i)] = (lower * 2.6 + rumble * 0.55) * envelope;
  }
  return out;
}

std::vector<double> Normalised(std::vector<double> samples) {
  double peak = 0;
  for (double s : samples) peak = std::max(peak, std::abs(s));
  for (double& s : samples) s *= kPeak / peak;
  return samples;
}

Bytes Unsigned8(const std::vector<double>& samples) {
  Bytes out;
  for (double s : samples) out.push_back(uint8_t(std::lround(128 + s * 127)));
  return out;
}

Bytes Signed16(const std::vector<double>& samples) {
  Bytes out;
  for (double s : samples) {
    const int16_t v = int16_t(std::lround(s * 32767));
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t((v >> 8) & 0xFF));
  }
  return out;
}

}  // namespace

Bytes LaserWav() {
  return Wave(Unsigned8(Normalised(Zap(11025, 3869))), 11025, 8, false, 3);
}

Bytes LaserExplodeWav() {
  return Wave(Unsigned8(Normalised(Blast(11025, 38594))), 11025, 8, true, 2);
}

Bytes LExplodeWav() {
  return Wave(Signed16(Normalised(Blast(44100, 154374))), 44100, 16, true, 0);
}

}  // namespace mediagen
