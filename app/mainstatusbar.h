#pragma once

#include <QList>
#include <QStatusBar>
#include <QTimer>

class Clock;
class KeyStates;
class QLabel;

// The main window's status bar: the product panel, four key indicators,
// the date and the time, kept current by the bar itself.
class MainStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    MainStatusBar(const Clock& clock, KeyStates& keys, QWidget* parent = nullptr);

    QLabel* panel(int number) const { return m_panels[number - 1]; } // 1..7
    void refresh();

private:
    QLabel* addPanel(int width, bool permanent);

    const Clock& m_clock;
    KeyStates& m_keys;
    QList<QLabel*> m_panels;
    QTimer m_ticker;
};
