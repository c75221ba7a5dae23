#pragma once

#include <QtGlobal>

#include <array>
#include <bit>

// Uniform values in [0, 1). stir() mixes outside noise (the clock) into the
// running state: it never restarts the sequence, so two stirs with the same
// value still lead to different values.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void stir(quint64 noise) = 0;
    virtual double next() = 0;
};

// xoshiro256** seeded from 64 bits through splitmix64. Final and defined
// here so that a caller holding one draws without a call per value.
class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(quint64 seed);
    static SeededRandom fromEntropy();

    void stir(quint64 noise) override
    {
        m_state[0] ^= splitmix64(noise);
        if (m_state[0] == 0 && m_state[1] == 0 && m_state[2] == 0 && m_state[3] == 0)
            m_state[0] = 1; // xoshiro must never hold an all-zero state
        nextBits();
    }

    double next() override { return unitFromBits(nextBits()); }

    quint64 nextBits()
    {
        const quint64 result = std::rotl(m_state[1] * 5, 7) * 9;
        const quint64 t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = std::rotl(m_state[3], 45);
        return result;
    }

    // The value next() makes of a raw value of nextBits().
    static double unitFromBits(quint64 bits)
    {
        // 53 random bits fill a double's mantissa exactly.
        return static_cast<double>(bits >> 11) * 0x1.0p-53;
    }

    // The least raw value of nextBits() whose pick from 1 to count (as
    // pickFromOneTo makes it) exceeds lower, which must be below count: a
    // draw that has to exceed lower is told from the raw bits alone.
    static quint64 leastBitsAbove(int lower, int count);

private:
    static quint64 splitmix64(quint64& x)
    {
        quint64 z = (x += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    std::array<quint64, 4> m_state{};
};

// The number from 1 to count a value of next() picks, each number having an
// equal share of [0, 1).
inline int pickFromUnit(double unit, int count)
{
    // unit is never negative, so truncation is the floor, without a libm call.
    const int n = static_cast<int>(unit * count) + 1;
    return qBound(1, n, count);
}

// Picks a whole number from 1 to count, each equally likely. Given a
// SeededRandom rather than a RandomSource, it draws the very same number
// without going through the virtual call.
template <typename Source> int pickFromOneTo(Source& random, int count)
{
    return pickFromUnit(random.next(), count);
}
