// The sounds of play: shot, reload, a mole popping up and its squawk when hit, the plane's
// explosion, the ding of an opponent's hit, the countdown ticking, the last-second gong and the
// fanfare at the end of a round; and the fifteen sounds of the landscape.

#include <cmath>
#include <string>

#include "Artwork.h"
#include "SoundParts.h"
#include "Synth.h"

namespace artwork {
namespace {

double Midi(double note) { return 440 * std::pow(2, (note - 69) / 12); }

Samples Shot() {
  Random random(2);
  Samples out = Silence(0.8);
  Samples crack = WhiteNoise(random, 0.1);
  ApplyFilter(crack, Filter::HighPass, [](double) { return 1800; }, 0.7);
  Shape(crack, [](double t) { return Decay(t, 0.01); });
  Mix(out, crack, 0, 0.9);
  Samples blast = WhiteNoise(random, 0.6);
  ApplyFilter(blast, Filter::LowPass, [](double t) { return 280 + 4000 * std::exp(-t / 0.045); }, 0.8);
  Shape(blast, [](double t) { return AttackDecay(t, 0.002, 0.085); });
  Mix(out, blast, 0, 2.2);
  Mix(out, Tone(0.4, [](double t) { return 42 + 90 * std::exp(-t / 0.03); }, [](double t) { return AttackDecay(t, 0.002, 0.07); }),
      0, 0.9);
  // The report rolling back from the hills.
  Samples echo = WhiteNoise(random, 0.65);
  ApplyFilter(echo, Filter::LowPass, [](double) { return 650; }, 0.7);
  Shape(echo, [](double t) { return AttackDecay(t, 0.03, 0.16); });
  Mix(out, echo, 0.07, 0.5);
  return out;
}

// A short metallic click: a burst of ringing noise and a bright ping.
void Click(Samples& out, Random& random, double at, double pitch, double gain) {
  Samples burst = WhiteNoise(random, 0.06);
  ApplyFilter(burst, Filter::BandPass, [pitch](double) { return pitch; }, 2.5);
  Shape(burst, [](double t) { return Decay(t, 0.006); });
  Mix(out, burst, at, 2.5 * gain);
  Mix(out, Tone(0.08, [pitch](double) { return pitch * 1.41; }, [](double t) { return Decay(t, 0.012); }), at, 0.25 * gain);
}

// The pump: slid back with a rasp and a click, pushed home with a clack.
Samples Reload() {
  Random random(4);
  Samples out = Silence(0.62);
  Samples rasp = WhiteNoise(random, 0.14);
  ApplyFilter(rasp, Filter::BandPass, [](double t) { return 1400 + 3000 * t; }, 1.2);
  Shape(rasp, [](double t) { return Swell(t, 0.05, 0.03, 0.14); });
  Mix(out, rasp, 0.02, 0.6);
  Click(out, random, 0.16, 2600, 1.0);
  Samples back = WhiteNoise(random, 0.1);
  ApplyFilter(back, Filter::BandPass, [](double t) { return 3000 - 6000 * t; }, 1.2);
  Shape(back, [](double t) { return Swell(t, 0.03, 0.03, 0.1); });
  Mix(out, back, 0.3, 0.6);
  Click(out, random, 0.4, 1900, 1.3);
  Mix(out, Tone(0.15, [](double) { return 140; }, [](double t) { return Decay(t, 0.03); }), 0.4, 0.3);
  return out;
}

// A mole breaking through: a hollow plop and crumbling earth.
Samples Pop() {
  Random random(1);
  Samples out = Silence(0.35);
  Mix(out, Tone(0.15, [](double t) { return 260 + 520 * (1 - std::exp(-t / 0.025)); },
                [](double t) { return AttackDecay(t, 0.004, 0.035); }),
      0, 1.0);
  Samples earth = WhiteNoise(random, 0.3);
  ApplyFilter(earth, Filter::LowPass, [](double) { return 900; }, 0.7);
  Random crumbs(11);
  Shape(earth, [&crumbs](double t) { return Decay(t, 0.08) * (crumbs.Uniform() < 0.05 ? 3.0 : 0.6); });
  Mix(out, earth, 0.02, 0.5);
  return out;
}

// The mole's indignant squawk: a nasal, wobbling cry and a shorter, higher one.
Samples Squawk() {
  Samples out = Silence(0.8);
  auto cry = [&](double at, double base, double length) {
    Samples voice = Harmonics(
        length, [base, length](double t) { return base * (1 + 0.5 * std::sin(M_PI * t / length)) + 40 * std::sin(2 * M_PI * 28 * t); },
        [length](double t) { return Swell(t, 0.02, 0.08, length); }, [](double) { return 0.9; }, 24);
    Samples nasal = voice;
    ApplyFilter(nasal, Filter::BandPass, [](double) { return 1300; }, 2.5);
    Mix(out, voice, at, 0.35);
    Mix(out, nasal, at, 1.6);
  };
  cry(0, 480, 0.36);
  cry(0.42, 640, 0.24);
  return out;
}

Samples Explosion() {
  Random random(3);
  Samples out = Silence(1.9);
  Samples blast = WhiteNoise(random, 1.9);
  ApplyFilter(blast, Filter::LowPass, [](double t) { return 180 + 3200 * std::exp(-t / 0.25); }, 0.7);
  Shape(blast, [](double t) { return AttackDecay(t, 0.006, 0.38); });
  Mix(out, blast, 0, 1.6);
  Samples rumble = WhiteNoise(random, 1.9);
  ApplyFilter(rumble, Filter::LowPass, [](double) { return 110; }, 0.9);
  Shape(rumble, [](double t) { return AttackDecay(t, 0.05, 0.6); });
  Mix(out, rumble, 0, 4.0);
  // Crackling debris.
  for (int i = 0; i < 26; ++i) {
    Samples crackle = WhiteNoise(random, 0.03);
    ApplyFilter(crackle, Filter::HighPass, [](double) { return 2000; }, 0.7);
    Shape(crackle, [](double t) { return Decay(t, 0.004); });
    const double at = 0.05 + random.Range(0, 0.9);
    Mix(out, crackle, at, random.Range(0.2, 0.6));
  }
  return out;
}

// A small bell: the opponent scored.
Samples Ding() {
  Samples out = Silence(0.9);
  const double partials[][3] = {{1, 1.0, 0.32}, {2.0, 0.35, 0.18}, {2.76, 0.45, 0.12}, {5.4, 0.2, 0.05}};
  for (const auto& p : partials)
    Mix(out, Tone(0.9, [&p](double) { return 1320 * p[0]; }, [&p](double t) { return AttackDecay(t, 0.002, p[2]); }), 0,
        p[1]);
  return out;
}

// One game second of clock (the clock runs at 0.9 of real time): tick, and tock half-way; silent
// at both ends, so that it loops without a seam.
Samples Ticking() {
  Random random(6);
  Samples out(24500, 0.0);
  auto knock = [&](double at, double pitch) {
    Samples burst = WhiteNoise(random, 0.05);
    ApplyFilter(burst, Filter::BandPass, [pitch](double) { return pitch * 1.5; }, 4);
    Shape(burst, [](double t) { return AttackDecay(t, 0.0008, 0.004); });
    Mix(out, burst, at, 2.0);
    Mix(out, Tone(0.06, [pitch](double) { return pitch; }, [](double t) { return AttackDecay(t, 0.0008, 0.01); }), at, 0.6);
  };
  knock(0.0, 2100);
  knock(12250 / kRate, 1500);
  return out;
}

// A deep gong with a slow shimmer.
Samples Gong() {
  Random random(7);
  Samples out = Silence(3.0);
  const double partials[][3] = {{1.0, 1.0, 1.4}, {1.51, 0.7, 1.1}, {2.08, 0.6, 0.9}, {2.79, 0.45, 0.7},
                                {3.44, 0.35, 0.55}, {4.32, 0.3, 0.4}, {5.23, 0.2, 0.3}};
  for (const auto& p : partials) {
    for (double detune : {1.0, 1.004}) {
      Mix(out, Tone(3.0, [&p, detune](double) { return 96 * p[0] * detune; },
                    [&p](double t) { return AttackDecay(t, 0.012, p[2]); }),
          0, p[1] * 0.5);
    }
  }
  Samples mallet = WhiteNoise(random, 0.1);
  ApplyFilter(mallet, Filter::LowPass, [](double) { return 700; }, 0.7);
  Shape(mallet, [](double t) { return Decay(t, 0.015); });
  Mix(out, mallet, 0, 1.5);
  return out;
}

// A brass note: the tone opens up after the attack and gets a gentle vibrato when held.
Samples Brass(double frequency, double length) {
  return Harmonics(
      length, [frequency](double t) { return frequency * (1 + 0.006 * std::sin(2 * M_PI * 5.5 * t) * std::min(1.0, t / 0.4)); },
      [length](double t) { return Swell(t, 0.025, 0.07, length); },
      [](double t) { return 1.15 + 1.3 * std::exp(-t / 0.04); }, 22);
}

Samples Fanfare() {
  Samples out = Silence(3.1);
  struct Note {
    double at, midi, length, gain;
  };
  const Note notes[] = {
      // Trumpet call.
      {0.00, 67, 0.15, 1}, {0.18, 72, 0.15, 1}, {0.36, 76, 0.15, 1}, {0.54, 79, 0.36, 1}, {0.94, 76, 0.15, 1},
      {1.12, 79, 1.8, 1.1},
      // Horns a third and a sixth below, and the closing chord.
      {0.00, 64, 0.15, 0.6}, {0.18, 67, 0.15, 0.6}, {0.36, 72, 0.15, 0.6}, {0.54, 76, 0.36, 0.6}, {0.94, 72, 0.15, 0.6},
      {1.12, 76, 1.8, 0.7}, {1.12, 72, 1.8, 0.6}, {1.12, 60, 1.8, 0.7}, {1.12, 48, 1.8, 0.5}};
  for (const Note& n : notes) Mix(out, Brass(Midi(n.midi), n.length), n.at, n.gain);
  return out;
}

}  // namespace

void MakeSounds(DataWriter& out) {
  out.Sound("ps\\s2.wav", Finish(Shot(), 1.5));
  out.Sound("ps\\s4.wav", Finish(Reload()));
  out.Sound("ps\\s1.wav", Finish(Pop()));
  out.Sound("ps\\duck.wav", Finish(Squawk()));
  out.Sound("ps\\expl.wav", Finish(Explosion(), 3, 80));
  out.Sound("ps\\s3.wav", Finish(Ding(), 2, 60));
  out.Sound("ps\\time.wav", Finish(Ticking(), 1, 5));
  out.Sound("ps\\null.wav", Finish(Gong(), 3, 200));
  out.Sound("ps\\fanfar.wav", Finish(Fanfare(), 4, 150));
  const std::vector<Samples> ambient = AmbientSounds();
  for (std::size_t n = 0; n < ambient.size(); ++n)
    out.Sound("ps\\hg" + std::to_string(n + 1) + ".wav", Finish(ambient[n], 10, 80));
}

}  // namespace artwork
