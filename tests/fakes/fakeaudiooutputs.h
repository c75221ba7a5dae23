#pragma once

#include "voice/audiooutputs.h"

#include <QList>
#include <QMap>

// Sound outputs a test plugs, unplugs and makes the default, as a projector,
// the hall's speakers or a USB headset would. Every clip started on an output
// still plugged in is logged with the output it was heard on; a sink whose
// output was unplugged, even if plugged back since, or whose sound server
// restarted, plays nothing.
class FakeAudioOutputs : public AudioOutputs
{
public:
    struct Heard
    {
        QByteArray output;
        QByteArray samples;
    };

    QByteArray defaultOutputId() const override { return m_default; }

    std::unique_ptr<ClipSink> open(const QByteArray& id, const QAudioFormat&) override
    {
        if (!m_plugged.contains(id) || refusesFormats)
            return nullptr;
        ++opened;
        return std::make_unique<Sink>(*this, id, m_plugged.value(id));
    }

    // The first output plugged into a machine without one becomes the default.
    void plug(const QByteArray& id)
    {
        m_plugged.insert(id, ++m_lastPlug);
        if (m_default.isEmpty())
            m_default = id;
        announce();
    }
    // The default falls back on another output, if any is left.
    void unplug(const QByteArray& id)
    {
        m_plugged.remove(id);
        if (m_default == id)
            m_default = m_plugged.isEmpty() ? QByteArray() : m_plugged.firstKey();
        announce();
    }
    // The sound server restarts: the outputs come back under the same ids,
    // and every sink opened before plays nothing more and says so.
    void restartServer()
    {
        for (int& plug : m_plugged)
            plug = ++m_lastPlug;
        announce();
    }
    void setDefault(const QByteArray& id)
    {
        m_default = id;
        announce();
    }

    QList<Heard> heard;
    int opened = 0;        // sinks opened so far
    int openSinks = 0;     // sinks alive now
    bool announces = true; // false: a backend that does not tell of changes
    bool refusesFormats = false;

private:
    class Sink : public ClipSink
    {
    public:
        Sink(FakeAudioOutputs& outputs, const QByteArray& output, int plug)
            : m_outputs(outputs), m_output(output), m_plug(plug)
        {
            ++m_outputs.openSinks;
        }
        ~Sink() override { --m_outputs.openSinks; }
        void start(const QByteArray& samples) override
        {
            if (!failed())
                m_outputs.heard.append({m_output, samples});
        }
        qint64 processedMicroseconds() const override { return 0; }
        bool failed() const override { return m_outputs.m_plugged.value(m_output) != m_plug; }

    private:
        FakeAudioOutputs& m_outputs;
        QByteArray m_output;
        int m_plug;
    };

    void announce()
    {
        if (announces)
            emit changed();
    }

    QMap<QByteArray, int> m_plugged; // output id -> when it was plugged
    QByteArray m_default;
    int m_lastPlug = 0;
};
