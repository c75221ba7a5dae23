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

void DrawState::clear()
{
    m_drawn.fill(false);
    m_sequence.clear();
    m_sum = 0;
    m_lastFive.fill(QString());
}
