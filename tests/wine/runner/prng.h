// A small seeded generator written out here so that the native and the Windows build of the
// runner draw exactly the same random scenes (the C library's rand differs between them).
#pragma once

#include <cstdint>

namespace scenes {

class Prng {
public:
    explicit Prng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

    // splitmix64: full period, good enough spread for picking coordinates and colours.
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [low, high], both included.
    int Range(int low, int high) { return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1)); }

    bool Chance(int percent) { return Range(0, 99) < percent; }

private:
    uint64_t state_;
};

}  // namespace scenes
