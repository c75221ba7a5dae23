#pragma once

#include <QtGlobal>

#include <array>

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

// xoshiro256** seeded from 64 bits through splitmix64.
class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(quint64 seed);
    static SeededRandom fromEntropy();

    void stir(quint64 noise) override;
    double next() override;
    quint64 nextBits();

private:
    std::array<quint64, 4> m_state{};
};

// Picks a whole number from 1 to count, each equally likely.
int pickFromOneTo(RandomSource& random, int count);
