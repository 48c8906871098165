#pragma once
// A small synthesiser for the game's sounds: noise, oscillators, envelopes and filters on
// sample buffers at the game's rate, and the final step to loud, unclipped 16-bit samples.

#include <cstdint>
#include <functional>
#include <vector>

#include "Random.h"

namespace artwork {

using Samples = std::vector<double>;
using Curve = std::function<double(double)>;  // a value over time in seconds

inline constexpr double kRate = 22050;

std::size_t SampleCount(double seconds);
Samples Silence(double seconds);
Samples WhiteNoise(Random& random, double seconds);

enum class Wave { Sine, Saw, Square };
// An oscillator whose frequency (Hz) and amplitude follow curves; the saw and square are band-limited.
Samples Tone(double seconds, const Curve& frequency, const Curve& amplitude, Wave wave = Wave::Sine);
// Sums harmonics 1..count of frequency(t) with weights 1 / k^tilt(t): a tilt near 1 is bright,
// a larger tilt is dull (brass opening up, a voice closing).
Samples Harmonics(double seconds, const Curve& frequency, const Curve& amplitude, const Curve& tilt, int count);

// Multiplies every sample by the curve.
void Shape(Samples& samples, const Curve& gain);
// Adds source into target from the given time on, growing target when needed.
void Mix(Samples& target, const Samples& source, double at_seconds, double gain = 1);

// Second-order filters after R. Bristow-Johnson's cookbook; the frequency may move over time.
enum class Filter { LowPass, HighPass, BandPass };
void ApplyFilter(Samples& samples, Filter type, const Curve& frequency, double q);

// Envelope shapes.
double Decay(double t, double time_constant);
double AttackDecay(double t, double attack, double time_constant);
// Rises over attack, holds, and falls over release before length.
double Swell(double t, double attack, double release, double length);

// Normalises the peak to 90 % of full scale, fades the first and last milliseconds in and out,
// and rounds to 16-bit samples.
std::vector<std::int16_t> Finish(Samples samples, double fade_in_ms = 4, double fade_out_ms = 25);

}  // namespace artwork
