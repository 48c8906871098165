#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace artwork {
namespace {

// The correction that takes the alias step out of a naive saw or square edge.
double PolyBlep(double phase, double step) {
  if (phase < step) {
    const double t = phase / step;
    return t + t - t * t - 1;
  }
  if (phase > 1 - step) {
    const double t = (phase - 1) / step;
    return t * t + t + t + 1;
  }
  return 0;
}

}  // namespace

std::size_t SampleCount(double seconds) { return static_cast<std::size_t>(std::lround(seconds * kRate)); }

Samples Silence(double seconds) { return Samples(SampleCount(seconds), 0.0); }

Samples WhiteNoise(Random& random, double seconds) {
  Samples samples(SampleCount(seconds));
  for (double& s : samples) s = random.Range(-1, 1);
  return samples;
}

Samples Tone(double seconds, const Curve& frequency, const Curve& amplitude, Wave wave) {
  Samples samples(SampleCount(seconds));
  double phase = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double t = i / kRate;
    const double step = std::clamp(frequency(t) / kRate, 0.0, 0.45);
    double value = 0;
    switch (wave) {
      case Wave::Sine:
        value = std::sin(2 * M_PI * phase);
        break;
      case Wave::Saw:
        value = 2 * phase - 1 - PolyBlep(phase, step);
        break;
      case Wave::Square:
        value = (phase < 0.5 ? 1 : -1) + PolyBlep(phase, step) - PolyBlep(std::fmod(phase + 0.5, 1.0), step);
        break;
    }
    samples[i] = value * amplitude(t);
    phase += step;
    if (phase >= 1) phase -= 1;
  }
  return samples;
}

Samples Harmonics(double seconds, const Curve& frequency, const Curve& amplitude, const Curve& tilt, int count) {
  Samples samples(SampleCount(seconds));
  double phase = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double t = i / kRate;
    const double f = frequency(t);
    const double slope = tilt(t);
    double value = 0;
    for (int k = 1; k <= count && k * f < kRate * 0.45; ++k) value += std::sin(2 * M_PI * k * phase) / std::pow(k, slope);
    samples[i] = value * amplitude(t);
    phase += f / kRate;
    if (phase >= 1) phase -= 1;
  }
  return samples;
}

void Shape(Samples& samples, const Curve& gain) {
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] *= gain(i / kRate);
}

void Mix(Samples& target, const Samples& source, double at_seconds, double gain) {
  const std::size_t start = SampleCount(at_seconds);
  if (target.size() < start + source.size()) target.resize(start + source.size(), 0.0);
  for (std::size_t i = 0; i < source.size(); ++i) target[start + i] += gain * source[i];
}

void ApplyFilter(Samples& samples, Filter type, const Curve& frequency, double q) {
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double f = std::clamp(frequency(i / kRate), 10.0, kRate * 0.45);
    const double w = 2 * M_PI * f / kRate;
    const double alpha = std::sin(w) / (2 * q), c = std::cos(w);
    double b0, b1, b2;
    switch (type) {
      case Filter::LowPass:
        b0 = (1 - c) / 2, b1 = 1 - c, b2 = (1 - c) / 2;
        break;
      case Filter::HighPass:
        b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2;
        break;
      default:
        b0 = alpha, b1 = 0, b2 = -alpha;
    }
    const double a0 = 1 + alpha, a1 = -2 * c, a2 = 1 - alpha;
    const double x = samples[i];
    const double y = (b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2) / a0;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    samples[i] = y;
  }
}

double Decay(double t, double time_constant) { return t < 0 ? 0 : std::exp(-t / time_constant); }

double AttackDecay(double t, double attack, double time_constant) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / time_constant);
}

double Swell(double t, double attack, double release, double length) {
  if (t < 0 || t > length) return 0;
  if (t < attack) return 0.5 - 0.5 * std::cos(M_PI * t / attack);
  if (t > length - release) return 0.5 - 0.5 * std::cos(M_PI * (length - t) / release);
  return 1;
}

std::vector<std::int16_t> Finish(Samples samples, double fade_in_ms, double fade_out_ms) {
  if (samples.empty()) throw std::logic_error("a sound without samples");
  const std::size_t fade_in = SampleCount(fade_in_ms / 1000), fade_out = SampleCount(fade_out_ms / 1000);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (i < fade_in && fade_in > 0) samples[i] *= 0.5 - 0.5 * std::cos(M_PI * i / fade_in);
    const std::size_t from_end = samples.size() - 1 - i;
    if (from_end < fade_out && fade_out > 0) samples[i] *= 0.5 - 0.5 * std::cos(M_PI * from_end / fade_out);
  }
  double peak = 0;
  for (double s : samples) peak = std::max(peak, std::abs(s));
  if (peak <= 0) throw std::logic_error("a silent sound");
  const double gain = 0.9 * 32767 / peak;
  std::vector<std::int16_t> out(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) out[i] = static_cast<std::int16_t>(std::lround(samples[i] * gain));
  return out;
}

}  // namespace artwork
