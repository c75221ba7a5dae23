#pragma once

#include <QObject>
#include <QTimer>

class QLabel;
class QSlider;
class QWidget;
class TwipLayout;

// The timed draw's clock: its timer, and the slider of the interval with
// the seconds beside it, shown while the timed draw may run.
class TimedDraw : public QObject
{
    Q_OBJECT

public:
    TimedDraw(QWidget* canvas, TwipLayout& layout, QObject* parent);

    bool isActive() const { return m_timer.isActive(); }
    const QTimer& timer() const { return m_timer; }
    void start();
    void stop() { m_timer.stop(); }
    void setSliderShown(bool shown);
    // Back to its opening interval, 30 seconds.
    void reset();

signals:
    void tick();

private:
    int intervalSeconds() const;
    void showInterval();

    QTimer m_timer;
    QSlider* m_temps;
    QLabel* m_afficheTemps;
};
