#include "randomsource.h"

#include <QRandomGenerator>

#include <bit>
#include <cmath>

namespace {
quint64 splitmix64(quint64& x)
{
    quint64 z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
} // namespace

SeededRandom::SeededRandom(quint64 seed)
{
    for (quint64& word : m_state)
        word = splitmix64(seed);
}

SeededRandom SeededRandom::fromEntropy()
{
    return SeededRandom(QRandomGenerator::system()->generate64());
}

void SeededRandom::stir(quint64 noise)
{
    m_state[0] ^= splitmix64(noise);
    if (m_state[0] == 0 && m_state[1] == 0 && m_state[2] == 0 && m_state[3] == 0)
        m_state[0] = 1; // xoshiro must never hold an all-zero state
    nextBits();
}

quint64 SeededRandom::nextBits()
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

double SeededRandom::next()
{
    // 53 random bits fill a double's mantissa exactly.
    return static_cast<double>(nextBits() >> 11) * 0x1.0p-53;
}

int pickFromOneTo(RandomSource& random, int count)
{
    // next() is never negative, so truncation is the floor, without a libm call.
    const int n = static_cast<int>(random.next() * count) + 1;
    return qBound(1, n, count);
}
