// The seven effects. Each starts within a millisecond of its first sample, so it is heard the
// moment it is asked for, and fades to silence at its end, so a cut-off or a restart does not
// click more than it must.
#include "tools/sounds/sounds.h"

#include <algorithm>
#include <cmath>

namespace sounds {

namespace {

double Time(int frame) { return static_cast<double>(frame) / Rate; }

// A laser shot: a fast downward sweep with a noise spark on top and a soft thump beneath.
struct ShotDesign {
    double fromHz, toHz, sweep;  // frequency falls exponentially from fromHz to toHz
    double pulseWidth;  // 0: a saw instead of a pulse
    double brightness;  // filter cutoff at the start, Hz
    double decay, length;
    std::uint32_t seed;
};

Samples Shot(const ShotDesign& d) {
    Samples out(static_cast<std::size_t>(Frames(d.length)));
    Noise noise(d.seed);
    Filter tone, spark;
    double phase = 0.0, thump = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(static_cast<int>(i));
        const double hz = d.toHz + (d.fromHz - d.toHz) * std::exp(-t / d.sweep);
        const double step = hz / Rate;
        const float raw = d.pulseWidth > 0.0 ? Pulse(phase, step, d.pulseWidth + 0.25 * (1.0 - std::exp(-t / 0.05)))
                                             : Saw(phase, step);
        Advance(phase, step);
        float v = tone.Tick(raw, 900.0 + d.brightness * std::exp(-t / 0.06), 1.2).low * AttackDecay(t, 0.0008, d.decay);
        v += spark.Tick(noise.Next(), 5000.0, 0.7).band * AttackDecay(t, 0.0005, 0.006) * 0.8f;
        thump += (60.0 + 140.0 * std::exp(-t / 0.02)) / Rate;
        v += static_cast<float>(std::sin(2.0 * Pi * thump)) * AttackDecay(t, 0.001, 0.025) * 0.35f;
        out[i] = v * Tail(t, d.length, 0.02);
    }
    return out;
}

// An explosion: filtered noise whose cutoff falls as the blast spreads, a deep thump, and a
// character layer (metal for a ship, grit for a rock).
struct BlastDesign {
    double openHz, closedHz, close;  // noise cutoff falls from openHz + closedHz to closedHz
    double thumpFrom, thumpTo;
    double decay, length;
    std::uint32_t seed;
};

template <typename Character>
Samples Blast(const BlastDesign& d, Character character) {
    Samples out(static_cast<std::size_t>(Frames(d.length)));
    Noise noise(d.seed);
    Filter body;
    double thump = 0.0;
    float held = 0.0f;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(static_cast<int>(i));
        // Noise held for three samples gives the crunch of an old arcade board.
        if (i % 3 == 0) held = noise.Next();
        float v = body.Tick(held, d.closedHz + d.openHz * std::exp(-t / d.close), 0.9).low * AttackDecay(t, 0.001, d.decay);
        thump += (d.thumpTo + (d.thumpFrom - d.thumpTo) * std::exp(-t / 0.05)) / Rate;
        v += static_cast<float>(std::sin(2.0 * Pi * thump)) * AttackDecay(t, 0.002, 0.12) * 0.7f;
        v += character(t);
        out[i] = v * Tail(t, d.length, 0.06);
    }
    return out;
}

}  // namespace

Samples MakeGunLeft() {
    return Shot({.fromHz = 2300.0, .toHz = 330.0, .sweep = 0.035, .pulseWidth = 0.5, .brightness = 6000.0,
                 .decay = 0.055, .length = 0.2, .seed = 0x6A11});
}

Samples MakeGunRight() {
    // A fourth lower and reedier than the left gun, so the alternating guns are told apart.
    return Shot({.fromHz = 1750.0, .toHz = 240.0, .sweep = 0.045, .pulseWidth = 0.0, .brightness = 4500.0,
                 .decay = 0.06, .length = 0.22, .seed = 0x6A33});
}

Samples MakeEnemyFire() {
    // A descending warble, lower and buzzier than the player's guns.
    Samples out(static_cast<std::size_t>(Frames(0.3)));
    Filter tone;
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(static_cast<int>(i));
        const double wobble = 1.0 + 0.12 * std::sin(2.0 * Pi * 36.0 * t);
        const double hz = (170.0 + 780.0 * std::exp(-t / 0.09)) * wobble;
        const double step = hz / Rate;
        const float raw = Pulse(phase, step, 0.3) * 0.7f + Saw(phase, step) * 0.3f;
        Advance(phase, step);
        const float v = tone.Tick(raw, 1500.0 + 900.0 * std::exp(-t / 0.05), 1.6).band * AttackDecay(t, 0.002, 0.1);
        out[i] = v * Tail(t, 0.3, 0.03);
    }
    return out;
}

