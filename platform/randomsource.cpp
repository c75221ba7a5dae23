#include "randomsource.h"

#include <QRandomGenerator>

SeededRandom::SeededRandom(quint64 seed)
{
    for (quint64& word : m_state)
        word = splitmix64(seed);
}

SeededRandom SeededRandom::fromEntropy()
{
    return SeededRandom(QRandomGenerator::system()->generate64());
}

quint64 SeededRandom::leastBitsAbove(int lower, int count)
{
    // The pick only grows with the 53 bits next() keeps: search the first
    // that passes, through the very arithmetic of a draw.
    const auto picks = [count](quint64 kept) {
        return pickFromUnit(unitFromBits(kept << 11), count);
    };
    quint64 low = 0, high = (quint64(1) << 53) - 1; // high always passes
    while (low < high) {
        const quint64 middle = low + (high - low) / 2;
        if (picks(middle) > lower)
            high = middle;
        else
            low = middle + 1;
    }
    return low << 11;
}
