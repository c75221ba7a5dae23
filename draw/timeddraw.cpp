#include "timeddraw.h"

#include "widgets/panellabel.h"
#include "widgets/twiplayout.h"

#include <QLabel>
#include <QSlider>

using namespace Qt::StringLiterals;

TimedDraw::TimedDraw(QWidget* canvas, TwipLayout& layout, QObject* parent)
    : QObject(parent), m_temps(new QSlider(Qt::Horizontal, canvas)),
      m_afficheTemps(
          makePanelLabel(canvas, u"AfficheTemps"_s, QColor(), QColor(255, 0, 0), true, false))
{
    m_temps->setObjectName(u"Temps"_s);
    m_temps->setAccessibleName(u"Intervalle du tirage minuté"_s);
    m_temps->setRange(1, 6);
    m_temps->setSingleStep(1);
    m_temps->setPageStep(1);
    m_temps->setTickInterval(1);
    m_temps->setTickPosition(QSlider::TicksBelow);
    // The operator drags it with the mouse; it never takes keys meant for the screen.
    m_temps->setFocusPolicy(Qt::NoFocus);
    layout.place(m_temps, {7800, 7800, 2895, 390});
    connect(m_temps, &QSlider::valueChanged, this, &TimedDraw::showInterval);

    m_afficheTemps->setAutoFillBackground(false);
    layout.place(m_afficheTemps, {10800, 7800, 375, 375}, 14.25);

    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TimedDraw::tick);
}

void TimedDraw::start()
{
    m_timer.setInterval(intervalSeconds() * 1000);
    m_timer.start();
    setSliderShown(true);
}

void TimedDraw::setSliderShown(bool shown)
{
    m_temps->setVisible(shown);
    m_afficheTemps->setVisible(shown);
}

void TimedDraw::reset()
{
    setSliderShown(false);
    m_temps->setValue(3);
    showInterval();
}

int TimedDraw::intervalSeconds() const
{
    return m_temps->value() * 10; // the slider steps by ten seconds
}

void TimedDraw::showInterval()
{
    const QString seconds = QString::number(intervalSeconds());
    m_afficheTemps->setText(seconds);
    m_temps->setAccessibleDescription(seconds + u" secondes"_s);
    m_afficheTemps->setAccessibleName(seconds + u" secondes entre deux numéros"_s);
    m_timer.setInterval(intervalSeconds() * 1000);
}
