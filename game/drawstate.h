#pragma once

#include <QList>
#include <QString>

#include <array>

// The state of the current series on the draw screen.
class DrawState
{
public:
    static constexpr int Numbers = 90;
    static constexpr int FullSum = 4095; // 1 + 2 + ... + 90

    bool isDrawn(int n) const { return n >= 1 && n <= Numbers && m_drawn[n - 1]; }
    const QList<int>& sequence() const { return m_sequence; }
    int count() const { return static_cast<int>(m_sequence.size()); }
    int sum() const { return m_sum; }
    bool isComplete() const { return m_sum == FullSum; }
    // Index 0 is the newest; empty text where nothing has arrived yet.
    const std::array<QString, 5>& lastFive() const { return m_lastFive; }

    // Count, Sequence, Drawn and Sum take the new number.
    void record(int n);
    // The last-five boxes shift by one, the new number in front.
    void pushLastFive(int n);
    // Takes the newest number back; the last five show the five before it.
    void undoLast();
    void clear();

private:
    std::array<bool, Numbers> m_drawn{};
    QList<int> m_sequence;
    int m_sum = 0;
    std::array<QString, 5> m_lastFive;
};
