// The source of chance of the grouping run, passed in so that tests can
// replace it.
#pragma once

#include <cstdint>

namespace tovi {

// Draws numbers 0..32767.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed(std::uint32_t seed) = 0;
    virtual int Next() = 0;
};

// 32-bit linear congruential generator: state = state * 22695477 + 1 (mod 2^32);
// each draw yields bits 16..30 of the new state.
class LcgRandom final : public RandomSource {
public:
    void Seed(std::uint32_t seed) override { state_ = seed; }
    int Next() override {
        state_ = state_ * 22695477u + 1u;
        return static_cast<int>((state_ >> 16) & 0x7fffu);
    }

private:
    std::uint32_t state_ = 0;
};

}  // namespace tovi
