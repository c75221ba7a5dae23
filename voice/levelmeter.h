#pragma once

#include <QProgressBar>

// The microphone's loudness as a bar, green, then amber, then red where a
// take would clip.
class LevelMeter : public QProgressBar
{
public:
    static constexpr double FloorDb = -60.0;

    explicit LevelMeter(QWidget* parent = nullptr);

    // While listening the bar falls back slowly, so that it can be read
    // between two syllables; otherwise it shows the level as it is.
    void setLevel(double peakDb, bool listening);

private:
    double m_db = FloorDb;
};