Samples MakeEnemyBlast() {
    // Clangs of torn hull plates: inharmonic partials that die away at their own rates.
    constexpr double Partials[] = {231.0, 347.0, 519.0, 763.0, 1129.0};
    return Blast({.openHz = 6500.0, .closedHz = 260.0, .close = 0.09, .thumpFrom = 130.0, .thumpTo = 38.0,
                  .decay = 0.16, .length = 0.48, .seed = 0xE4E4},
                 [&](double t) {
                     float metal = 0.0f;
                     for (int k = 0; k < 5; ++k) {
                         const double hz = Partials[k] * (1.0 - 0.08 * t);
                         metal += static_cast<float>(std::sin(2.0 * Pi * hz * t + k)) *
                                  AttackDecay(t, 0.002, 0.16 / (1.0 + 0.5 * k));
                     }
                     return metal * 0.22f;
                 });
}

Samples MakeAsteroidBlast() {
    // Rock breaking: a shower of short crackles that thins out, over a duller rumble.
    Noise grit(0xA57E);
    Filter crackle;
    double nextGrain = 0.0, grainStart = -1.0;
    float grainLevel = 0.0f;
    return Blast({.openHz = 2600.0, .closedHz = 170.0, .close = 0.11, .thumpFrom = 95.0, .thumpTo = 32.0,
                  .decay = 0.15, .length = 0.45, .seed = 0xA5A5},
                 [&](double t) {
                     if (t >= nextGrain) {
                         grainStart = t;
                         grainLevel = 0.5f * static_cast<float>(std::exp(-t / 0.12)) * (0.5f + grit.Unit());
                         nextGrain = t + 0.004 + 0.03 * grit.Unit() * (1.0 + 6.0 * t);
                     }
                     const float v = crackle.Tick(grit.Next(), 1300.0, 1.4).band;
                     return v * grainLevel * AttackDecay(t - grainStart, 0.0003, 0.004);
                 });
}

Samples MakeTurbo() {
    // A rush of air that rises in pitch: noise through a band that sweeps upward, with a low
    // engine tone under it. Held Up restarts it every key repeat, so it is full at once.
    Samples out(static_cast<std::size_t>(Frames(0.32)));
    Noise noise(0x7B0);
    Filter air, air2, rumble;
    double engine = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(static_cast<int>(i));
        const double centre = 450.0 + 2300.0 * (1.0 - std::exp(-t / 0.09)) - 900.0 * std::max(0.0, t - 0.15) / 0.17;
        const float n = noise.Next();
        // Two band-passes in a row keep the sweep audible above the broad hiss.
        const float band = air2.Tick(air.Tick(n, centre, 1.6).band, centre, 1.6).band;
        float v = band * 1.6f + rumble.Tick(n, 260.0, 0.7).low * 0.35f;
        engine += (85.0 + 95.0 * (1.0 - std::exp(-t / 0.1))) / Rate;
        v += static_cast<float>(std::sin(2.0 * Pi * engine)) * 0.18f;
        out[i] = v * AttackDecay(t, 0.012, 0.12) * Tail(t, 0.32, 0.05);
    }
    return out;
}

Samples MakeClick() {
    // A short, dry tick with a little body: it must not tire the ear after a hundred presses.
    Samples out(static_cast<std::size_t>(Frames(0.05)));
    Noise noise(0xC11C);
    Filter tick;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(static_cast<int>(i));
        float v = static_cast<float>(std::sin(2.0 * Pi * 1900.0 * t) * 0.6 + std::sin(2.0 * Pi * 3700.0 * t) * 0.2) *
                  AttackDecay(t, 0.0004, 0.006);
        v += static_cast<float>(std::sin(2.0 * Pi * 620.0 * t)) * AttackDecay(t, 0.0006, 0.012) * 0.45f;
        v += tick.Tick(noise.Next(), 6000.0, 0.8).band * AttackDecay(t, 0.0002, 0.0015) * 0.5f;
        out[i] = v * Tail(t, 0.05, 0.01);
    }
    return out;
}

}  // namespace sounds
