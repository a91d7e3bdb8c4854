#include "game/random.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace {

class ClockSeededRandom final : public RandomSource {
public:
    void ReseedFromClock() override {
        engine_.seed(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    }
    float Next() override {
        // 24 random bits give every float step of [0, 1) and never 1 itself.
        return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
    }

private:
    std::mt19937 engine_{std::random_device{}()};
};

RandomSource* current = nullptr;

}  // namespace

RandomSource& ClockRandom() {
    static ClockSeededRandom source;
    return source;
}

void SetRandomSource(RandomSource* source) { current = source; }

float Rnd() { return (current ? *current : ClockRandom()).Next(); }

void Randomize() { (current ? *current : ClockRandom()).ReseedFromClock(); }
