#pragma once

#include <QList>
#include <QObject>
#include <QString>

// The machine's default microphone as the recorder hears it: mono 16-bit
// samples, whatever the device itself delivers.
class AudioInput : public QObject
{
    Q_OBJECT

public:
    // What the default input calls itself; empty when the machine has none.
    virtual QString deviceName() const = 0;
    // Starts capturing from the default input at a rate near the one asked;
    // returns the rate the samples come at, or 0 when capture cannot start.
    virtual int start(int preferredRate) = 0;
    virtual void stop() = 0;

signals:
    void captured(const QList<qint16>& samples);
    // The input went away or failed while capturing (a USB microphone pulled out).
    void lost();
    // An input appeared or went, or the default moved.
    void devicesChanged();
};
