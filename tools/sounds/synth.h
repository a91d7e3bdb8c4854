// Building blocks for the generated sounds: band-limited oscillators, a seeded noise source,
// a state-variable filter, envelopes and the WAV writer. Everything is deterministic, so the
// same build always writes the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sounds {

constexpr int Rate = 22050;
constexpr double Pi = 3.14159265358979323846;

// Samples in -1..1; stereo data is interleaved left, right.
using Samples = std::vector<float>;

double NoteHz(double midiNote);
int Frames(double seconds);

// xorshift32: the same seed always gives the same sequence.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed != 0 ? seed : 1) {}
    float Next();  // uniform in [-1, 1)
    float Unit();  // uniform in [0, 1)

private:
    std::uint32_t state_;
};

// Oscillators with PolyBLEP corrections against aliasing. The phase runs 0..1 and is
// advanced by the caller.
float Saw(double phase, double step);
float Pulse(double phase, double step, double width);
void Advance(double& phase, double step);

// Topology-preserving state-variable filter: stable while its cutoff moves every sample.
class Filter {
public:
    struct Out {
        float low, band, high;
    };
    Out Tick(float x, double cutoffHz, double q);

private:
    double ic1_ = 0.0;
    double ic2_ = 0.0;
};

// 0 at start, 1 after attack seconds, then exp(-time / decay).
float AttackDecay(double time, double attack, double decay);
// Linear fade to 0 over the last fade seconds of a sound of length seconds.
float Tail(double time, double length, double fade);

// Scales the samples so that their largest magnitude is peak.
void Normalise(Samples& samples, float peak);
float PeakOf(const Samples& samples);

// 16-bit PCM WAV; false when the file could not be written.
bool WriteWav(const std::string& path, const Samples& samples, int channels);

}  // namespace sounds
