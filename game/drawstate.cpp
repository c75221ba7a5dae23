#include "drawstate.h"

void DrawState::record(int n)
{
    Q_ASSERT(n >= 1 && n <= Numbers && !m_drawn[n - 1]);
    m_sequence.append(n);
    m_drawn[n - 1] = true;
    m_sum += n;
}

void DrawState::pushLastFive(int n)
{
    for (std::size_t k = m_lastFive.size() - 1; k > 0; --k)
        m_lastFive[k] = m_lastFive[k - 1];
    m_lastFive[0] = QString::number(n);
}

void DrawState::undoLast()
{
    Q_ASSERT(!m_sequence.isEmpty());
    const int n = m_sequence.takeLast();
    m_drawn[n - 1] = false;
    m_sum -= n;
    m_lastFive.fill(QString());
    for (std::size_t k = 0; k < m_lastFive.size() && k < std::size_t(m_sequence.size()); ++k)
        m_lastFive[k] = QString::number(m_sequence[m_sequence.size() - 1 - qsizetype(k)]);
}

void DrawState::clear()
{
    m_drawn.fill(false);
    m_sequence.clear();
    m_sum = 0;
    m_lastFive.fill(QString());
}
