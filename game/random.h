// The engine's one random generator: uniform single-precision numbers in [0, 1).
#pragma once

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void ReseedFromClock() = 0;
    virtual float Next() = 0;
};

// The clock-seeded generator the game plays with.
RandomSource& ClockRandom();

// Tests and the demo put a scripted sequence in its place; nullptr goes back to the clock.
void SetRandomSource(RandomSource* source);

// The next number of the current source.
float Rnd();
// Reseeds the current source from the system clock.
void Randomize();
