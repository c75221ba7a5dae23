#pragma once

#include "platform/audioinput.h"

#include <QList>
#include <QQueue>
#include <QTimer>

// A microphone a test plugs, unplugs and speaks into: each capture started
// hears the next take queued, fed in 20 ms pieces once control returns to
// the event loop, then silence for as long as the capture runs.
class FakeAudioInput : public AudioInput
{
public:
    QString deviceName() const override { return m_name; }

    int start(int preferredRate) override
    {
        ++starts;
        if (m_name.isEmpty())
            return 0;
        m_rate = rate ? rate : preferredRate;
        m_take = takes.isEmpty() ? QList<qint16>() : takes.dequeue();
        m_at = 0;
        m_capturing = true;
        QTimer::singleShot(0, this, [this] { feed(); });
        return m_rate;
    }
    void stop() override { m_capturing = false; }

    void plug(const QString& name = QStringLiteral("Microphone USB"))
    {
        m_name = name;
        emit devicesChanged();
    }
    // Pulled out, mid-capture or not.
    void unplug()
    {
        m_name.clear();
        if (m_capturing) {
            m_capturing = false;
            emit lost();
        }
        emit devicesChanged();
    }
    bool isCapturing() const { return m_capturing; }

    QQueue<QList<qint16>> takes;
    int rate = 0;               // 0: the rate asked for
    qsizetype unplugAfter = -1; // samples fed before the microphone is pulled out
    // samples fed before it leaves the list of inputs, unsaid, the capture
    // going on in silence (as the sound server moves it elsewhere)
    qsizetype vanishAfter = -1;
    qsizetype stallAfter = -1; // samples fed before it goes quiet, still plugged (muted)
    int starts = 0;

private:
    void feed()
    {
        // At most 10 s of silence after the take: a recorder that never stops fails.
        const qsizetype piece = m_rate / 50;
        while (m_capturing && m_at < m_take.size() + 10 * qsizetype(m_rate)) {
            if (unplugAfter >= 0 && m_at >= unplugAfter) {
                unplugAfter = -1;
                unplug();
                return;
            }
            if (vanishAfter >= 0 && m_at >= vanishAfter) {
                vanishAfter = -1;
                m_take.resize(m_at);
                m_name.clear();
                emit devicesChanged();
            }
            if (stallAfter >= 0 && m_at >= stallAfter) {
                stallAfter = -1;
                return;
            }
            QList<qint16> out = m_take.mid(m_at, piece);
            out.resize(piece, 0);
            m_at += piece;
            emit captured(out);
        }
    }

    QString m_name;
    int m_rate = 0;
    QList<qint16> m_take;
    qsizetype m_at = 0;
    bool m_capturing = false;
};
