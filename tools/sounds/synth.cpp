#include "tools/sounds/synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sounds {

double NoteHz(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

int Frames(double seconds) { return static_cast<int>(std::lround(seconds * Rate)); }

float Noise::Next() { return Unit() * 2.0f - 1.0f; }

float Noise::Unit() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ >> 8) / 16777216.0f;
}

namespace {

// The step's residue around a discontinuity at phase 0.
double Blep(double t, double step) {
    if (t < step) {
        t /= step;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - step) {
        t = (t - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

float Saw(double phase, double step) { return static_cast<float>(2.0 * phase - 1.0 - Blep(phase, step)); }

float Pulse(double phase, double step, double width) {
    double value = phase < width ? 1.0 : -1.0;
    value += Blep(phase, step);
    value -= Blep(std::fmod(phase + 1.0 - width, 1.0), step);
    // Centre it: a narrow pulse otherwise carries a DC offset.
    return static_cast<float>(value - (2.0 * width - 1.0));
}

void Advance(double& phase, double step) {
    phase += step;
    phase -= std::floor(phase);
}

Filter::Out Filter::Tick(float x, double cutoffHz, double q) {
    const double g = std::tan(Pi * std::clamp(cutoffHz, 10.0, Rate * 0.45) / Rate);
    const double k = 1.0 / q;
    const double a1 = 1.0 / (1.0 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = x - ic2_;
    const double v1 = a1 * ic1_ + a2 * v3;
    const double v2 = ic2_ + a2 * ic1_ + a3 * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(x - k * v1 - v2)};
}

float AttackDecay(double time, double attack, double decay) {
    if (time < 0.0) return 0.0f;
    if (time < attack) return static_cast<float>(time / attack);
    return static_cast<float>(std::exp(-(time - attack) / decay));
}

float Tail(double time, double length, double fade) {
    if (time >= length) return 0.0f;
    if (time <= length - fade) return 1.0f;
    return static_cast<float>((length - time) / fade);
}

float PeakOf(const Samples& samples) {
    float peak = 0.0f;
    for (float s : samples) peak = std::max(peak, std::fabs(s));
    return peak;
}

void Normalise(Samples& samples, float peak) {
    const float current = PeakOf(samples);
    if (current <= 0.0f) return;
    const float gain = peak / current;
    for (float& s : samples) s *= gain;
}

namespace {

void PutLe(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool WriteWav(const std::string& path, const Samples& samples, int channels) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<unsigned char> file;
    file.reserve(44 + dataBytes);
    file.insert(file.end(), {'R', 'I', 'F', 'F'});
    PutLe(file, 36 + dataBytes, 4);
    file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(file, 16, 4);
    PutLe(file, 1, 2);  // PCM
    PutLe(file, static_cast<std::uint32_t>(channels), 2);
    PutLe(file, Rate, 4);
    PutLe(file, static_cast<std::uint32_t>(Rate * channels * 2), 4);
    PutLe(file, static_cast<std::uint32_t>(channels * 2), 2);
    PutLe(file, 16, 2);
    file.insert(file.end(), {'d', 'a', 't', 'a'});
    PutLe(file, dataBytes, 4);
    for (float s : samples) {
        const long value = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        PutLe(file, static_cast<std::uint32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))), 2);
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace sounds
