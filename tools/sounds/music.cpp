// The music loop: sixteen bars in A minor at 125 beats a minute, about 31 seconds. Every
// voice is written into buses whose end joins their start, so a note or an echo that runs past
// the last bar goes on at the first and the loop has no seam.
#include "tools/sounds/sounds.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace sounds {

namespace {

constexpr int Bpm = 125;
constexpr int Sixteenth = Rate * 60 / (Bpm * 4);  // 2646 frames, a whole number at this tempo
constexpr int BarFrames = 16 * Sixteenth;
constexpr int Bars = 16;
constexpr int LoopFrames = Bars * BarFrames;

struct Bus {
    std::vector<float> left = std::vector<float>(LoopFrames);
    std::vector<float> right = std::vector<float>(LoopFrames);

    void Add(long frame, float l, float r) {
        const std::size_t i = static_cast<std::size_t>(frame % LoopFrames);
        left[i] += l;
        right[i] += r;
    }
    // pan -1 left to 1 right, at constant power.
    void AddPanned(long frame, float value, float pan) {
        const double angle = (pan + 1.0) * Pi / 4.0;
        Add(frame, value * static_cast<float>(std::cos(angle)), value * static_cast<float>(std::sin(angle)));
    }
};

long At(int bar, int sixteenth) { return static_cast<long>(bar) * BarFrames + static_cast<long>(sixteenth) * Sixteenth; }

struct Chord {
    int bass;  // root, about an octave and a half below middle C
    std::array<int, 3> pad;
};
constexpr Chord Am{45, {57, 60, 64}};
constexpr Chord F{41, {57, 60, 65}};
constexpr Chord C{48, {55, 60, 64}};
constexpr Chord G{43, {55, 59, 62}};
constexpr Chord E{40, {56, 59, 64}};
constexpr Chord Dm{38, {57, 62, 65}};
// i VI III VII twice with a turn to the dominant, then the subdominant half.
constexpr std::array<Chord, Bars> Progression{Am, F, C, G, Am, F, G, E, Dm, Am, F, C, Dm, Am, E, E};

struct Note {
    int midi;  // 0: rest
    int sixteenths;
};
// The lead enters at bar 5 and sings to the end; bars 1 to 4 belong to the groove.
constexpr int LeadFirstBar = 4;
constexpr Note Lead[] = {
    // bars 5 to 8: Am F G E
    {76, 4}, {69, 2}, {72, 2}, {76, 4}, {74, 2}, {72, 2},
    {77, 6}, {76, 2}, {72, 4}, {69, 4},
    {74, 4}, {67, 2}, {71, 2}, {74, 4}, {76, 2}, {77, 2},
    {76, 6}, {74, 2}, {71, 4}, {68, 4},
    // bars 9 to 12: Dm Am F C
    {81, 4}, {77, 2}, {74, 2}, {81, 4}, {79, 2}, {77, 2},
    {76, 6}, {72, 2}, {69, 6}, {0, 2},
    {72, 2}, {77, 2}, {81, 4}, {79, 2}, {77, 2}, {76, 4},
    {79, 8}, {76, 4}, {72, 4},
    // bars 13 to 16: Dm Am E E, leaving the last half bar to the drum fill
    {77, 4}, {76, 2}, {74, 2}, {81, 6}, {77, 2},
    {76, 4}, {72, 4}, {69, 4}, {72, 4},
    {71, 4}, {76, 4}, {80, 4}, {83, 4},
    {80, 6}, {76, 2}, {0, 8},
};

// --- drums -----------------------------------------------------------------------------------

void Kick(Bus& bus, long at, float level) {
    Noise noise(0x4B1C);
    Filter click;
    double phase = 0.0;
    const double length = 0.42;
    for (int i = 0; i < Frames(length); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double hz = 46.0 + 125.0 * std::exp(-t / 0.028);
        phase += hz / Rate;
        float v = static_cast<float>(std::sin(2.0 * Pi * phase)) * AttackDecay(t, 0.0015, 0.17);
        v += click.Tick(noise.Next(), 3500.0, 0.7).low * AttackDecay(t, 0.0005, 0.004) * 0.5f;
        v *= Tail(t, length, 0.06) * level;
        bus.Add(at + i, v, v);
    }
}

void Snare(Bus& bus, long at, float level) {
    Noise noise(0x5A4E + static_cast<std::uint32_t>(at % 977));
    Filter body;
    const double length = 0.3;
    for (int i = 0; i < Frames(length); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const Filter::Out n = body.Tick(noise.Next(), 2200.0, 0.6);
        float v = (n.band * 0.8f + n.high * 0.35f) * AttackDecay(t, 0.001, 0.075);
        v += static_cast<float>(std::sin(2.0 * Pi * 188.0 * t) * 0.55 + std::sin(2.0 * Pi * 331.0 * t) * 0.2) *
             AttackDecay(t, 0.001, 0.04);
        v *= Tail(t, length, 0.05) * level;
        bus.AddPanned(at + i, v, 0.05f);
    }
}

void Hat(Bus& bus, long at, float level, double decay) {
    Noise noise(0x4A77 + static_cast<std::uint32_t>(at % 1013));
    Filter air;
    const double length = decay * 6.0;
    for (int i = 0; i < Frames(length); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const float v = air.Tick(noise.Next(), 8000.0, 0.8).high * AttackDecay(t, 0.0005, decay) *
                        Tail(t, length, length * 0.3) * level;
        bus.AddPanned(at + i, v, 0.3f);
    }
}

void Crash(Bus& bus, long at, float level) {
    Noise left(0xC1A5), right(0xC1A6);
    Filter fl, fr;
    const double length = 2.6;
    for (int i = 0; i < Frames(length); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const float env = AttackDecay(t, 0.002, 0.8) * Tail(t, length, 0.5) * level;
        bus.Add(at + i, fl.Tick(left.Next(), 5000.0, 0.7).high * env, fr.Tick(right.Next(), 5200.0, 0.7).high * env);
    }
}

// --- pitched voices --------------------------------------------------------------------------

void Bass(Bus& bus, long at, int frames, int midi, float level) {
    const double hz = NoteHz(midi);
    Filter tone;
    double phase = 0.0, detuned = 0.0, sub = 0.0;
    const double release = 0.02;
    const int total = frames + Frames(release);
    for (int i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double held = static_cast<double>(frames) / Rate;
        float env = std::min(1.0f, static_cast<float>(t / 0.003)) * (0.7f + 0.3f * static_cast<float>(std::exp(-t / 0.08)));
        if (t > held) env *= static_cast<float>(1.0 - (t - held) / release);
        const double step = hz / Rate;
        const float raw = Saw(phase, step) * 0.65f + Saw(detuned, step * 1.003) * 0.35f;
        Advance(phase, step);
        Advance(detuned, step * 1.003);
        float v = tone.Tick(raw, 200.0 + 1700.0 * std::exp(-t / 0.06), 1.1).low;
        v += static_cast<float>(std::sin(2.0 * Pi * sub)) * 0.45f;
        sub += hz / 2.0 / Rate;
        bus.Add(at + i, v * env * level, v * env * level);
    }
}

void PadNote(Bus& bus, long at, int frames, int midi, float level) {
    const double hz = NoteHz(midi);
    Filter left, right;
    double pl = 0.0, pr = 0.37;
    const double attack = 0.25, release = 0.7;
    const double held = static_cast<double>(frames) / Rate;
    const int total = frames + Frames(release);
    for (int i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / Rate;
        double env = t < attack ? t / attack : 1.0;
        if (t > held) env *= std::exp(-(t - held) / (release / 4.0)) * (1.0 - (t - held) / release);
        // The filter breathes four times per loop, so it is back where it started at the seam.
        const double where = static_cast<double>((at + i) % LoopFrames) / LoopFrames;
        const double cutoff = 700.0 + 650.0 * (0.5 - 0.5 * std::cos(2.0 * Pi * 4.0 * where));
        const double stepL = hz * std::pow(2.0, -0.07 / 12.0) / Rate;
        const double stepR = hz * std::pow(2.0, 0.07 / 12.0) / Rate;
        const float l = left.Tick(Saw(pl, stepL), cutoff, 0.9).low;
        const float r = right.Tick(Saw(pr, stepR), cutoff, 0.9).low;
        Advance(pl, stepL);
        Advance(pr, stepR);
        const float g = static_cast<float>(env) * level;
        bus.Add(at + i, (l * 0.8f + r * 0.2f) * g, (r * 0.8f + l * 0.2f) * g);
    }
}

void Pluck(Bus& bus, long at, int midi, float level, float pan) {
    const double hz = NoteHz(midi);
    Filter tone;
    double phase = 0.0;
    const double length = 0.3;
    for (int i = 0; i < Frames(length); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double step = hz / Rate;
        const float raw = Pulse(phase, step, 0.5);
        Advance(phase, step);
        const float v = tone.Tick(raw, 700.0 + 2800.0 * std::exp(-t / 0.07), 1.0).low * AttackDecay(t, 0.002, 0.085) *
                        Tail(t, length, 0.05) * level;
        bus.AddPanned(at + i, v, pan);
    }
}

void LeadNote(Bus& bus, Bus& echoSend, long at, int frames, int midi, float level) {
    const double hz = NoteHz(midi);
    Filter tone;
    double phase = 0.0, second = 0.5, vibrato = 0.0;
    const double release = 0.08;
    const double held = static_cast<double>(frames) / Rate;
    const int total = frames + Frames(release);
    for (int i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / Rate;
        double env = t < 0.01 ? t / 0.01 : 0.8 + 0.2 * std::exp(-(t - 0.01) / 0.15);
        if (t > held) env *= 1.0 - (t - held) / release;
        // The vibrato waits a moment, as a singer's would.
        const double depth = t < 0.18 ? 0.0 : std::min(1.0, (t - 0.18) / 0.2) * 0.006;
        const double step = hz * (1.0 + depth * std::sin(2.0 * Pi * vibrato)) / Rate;
        vibrato += 5.5 / Rate;
        const float raw = Pulse(phase, step, 0.3) * 0.6f + Saw(second, step * 1.004) * 0.4f;
        Advance(phase, step);
        Advance(second, step * 1.004);
        const float v = tone.Tick(raw, 3200.0, 0.8).low * static_cast<float>(env) * level;
        bus.Add(at + i, v, v);
        echoSend.Add(at + i, v, v);
    }
}

// Dotted-eighth ping-pong echo around the loop. Running the loop twice lets the echoes of the
// last bars reach the first ones, as they do when the loop repeats.
void PingPong(const Bus& send, Bus& out, int delay, float feedback) {
    std::vector<float> left(LoopFrames), right(LoopFrames);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < LoopFrames; ++i) {
            const std::size_t from = static_cast<std::size_t>((i - delay + LoopFrames) % LoopFrames);
            left[static_cast<std::size_t>(i)] = send.left[from] + right[from] * feedback;
            right[static_cast<std::size_t>(i)] = left[from] * feedback;
        }
    }
    for (int i = 0; i < LoopFrames; ++i) out.Add(i, left[static_cast<std::size_t>(i)], right[static_cast<std::size_t>(i)]);
}

