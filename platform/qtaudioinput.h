#pragma once

#include "audioinput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QMediaDevices>
#include <QPointer>
#include <QTimer>

class QAudioSource;
class QIODevice;

// The default input as Qt Multimedia reports it, read through a QAudioSource.
class QtAudioInput : public AudioInput
{
    Q_OBJECT

public:
    QtAudioInput();
    ~QtAudioInput() override;

    QString deviceName() const override;
    int start(int preferredRate) override;
    void stop() override;

private:
    void readAvailable();
    void checkStillThere();
    void fail();

    QMediaDevices m_devices;
    QAudioDevice m_device;
    QAudioFormat m_format;
    QPointer<QAudioSource> m_source; // let go of later: it may be the one calling
    QPointer<QIODevice> m_io;
    // Some backends go quiet rather than report a device pulled out.
    QTimer m_watchdog;
};
