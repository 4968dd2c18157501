// Pseudo-random numbers 0..32767 in the classic C runtime rand()/srand() sequence.
#pragma once

#include <cstdint>

// The skins depend on the exact sequence: a scheme picked at start-up and the noise of
// a generated picture are reproducible from the seed. State and step are the C runtime's:
// state = state * 214013 + 2531011, result = bits 16..30 of the state.
class CrtRandom {
public:
    static constexpr int kMax = 32767;
    static constexpr std::uint32_t kMultiplier = 214013u;
    static constexpr std::uint32_t kIncrement = 2531011u;

    explicit CrtRandom(std::uint32_t seed = 1) : m_state(seed) {}

    void Seed(std::uint32_t seed) { m_state = seed; }

    int Next() {
        m_state = m_state * kMultiplier + kIncrement;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

    // Raw state, for code that advances the same sequence in bulk.
    std::uint32_t State() const { return m_state; }
    void SetState(std::uint32_t state) { m_state = state; }

private:
    std::uint32_t m_state;
};

// The program's one sequence, shared like rand(): the start-up pick and the painter
// continue it.
inline CrtRandom& ProcessRandom() {
    static CrtRandom random;
    return random;
}