// The bed ducks under every kick, which gives the groove its pulse.
std::vector<float> KickDucking(const std::vector<long>& kicks) {
    std::vector<float> gain(LoopFrames, 1.0f);
    for (long kick : kicks) {
        for (int i = 0; i < Frames(0.4); ++i) {
            const double t = static_cast<double>(i) / Rate;
            const double dip = 0.38 * std::min(1.0, t / 0.004) * std::exp(-t / 0.11);
            float& g = gain[static_cast<std::size_t>((kick + i) % LoopFrames)];
            g = std::min(g, static_cast<float>(1.0 - dip));
        }
    }
    return gain;
}

}  // namespace

Samples MakeMusic() {
    Bus bed, drums, lead, send, echo;
    std::vector<long> kicks;

    for (int bar = 0; bar < Bars; ++bar) {
        const Chord& chord = Progression[static_cast<std::size_t>(bar)];
        const bool fillBar = bar == 7 || bar == 15;
        const bool secondHalf = bar >= 8;

        // Drums: four on the floor, backbeat, off-beat hats; a snare run closes each half.
        for (int beat = 0; beat < 4; ++beat) {
            if (fillBar && beat == 3) continue;
            kicks.push_back(At(bar, beat * 4));
            Kick(drums, kicks.back(), 0.6f);
        }
        Snare(drums, At(bar, 4), 0.36f);
        if (fillBar) {
            for (int s = 12; s < 16; ++s) Snare(drums, At(bar, s), 0.2f + 0.07f * static_cast<float>(s - 12));
        } else {
            Snare(drums, At(bar, 12), 0.36f);
        }
        for (int s = 2; s < 16; s += 4) Hat(drums, At(bar, s), 0.2f, bar % 2 == 1 && s == 14 ? 0.09 : 0.022);
        if (secondHalf)
            for (int s = 1; s < 16; s += 2) Hat(drums, At(bar, s), 0.07f, 0.015);
        if (bar == 0 || bar == 8) Crash(drums, At(bar, 0), 0.16f);

        // Bass: driving eighths on the root, with octave and fifth pick-ups.
        constexpr int BassSteps[8] = {0, 0, 12, 0, 0, 0, 12, 7};
        for (int e = 0; e < 8; ++e)
            Bass(bed, At(bar, e * 2), Sixteenth * 2 * 85 / 100, chord.bass + BassSteps[e], 0.27f);

        // Pad: the chord held across the bar, fading into the next.
        for (int note : chord.pad) PadNote(bed, At(bar, 0), BarFrames, note, 0.075f);

        // Arpeggio: sixteenths over the chord an octave up; quieter once the lead sings.
        constexpr int ArpOrder[8] = {0, 1, 2, 3, 2, 1, 0, 1};
        const float arpLevel = bar < LeadFirstBar ? 0.11f : 0.06f;
        for (int s = 0; s < 16; ++s) {
            const int index = ArpOrder[s % 8];
            const int midi = index == 3 ? chord.pad[0] + 24 : chord.pad[static_cast<std::size_t>(index)] + 12;
            Pluck(bed, At(bar, s), midi, arpLevel, s % 2 == 0 ? -0.45f : 0.45f);
        }
    }

    long position = At(LeadFirstBar, 0);
    for (const Note& note : Lead) {
        const int frames = note.sixteenths * Sixteenth;
        if (note.midi != 0) LeadNote(lead, send, position, frames * 92 / 100, note.midi, 0.27f);
        position += frames;
    }
    PingPong(send, echo, 3 * Sixteenth, 0.4f);

    const std::vector<float> duck = KickDucking(kicks);
    Samples out(static_cast<std::size_t>(LoopFrames) * 2);
    for (std::size_t i = 0; i < static_cast<std::size_t>(LoopFrames); ++i) {
        out[2 * i] = bed.left[i] * duck[i] + drums.left[i] + lead.left[i] + echo.left[i] * 0.3f;
        out[2 * i + 1] = bed.right[i] * duck[i] + drums.right[i] + lead.right[i] + echo.right[i] * 0.3f;
    }
    return out;
}

}  // namespace sounds
