// The sounds of the landscape: birds, a stork clattering its bill, frogs, crickets, a cow, the
// wind, a bumblebee, a dog and a church bell far off, a woodpecker and a sheep; each one to four
// seconds long.

#include <cmath>
#include <utility>

#include "SoundParts.h"

namespace artwork {
namespace {

// A skylark: a long run of quick, trilling chirps.
Samples Skylark() {
  Random random(101);
  Samples out = Silence(2.6);
  for (double at = 0.05; at < 2.4; at += random.Range(0.06, 0.13)) {
    const double base = random.Range(2600, 4200), sweep = random.Range(-900, 900), length = random.Range(0.04, 0.09);
    const double trill = random.Range(20, 45);
    Mix(out, Tone(length, [=](double t) { return base + sweep * t / length + 350 * std::sin(2 * M_PI * trill * t); },
                  [=](double t) { return Swell(t, 0.008, 0.015, length); }),
        at, random.Range(0.5, 1.0));
  }
  return out;
}

// A stork clattering its bill: a wooden rattle that speeds up and slows again.
Samples StorkClatter() {
  Random random(102);
  Samples out = Silence(2.2);
  double at = 0.05;
  for (int k = 0; at < 2.0; ++k) {
    const double pitch = k % 2 ? 1050 : 880;
    Samples knock = WhiteNoise(random, 0.03);
    ApplyFilter(knock, Filter::BandPass, [pitch](double) { return pitch * 1.6; }, 3);
    Shape(knock, [](double t) { return AttackDecay(t, 0.0005, 0.005); });
    Mix(out, knock, at, 2.2);
    Mix(out, Tone(0.03, [pitch](double) { return pitch; }, [](double t) { return AttackDecay(t, 0.0005, 0.008); }), at, 0.5);
    const double pace = 11 + 10 * std::sin(M_PI * at / 2.0);
    at += 1 / pace;
  }
  return out;
}

// Two frogs answering each other.
Samples Frogs() {
  Samples out = Silence(2.8);
  const double croaks[][2] = {{0.0, 190}, {0.55, 230}, {1.2, 185}, {1.7, 235}, {2.25, 195}};
  for (const auto& c : croaks) {
    const double pitch = c[1];
    for (double p = 0; p < 0.32; p += 1 / 26.0) {
      Samples pulse = Harmonics(0.035, [pitch](double) { return pitch; }, [](double t) { return AttackDecay(t, 0.003, 0.008); },
                                [](double) { return 1.1; }, 12);
      ApplyFilter(pulse, Filter::BandPass, [](double) { return 650; }, 1.5);
      Mix(out, pulse, c[0] + p, std::sin(M_PI * p / 0.32) + 0.2);
    }
  }
  return out;
}

// Crickets chirping in the grass.
Samples Crickets() {
  Samples out = Silence(2.5);
  for (int cricket = 0; cricket < 2; ++cricket) {
    const double pitch = cricket ? 4300 : 4700, period = cricket ? 0.41 : 0.34;
    for (double at = 0.02 + cricket * 0.13; at < 2.3; at += period)
      for (int pulse = 0; pulse < 4; ++pulse)
        Mix(out, Tone(0.014, [pitch](double) { return pitch; }, [](double t) { return Swell(t, 0.003, 0.006, 0.014); }),
            at + pulse * 0.024, cricket ? 0.6 : 1.0);
  }
  return out;
}

// A cow lowing across the fields.
Samples Cow() {
  Random random(105);
  const double length = 2.3;
  Samples voice = Harmonics(
      length, [](double t) { return 112 + 22 * std::sin(M_PI * std::min(t / 1.6, 1.0)) - 12 * std::max(0.0, t - 1.6); },
      [=](double t) { return Swell(t, 0.3, 0.6, length); }, [](double) { return 1.05; }, 40);
  ApplyFilter(voice, Filter::LowPass, [](double t) { return 450 + 650 * std::sin(M_PI * std::min(t / 1.8, 1.0)); }, 1.6);
  Samples breath = WhiteNoise(random, length);
  ApplyFilter(breath, Filter::BandPass, [](double) { return 700; }, 1);
  Shape(breath, [=](double t) { return 0.04 * Swell(t, 0.3, 0.6, length); });
  Mix(voice, breath, 0);
  return voice;
}

// A gust of wind through the trees.
Samples Wind() {
  Random random(106);
  const double length = 3.6;
  Samples air = WhiteNoise(random, length);
  ApplyFilter(air, Filter::BandPass, [](double t) { return 380 + 260 * std::sin(1.7 * t) + 120 * std::sin(5.3 * t); }, 0.9);
  ApplyFilter(air, Filter::LowPass, [](double) { return 1600; }, 0.7);
  Shape(air, [=](double t) { return Swell(t, 1.0, 1.2, length) * (0.7 + 0.3 * std::sin(3.1 * t + 1)); });
  return air;
}

// A cuckoo calling twice.
Samples Cuckoo() {
  Samples out = Silence(1.9);
  for (double at : {0.05, 0.95}) {
    const double notes[][3] = {{0.0, 672, 0.17}, {0.25, 540, 0.3}};
    for (const auto& n : notes) {
      const double pitch = n[1], length = n[2];
      Samples call = Harmonics(length, [pitch](double t) { return pitch * (1 - 0.03 * t); },
                               [length](double t) { return Swell(t, 0.03, 0.1, length); }, [](double) { return 2.6; }, 4);
      Mix(out, call, at + n[0]);
    }
  }
  return out;
}

// A blackbird's fluting phrase.
Samples Blackbird() {
  Random random(108);
  Samples out = Silence(2.2);
  double at = 0.05;
  for (int k = 0; k < 9; ++k) {
    const double from = random.Range(1500, 2600), to = random.Range(1500, 2800), length = random.Range(0.09, 0.22);
    Mix(out, Tone(length, [=](double t) { return from + (to - from) * t / length + 60 * std::sin(2 * M_PI * 12 * t); },
                  [=](double t) { return Swell(t, 0.02, 0.04, length); }),
        at);
    at += length + random.Range(0.03, 0.09);
  }
  return out;
}

// A bumblebee flying past: louder and higher as it comes, lower as it goes.
Samples Bumblebee() {
  const double length = 2.4;
  Samples buzz = Tone(length, [](double t) { return 165 * (1 + 0.035 * std::tanh((1.2 - t) * 3)) + 4 * std::sin(2 * M_PI * 9 * t); },
                      [=](double t) { return std::exp(-std::pow((t - 1.2) / 0.55, 2)) * Swell(t, 0.1, 0.1, length); },
                      Wave::Saw);
  ApplyFilter(buzz, Filter::LowPass, [](double) { return 1300; }, 0.8);
  return buzz;
}

// A crow: two harsh caws.
Samples Crow() {
  Random random(110);
  Samples out = Silence(1.3);
  for (double at : {0.05, 0.55}) {
    Random jitter(random.Next());
    const double length = 0.34;
    Samples caw = Harmonics(length, [&jitter](double t) { return 560 - 80 * t + jitter.Range(-60, 60); },
                            [=](double t) { return Swell(t, 0.02, 0.12, length); }, [](double) { return 0.8; }, 16);
    ApplyFilter(caw, Filter::BandPass, [](double) { return 1300; }, 1.4);
    Mix(out, caw, at);
  }
  return out;
}

// Ducks on the pond.
Samples Ducks() {
  Samples out = Silence(1.6);
  const double quacks[][2] = {{0.02, 300}, {0.3, 285}, {0.52, 310}, {1.0, 270}, {1.22, 295}};
  for (const auto& q : quacks) {
    const double pitch = q[1], length = 0.16;
    Samples quack = Harmonics(length, [pitch](double t) { return pitch * (1.08 - 0.5 * t); },
                              [length](double t) { return Swell(t, 0.01, 0.07, length); }, [](double) { return 0.85; }, 20);
    ApplyFilter(quack, Filter::BandPass, [](double t) { return 1100 - 1500 * t; }, 3);
    Mix(out, quack, q[0]);
  }
  return out;
}

// A dog barking on a farm far away.
Samples Dog() {
  Random random(112);
  Samples out = Silence(1.4);
  for (double at : {0.05, 0.42, 0.9}) {
    const double length = 0.15;
    Samples bark = Harmonics(length, [](double t) { return 430 - 700 * t; }, [length](double t) { return Swell(t, 0.01, 0.09, length); },
                             [](double) { return 1.0; }, 14);
    Samples rasp = WhiteNoise(random, length);
    Shape(rasp, [length](double t) { return 0.15 * Swell(t, 0.01, 0.09, length); });
    Mix(bark, rasp, 0);
    ApplyFilter(bark, Filter::LowPass, [](double) { return 1400; }, 0.9);
    Mix(out, bark, at);
  }
  return out;
}

// The village church bell, three strokes.
Samples ChurchBell() {
  Samples out = Silence(3.9);
  const double partials[][3] = {{0.5, 0.5, 1.3}, {1.0, 1.0, 0.9}, {1.19, 0.5, 0.7}, {1.5, 0.4, 0.6}, {2.0, 0.35, 0.45},
                                {2.52, 0.2, 0.3}};
  for (double at : {0.0, 1.25, 2.5})
    for (const auto& p : partials)
      Mix(out, Tone(1.35, [&p](double) { return 392 * p[0]; }, [&p](double t) { return AttackDecay(t, 0.004, p[2]); }), at,
          p[1]);
  ApplyFilter(out, Filter::LowPass, [](double) { return 1800; }, 0.7);
  return out;
}

// A woodpecker drumming twice on a dead branch.
Samples Woodpecker() {
  Random random(114);
  Samples out = Silence(2.0);
  for (double burst : {0.05, 1.1}) {
    double at = burst;
    for (int k = 0; k < 16; ++k) {
      Samples knock = WhiteNoise(random, 0.03);
      ApplyFilter(knock, Filter::BandPass, [](double) { return 900; }, 4);
      Shape(knock, [](double t) { return AttackDecay(t, 0.0005, 0.004); });
      Mix(out, knock, at, 2.0 * (1 - k / 22.0));
      Mix(out, Tone(0.03, [](double) { return 520; }, [](double t) { return AttackDecay(t, 0.0005, 0.007); }), at,
          0.4 * (1 - k / 22.0));
      at += 0.052 + 0.0015 * k;
    }
  }
  return out;
}

// A sheep bleating, twice.
Samples Sheep() {
  Samples out = Silence(2.2);
  for (const auto& b : {std::pair{0.05, 340.0}, std::pair{1.15, 300.0}}) {
    const double pitch = b.second, length = 0.85;
    Samples bleat = Harmonics(length, [pitch](double t) { return pitch * (1 + 0.05 * std::sin(2 * M_PI * 6.5 * t)); },
                              [length](double t) { return Swell(t, 0.05, 0.25, length) * (0.75 + 0.25 * std::sin(2 * M_PI * 6.5 * t)); },
                              [](double) { return 1.0; }, 20);
    ApplyFilter(bleat, Filter::BandPass, [](double t) { return 700 + 300 * t; }, 1.2);
    Mix(out, bleat, b.first);
  }
  return out;
}

}  // namespace

std::vector<Samples> AmbientSounds() {
  return {Skylark(),   StorkClatter(), Frogs(), Crickets(), Cow(),  Wind(),       Cuckoo(),     Blackbird(),
          Bumblebee(), Crow(),         Ducks(), Dog(),      ChurchBell(), Woodpecker(), Sheep()};
}

}  // namespace artwork
