#include "levelmeter.h"

#include <algorithm>

using namespace Qt::StringLiterals;

LevelMeter::LevelMeter(QWidget* parent) : QProgressBar(parent)
{
    setObjectName(u"Niveau"_s);
    setAccessibleName(u"Niveau du microphone"_s);
    setRange(0, int(-FloorDb));
    setTextVisible(false);
}

void LevelMeter::setLevel(double peakDb, bool listening)
{
    m_db = listening ? std::max(peakDb, m_db - 1.5) : peakDb;
    setValue(int(std::clamp(m_db, FloorDb, 0.0) - FloorDb));
    const QColor colour = m_db > -3    ? QColor(208, 0, 0)
                          : m_db > -12 ? QColor(224, 160, 0)
                                       : QColor(32, 160, 32);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Highlight, colour);
    setPalette(palette);
}
